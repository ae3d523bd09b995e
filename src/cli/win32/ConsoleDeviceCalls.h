#pragma once
// The console program's device calls: each runs on the device thread the
// window program uses too (the library's unhandled faults are caught there),
// under the device's lock, and the whole run under one time limit that
// starts with the first of them. When the time is up with the library still
// working, the thread cannot be stopped or waited for: `timeIsUp` is told
// and must end the process.
#include <windows.h>

#include <functional>
#include <string>

#include "platform/win32/DeviceLock.h"
#include "ui/DeviceCalls.h"
#include "ui/win32/DeviceThread.h"

namespace cli::win32 {

class ConsoleDeviceCalls : public ui::DeviceCalls {
 public:
  ConsoleDeviceCalls(int timeLimitSeconds, platform::DeviceLock& lock,
                     std::function<void(const std::u16string&)> timeIsUp);

  // Throws DeviceUnavailable when the lock stays taken until the time limit.
  void whileDeviceWorks(const std::function<void()>& call) override;
  void whileLibraryLoads(const std::function<void()>& load) override;

 private:
  DWORD remainingMs();
  void runWithinTimeLimit(const std::function<void()>& work);

  int timeLimitSeconds_;
  platform::DeviceLock& lock_;
  std::function<void(const std::u16string&)> timeIsUp_;
  ULONGLONG deadline_ = 0;
  ui::win32::DeviceThread thread_;
};

}  // namespace cli::win32
