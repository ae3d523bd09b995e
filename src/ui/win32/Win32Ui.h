#pragma once
// The Win32 user interface of the program: real windows for the forms, the
// real dialogs and the event dispatcher that reports unexpected failures.
// Create it before the forms and let it go after them: when it goes, it
// destroys the windows without touching the controls.
#include <windows.h>

#include <string>

#include "ui/BoundedMessages.h"
#include "ui/EventDispatcher.h"
#include "ui/win32/DeviceWait.h"
#include "ui/win32/Win32FilePickers.h"
#include "ui/win32/Win32Messages.h"
#include "ui/win32/WindowHost.h"

namespace ui::win32 {

class Win32Ui {
 public:
  Win32Ui(HINSTANCE instance, std::u16string applicationTitle, HICON icon);

  Messages& messages() { return messages_; }
  FilePickers& files() { return files_; }
  DeviceCalls& deviceCalls() { return deviceWait_; }
  const EventDispatcher& dispatcher() { return dispatcher_; }
  // Creates the native window and all its controls, hidden.
  void createWindow(Form& form, bool isMain) { host_.createWindow(form, isMain); }
  // Shows the main window centred on the screen.
  void showMain(Form& form) { host_.showMain(form); }
  HWND mainWindow() const { return host_.mainWindow(); }
  // Runs until the main window closes.
  int runMessageLoop() { return host_.runMessageLoop(); }
  // Run when the user closes the program while a device call is unanswered.
  void beforeClosingUnanswered(std::function<void()> lastWords) {
    deviceWait_.beforeClosingUnanswered(std::move(lastWords));
  }

 private:
  Win32Messages messages_;
  Win32FilePickers files_;
  // The report of an unexpected failure may carry an answer's text.
  BoundedMessages boundedMessages_{messages_};
  EventDispatcher dispatcher_;
  WindowHost host_;
  DeviceWait deviceWait_;
};

}  // namespace ui::win32
