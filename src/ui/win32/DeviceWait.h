#pragma once
// The program's side of a device call: the call runs on the device thread
// while this thread keeps the windows painted and movable and drops every
// click and key, so nothing else runs against the device and nothing is
// replayed afterwards. Two waits have an end the user can reach:
// - a call unanswered for some minutes lets the close box ask whether to
//   close the program anyway (what was stored is already on disk);
// - a library whose loading has not ended after some seconds is reported,
//   and the user chooses between waiting on and closing the program.
#include <windows.h>

#include <functional>
#include <string>

#include "platform/Files.h"
#include "platform/win32/DeviceLock.h"
#include "ui/DeviceCalls.h"
#include "ui/win32/DeviceThread.h"

namespace ui::win32 {

struct DevicePatience {
  DWORD unansweredCallMs = 3 * 60 * 1000;
  DWORD libraryLoadMs = 20 * 1000;
};

// The defaults, or what QUORVEL_UNANSWERED_CALL_MINUTES and
// QUORVEL_LIBRARY_LOAD_SECONDS say (support and the tests shorten them).
DevicePatience devicePatienceFromEnvironment();

class DeviceWait : public DeviceCalls {
 public:
  // `ask` shows a yes/no question and returns true for yes; `title` is the
  // caption of the question made before a library loads.
  DeviceWait(DevicePatience patience, std::u16string title,
             std::function<bool(const std::u16string&)> ask)
      : patience_(patience), title_(std::move(title)), ask_(std::move(ask)) {}

  // What must be done before the program is ended with a call unanswered:
  // saving what only memory holds.
  void beforeClosingUnanswered(std::function<void()> lastWords) {
    lastWords_ = std::move(lastWords);
  }

  // Returns once the call has, rethrowing what it threw.
  void whileDeviceWorks(const std::function<void()>& call) override;
  void whileLibraryLoads(const std::function<void()>& load) override;

 private:
  // Handles messages until the device thread is done (true) or the time is
  // up (false). A close request is passed to onCloseRequest.
  bool pumpUntilFinished(DWORD timeoutMs, const std::function<void()>& onCloseRequest);
  static bool takenWhileDeviceWorks(const MSG& message);
  static bool isCloseRequest(const MSG& message);
  void askWhetherToCloseUnanswered(ULONGLONG startedAt);
  [[noreturn]] void closeProgramNow();

  DevicePatience patience_;
  std::u16string title_;
  std::function<bool(const std::u16string&)> ask_;
  std::function<void()> lastWords_;
  // Shared with the console program: one caller of SAT.DLL at a time.
  platform::DeviceLock deviceLock_{platform::executableFolder()};
  DeviceThread thread_;
};

}  // namespace ui::win32
