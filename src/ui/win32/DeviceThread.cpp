#include "ui/win32/DeviceThread.h"

#include "ui/DeviceCalls.h"
#include "ui/win32/DeviceCallGuard.h"

#include <stdexcept>
#include <utility>

namespace ui::win32 {

DeviceThread::~DeviceThread() {
  if (!thread_) return;
  stopping_ = true;
  SetEvent(callReady_);
  WaitForSingleObject(thread_, INFINITE);
  CloseHandle(thread_);
  CloseHandle(callReady_);
  CloseHandle(finished_);
}

void DeviceThread::start(const std::function<void()>& call, platform::DeviceLock* lock) {
  if (!thread_) {
    callReady_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    finished_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, threadMain, this, 0, nullptr);
    if (!thread_) throw std::runtime_error("Não foi possível criar a linha de execução do SAT");
  }
  call_ = &call;
  lock_ = lock;
  failure_ = nullptr;
  ResetEvent(finished_);
  SetEvent(callReady_);
}

void DeviceThread::rethrowFailure() {
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

DWORD WINAPI DeviceThread::threadMain(LPVOID self) {
  static_cast<DeviceThread*>(self)->serve();
  return 0;
}

void DeviceThread::serve() {
  prepareDeviceCallThread();
  DeviceCallGuard guard{};
  for (;;) {
    WaitForSingleObject(callReady_, INFINITE);
    if (stopping_) return;
    // A lock that cannot be had at all does not keep the user from the device.
    const bool locked = lock_ && lock_->take(INFINITE) == platform::DeviceLock::Outcome::Taken;
    guard.handlerList = currentHandlerList();
    if (__builtin_setjmp(guard.resume) == 0) {
      callGuarded(runCall, this, guard);
    } else {
      afterDeviceCallAbandoned(guard);
      failure_ = std::make_exception_ptr(DeviceCallFaulted());
    }
    if (locked) lock_->release();
    SetEvent(finished_);
  }
}

// Inside the guard: a C++ exception of the program's own must be caught
// before it reaches the guard's handler, which would take it for the
// library's.
void DeviceThread::runCall(void* self) {
  auto& thread = *static_cast<DeviceThread*>(self);
  try {
    (*thread.call_)();
  } catch (...) {
    thread.failure_ = std::current_exception();
  }
}

}  // namespace ui::win32
