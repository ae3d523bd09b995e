#pragma once
// The one thread every device call runs on. Makers' libraries may keep state
// per thread, so it is always the same thread; it starts with the first call
// and ends with the program. A call that faults inside the library (an
// access violation in the maker's code) is abandoned and reported as
// DeviceCallFaulted instead of ending the process.
#include <windows.h>

#include <exception>
#include <functional>

namespace ui::win32 {

class DeviceThread {
 public:
  DeviceThread() = default;
  ~DeviceThread();
  DeviceThread(const DeviceThread&) = delete;
  DeviceThread& operator=(const DeviceThread&) = delete;

  // Hands the call to the thread; `finished()` is signalled when it is done.
  void start(const std::function<void()>& call);
  HANDLE finished() const { return finished_; }
  // Once finished: rethrows what the call threw.
  void rethrowFailure();

 private:
  static DWORD WINAPI threadMain(LPVOID self);
  void serve();
  void runCall();

  HANDLE thread_ = nullptr;
  HANDLE callReady_ = nullptr;
  HANDLE finished_ = nullptr;
  const std::function<void()>* call_ = nullptr;
  std::exception_ptr failure_;
  bool stopping_ = false;
};

}  // namespace ui::win32
