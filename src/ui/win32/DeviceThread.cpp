#include "ui/win32/DeviceThread.h"

#include "ui/Dialogs.h"

#include <atomic>
#include <stdexcept>
#include <utility>

namespace ui::win32 {

namespace {

// Where a faulted call is abandoned to: set before each call, on the device
// thread only. Builtin setjmp/longjmp restore the stack and frame pointers
// without unwinding through the library's frames.
void* faultJump[5];
std::atomic<DWORD> guardedThread{0};

[[noreturn]] void leaveFaultedCall() {
  __builtin_longjmp(faultJump, 1);
}

bool isFault(DWORD code) {
  switch (code) {
    case EXCEPTION_ACCESS_VIOLATION:
    case EXCEPTION_ILLEGAL_INSTRUCTION:
    case EXCEPTION_PRIV_INSTRUCTION:
    case EXCEPTION_INT_DIVIDE_BY_ZERO:
    case EXCEPTION_IN_PAGE_ERROR:
    case EXCEPTION_DATATYPE_MISALIGNMENT:
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED:
      return true;
    default:
      return false;
  }
}

// Sends a fault in the guarded call to leaveFaultedCall, on a stack aligned
// as a function entry expects it.
LONG CALLBACK onFault(EXCEPTION_POINTERS* info) {
  if (guardedThread != GetCurrentThreadId() || !isFault(info->ExceptionRecord->ExceptionCode))
    return EXCEPTION_CONTINUE_SEARCH;
  CONTEXT& context = *info->ContextRecord;
#if defined(__x86_64__)
  context.Rsp = (context.Rsp & ~DWORD64{15}) - 8;
  context.Rip = reinterpret_cast<DWORD64>(&leaveFaultedCall);
#else
  context.Esp = (context.Esp & ~DWORD{15}) - 4;
  context.Eip = reinterpret_cast<DWORD>(&leaveFaultedCall);
#endif
  return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

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
    AddVectoredExceptionHandler(1, onFault);
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
    if (__builtin_setjmp(faultJump) == 0) {
      guardedThread = GetCurrentThreadId();
      runCall();
    } else {
      failure_ = std::make_exception_ptr(DeviceCallFaulted());
    }
    guardedThread = 0;
    SetEvent(finished_);
  }
}

void DeviceThread::runCall() {
  try {
    (*call_)();
  } catch (...) {
    failure_ = std::current_exception();
  }
}

}  // namespace ui::win32
