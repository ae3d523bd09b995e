#include "ui/win32/DeviceThread.h"

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

void DeviceThread::start(const std::function<void()>& call) {
  if (!thread_) {
    callReady_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    finished_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = CreateThread(nullptr, 0, threadMain, this, 0, nullptr);
    if (!thread_) throw std::runtime_error("Não foi possível criar a linha de execução do SAT");
  }
  call_ = &call;
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
  for (;;) {
    WaitForSingleObject(callReady_, INFINITE);
    if (stopping_) return;
    try {
      (*call_)();
    } catch (...) {
      failure_ = std::current_exception();
    }
    SetEvent(finished_);
  }
}

}  // namespace ui::win32
