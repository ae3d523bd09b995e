// A maker's library that misbehaves in the ways real ones do: one entry point
// handles its own faults and answers, the others leave an exception
// unhandled (a Delphi one, another compiler's C++ one, a breakpoint, a stack
// overflow, an access violation while it holds a lock of its own).
#include <windows.h>

namespace {

CRITICAL_SECTION libraryLock;
volatile int* volatile nowhere = nullptr;
volatile bool deeper = true;  // never cleared: the recursion cannot be proven endless

__attribute__((noinline)) int recurse(int depth) {
  volatile char frame[256];
  frame[0] = static_cast<char>(depth);
  return deeper ? recurse(depth + 1) + frame[0] : 0;
}

}  // namespace

// Probes memory (the system handles the fault inside IsBadReadPtr) and
// throws and catches an exception of its own, then answers.
extern "C" __declspec(dllexport) const char* handlesOwnFault() {
  const BOOL unreadable = IsBadReadPtr(reinterpret_cast<void*>(0x10), 4);
  int caught = 0;
  try {
    throw 42;
  } catch (int value) {
    caught = value;
  }
  return unreadable && caught == 42 ? "123456|08000|SAT em operação||" : "probe failed";
}

extern "C" __declspec(dllexport) const char* raisesDelphiException() {
  ULONG_PTR arguments[2] = {0x1234, 0x5678};
  RaiseException(0x0EEDFADE, EXCEPTION_NONCONTINUABLE, 2, arguments);
  return "not reached";
}

extern "C" __declspec(dllexport) const char* raisesOtherCompilersCxxException() {
  ULONG_PTR arguments[3] = {0x19930520, 0, 0};
  RaiseException(0xE06D7363, EXCEPTION_NONCONTINUABLE, 3, arguments);
  return "not reached";
}

extern "C" __declspec(dllexport) const char* hitsBreakpoint() {
  __debugbreak();
  return "not reached";
}

extern "C" __declspec(dllexport) const char* overflowsStack() {
  return recurse(0) ? "not reached" : "not reached either";
}

extern "C" __declspec(dllexport) const char* faultsHoldingLock() {
  EnterCriticalSection(&libraryLock);
  *nowhere = 1;
  LeaveCriticalSection(&libraryLock);
  return "not reached";
}

// Takes the lock faultsHoldingLock left held; gives up after two seconds.
extern "C" __declspec(dllexport) const char* usesLock() {
  for (int attempt = 0; attempt < 200; ++attempt) {
    if (TryEnterCriticalSection(&libraryLock)) {
      LeaveCriticalSection(&libraryLock);
      return "123456|08000|SAT em operação||";
    }
    Sleep(10);
  }
  return "lock held";
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) InitializeCriticalSection(&libraryLock);
  return TRUE;
}
