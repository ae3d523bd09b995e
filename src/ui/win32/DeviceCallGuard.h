#pragma once
// Keeps a call into the maker's library from ending the program. Only what
// the library leaves unhandled is caught, whatever its code (an access
// violation, a Delphi or C++ exception, a breakpoint, a stack overflow): a
// handler of ours is registered around the call, so the system asks every
// handler of the library first, and a library that probes memory or catches
// its own exceptions works as it does in any program.
#include <windows.h>

namespace ui::win32 {

// One abandoned call: where to resume and what ended it.
struct DeviceCallGuard {
  void* resume[5];      // __builtin_setjmp buffer, set by the caller
  void* handlerList;    // the thread's handler list when the call began
  DWORD exceptionCode;  // what ended the call, once abandoned
};

// Once, on the thread that makes the calls: keeps stack in reserve so that a
// stack overflow in the library can be handled at all.
void prepareDeviceCallThread();

// Calls work(context) with guard's handler around it. When the library
// leaves an exception unhandled, execution goes back to guard.resume (the
// __builtin_setjmp made just before) with exceptionCode set; the library's
// frames are abandoned, not unwound. Call afterDeviceCallAbandoned then.
// work must not let a C++ exception escape.
void callGuarded(void (*work)(void*), void* context, DeviceCallGuard& guard);
void* currentHandlerList();
void afterDeviceCallAbandoned(const DeviceCallGuard& guard);

}  // namespace ui::win32
