#pragma once
// The whole program, headless, in a fresh folder with a scripted library.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>

#include "platform/Clock.h"
#include "shell/Program.h"
#include "support/RecordingDialogs.h"
#include "support/ScriptedSatLibrary.h"
#include "support/TemporaryFolder.h"

namespace testing_support {

// A clock that moves on by one millisecond each time it is read, on
// 11 December 2026.
class SteppingClock : public platform::Clock {
 public:
  platform::TimeOfDay now() const override {
    const int t = ticks_++;
    return {10, (t / 60000) % 60, (t / 1000) % 60, t % 1000};
  }
  platform::DateTime dateAndTime() const override { return {2026, 12, 11, now()}; }

 private:
  mutable int ticks_ = 0;
};

class ProgramFixture : public ::testing::Test {
 protected:
  // A folder with a SAT.DLL file in it; the scripted library stands for it.
  ProgramFixture();

  // Runs a user event the way the message loop does.
  void user(const std::function<void()>& event) const;
  // The control the program last put the focus in.
  const ui::Control* focused() const { return main.focusedControl(); }
  // Parametros.xml as it is on disk now.
  std::string parametersFile() const;
  // Writes these fields into the parameter record, as one edit.
  void storeSettings(std::initializer_list<std::pair<const char*, const char16_t*>> fields);
  // Every code prompt from now on is confirmed with `code`.
  void answerCodePrompt(std::u16string code);

  TemporaryFolder folder;
  RecordingDialogs dialogs;
  ScriptedSatLibrary library;
  SteppingClock clock;
  shell::Program program;
  shell::TFAtivacao& main;
};

}  // namespace testing_support
