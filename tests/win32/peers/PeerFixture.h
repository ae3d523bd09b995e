#pragma once
// A form with real windows, driven through window messages as a user's
// keyboard and mouse would, with the dialogs recorded.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/RecordingDialogs.h"
#include "ui/Controls.h"
#include "ui/EventDispatcher.h"
#include "ui/win32/WindowHost.h"

namespace peer_tests {

class PeerTest : public ::testing::Test {
 protected:
  PeerTest() : form("TestForm") { form.setBounds({0, 0, 400, 300}); }
  ~PeerTest() override;

  // Creates the windows and shows the form without taking the activation.
  void createAndShow();
  HWND handleOf(const ui::Control& control) const { return host.handleOf(control); }
  std::u16string windowText(const ui::Control& control) const;
  void sendChar(HWND window, char16_t c) const { SendMessageW(window, WM_CHAR, c, 1); }
  void typeText(HWND window, std::u16string_view text) const;
  void sendKey(HWND window, UINT key) const;
  void setSelection(HWND window, int start, int end) const {
    SendMessageW(window, EM_SETSEL, start, end);
  }
  static void putOnClipboard(const std::u16string& text);
  // The clipboard's text, or nothing when it cannot be opened or holds none.
  static std::optional<std::u16string> clipboardText();

  testing_support::RecordingDialogs dialogs;
  ui::EventDispatcher dispatcher{dialogs};
  ui::win32::WindowHost host{GetModuleHandleW(nullptr), nullptr, dispatcher};
  ui::Form form;
};

}  // namespace peer_tests
