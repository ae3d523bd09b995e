#pragma once
// The one thread every device call runs on. Makers' libraries may keep state
// per thread, so it is always the same thread; it starts with the first call
// and ends with the program. A call in which the library leaves an exception
// unhandled (a fault in the maker's code, an exception of its language, a
// stack overflow) is abandoned and reported as DeviceCallFaulted instead of
// ending the process; the same thread serves the next call, so a lock of the
// library's own that the abandoned call held is still the thread's.
#include <windows.h>

#include <exception>
#include <functional>

#include "platform/win32/DeviceLock.h"

namespace ui::win32 {

class DeviceThread {
 public:
  DeviceThread() = default;
  ~DeviceThread();
  DeviceThread(const DeviceThread&) = delete;
  DeviceThread& operator=(const DeviceThread&) = delete;

  // Hands the call to the thread; `finished()` is signalled when it is done.
  // With a lock, the thread takes it around the call, waiting as long as
  // another program's call lasts.
  void start(const std::function<void()>& call, platform::DeviceLock* lock = nullptr);
  HANDLE finished() const { return finished_; }
  // Once finished: rethrows what the call threw.
  void rethrowFailure();

 private:
  static DWORD WINAPI threadMain(LPVOID self);
  void serve();
  static void runCall(void* self);

  HANDLE thread_ = nullptr;
  HANDLE callReady_ = nullptr;
  HANDLE finished_ = nullptr;
  const std::function<void()>* call_ = nullptr;
  platform::DeviceLock* lock_ = nullptr;
  std::exception_ptr failure_;
  bool stopping_ = false;
};

}  // namespace ui::win32
