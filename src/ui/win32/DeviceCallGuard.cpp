#include "ui/win32/DeviceCallGuard.h"

#include <cstddef>

// The registration around the call is written in assembly: GCC has no
// __try/__except. On 32-bit Windows a handler is a record on the stack,
// chained from the thread's handler list (fs:[0]); on 64-bit Windows it is
// named in the function's unwind data (.seh_handler), and the system finds it
// by unwinding.
extern "C" void quorvel_guarded_call(void (*work)(void*), void* context,
                                     ui::win32::DeviceCallGuard* guard);

namespace ui::win32 {
namespace {

// Stack kept free below the point where an overflow is raised.
constexpr ULONG kOverflowReserve = 64 * 1024;

// The thread's handler list is the first field of its information block,
// which gs (64-bit) or fs (32-bit) points at.
#if defined(__x86_64__)
void* handlerList() {
  void* list;
  asm volatile("movq %%gs:0, %0" : "=r"(list));
  return list;
}
void setHandlerList(void* list) {
  asm volatile("movq %0, %%gs:0" : : "r"(list) : "memory");
}
#define QUORVEL_RESUME_CONVENTION
#else
void* handlerList() {
  void* list;
  asm volatile("movl %%fs:0, %0" : "=r"(list));
  return list;
}
void setHandlerList(void* list) {
  asm volatile("movl %0, %%fs:0" : : "r"(list) : "memory");
}
// The handler passes the guard in ecx.
#define QUORVEL_RESUME_CONVENTION __attribute__((fastcall))
#endif

// Where an abandoned call resumes. The handler records of the abandoned
// frames are dropped first: 32-bit Windows chains them from the thread, and
// Wine uses the same list for its own handlers on 64-bit too.
[[noreturn]] __attribute__((noinline)) QUORVEL_RESUME_CONVENTION void leaveAbandonedCall(
    DeviceCallGuard* guard) {
  setHandlerList(guard->handlerList);
  __builtin_longjmp(guard->resume, 1);
}

// A guard page a reserve above the stack's end: the system raises the
// overflow there, and the handler has the reserve to run in. Wine commits the
// whole stack with one guard page at its very end, which leaves the handler
// too little; an overflow uses the page up, so it is put back after one.
void armStackGuard() {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  const std::size_t page = system.dwPageSize;
  char* top = static_cast<char*>(__builtin_frame_address(0));
  MEMORY_BASIC_INFORMATION region;
  if (!VirtualQuery(top, &region, sizeof region)) return;
  char* floor = static_cast<char*>(region.AllocationBase) + page + kOverflowReserve;
  for (char* at = floor; at < top - page;
       at = static_cast<char*>(region.BaseAddress) + region.RegionSize) {
    if (!VirtualQuery(at, &region, sizeof region)) return;
    if (region.State != MEM_COMMIT) continue;  // reserved only: the system's guard is above
    if (region.Protect & PAGE_GUARD) return;
    DWORD previous = 0;
    VirtualProtect(at, page, PAGE_READWRITE | PAGE_GUARD, &previous);
    return;
  }
}

}  // namespace

void prepareDeviceCallThread() {
  ULONG reserve = kOverflowReserve;
  SetThreadStackGuarantee(&reserve);
  armStackGuard();
}

void* currentHandlerList() {
  return handlerList();
}

void callGuarded(void (*work)(void*), void* context, DeviceCallGuard& guard) {
  quorvel_guarded_call(work, context, &guard);
}

void afterDeviceCallAbandoned(const DeviceCallGuard& guard) {
  if (guard.exceptionCode == EXCEPTION_STACK_OVERFLOW) armStackGuard();
}

}  // namespace ui::win32

// Asked by the system only for what no handler of the library took: sends the
// thread to leaveAbandonedCall, on a stack aligned as a function entry
// expects it. Delphi and C++ exceptions are raised as not continuable; the
// flag is cleared, or continuing would raise another exception.
extern "C" __attribute__((used))
EXCEPTION_DISPOSITION __cdecl quorvel_device_call_handler(EXCEPTION_RECORD* record, void* frame,
                                                          CONTEXT* context, void*) {
  if (record->ExceptionFlags & (EXCEPTION_UNWINDING | EXCEPTION_EXIT_UNWIND))
    return ExceptionContinueSearch;
  using ui::win32::DeviceCallGuard;
#if defined(__x86_64__)
  // quorvel_guarded_call keeps the guard at its frame + 32.
  auto* guard = *reinterpret_cast<DeviceCallGuard**>(static_cast<char*>(frame) + 32);
  context->Rsp = (context->Rsp & ~DWORD64{15}) - 8;
  context->Rip = reinterpret_cast<DWORD64>(&ui::win32::leaveAbandonedCall);
  context->Rcx = reinterpret_cast<DWORD64>(guard);
#else
  // The guard was pushed right after the registration record.
  auto* guard = *reinterpret_cast<DeviceCallGuard**>(static_cast<char*>(frame) + 8);
  context->Esp = (context->Esp & ~DWORD{15}) - 4;
  context->Eip = reinterpret_cast<DWORD>(&ui::win32::leaveAbandonedCall);
  context->Ecx = reinterpret_cast<DWORD>(guard);
#endif
  guard->exceptionCode = record->ExceptionCode;
  record->ExceptionFlags &= ~DWORD{EXCEPTION_NONCONTINUABLE};
  return ExceptionContinueExecution;
}

#if defined(__x86_64__)
asm(".text\n"
    ".globl quorvel_guarded_call\n"
    ".def quorvel_guarded_call; .scl 2; .type 32; .endef\n"
    ".seh_proc quorvel_guarded_call\n"
    "quorvel_guarded_call:\n"
    "  subq $40, %rsp\n"
    "  .seh_stackalloc 40\n"
    "  .seh_endprologue\n"
    "  .seh_handler quorvel_device_call_handler, @except\n"
    "  movq %r8, 32(%rsp)\n"  // the guard, for the handler
    "  movq %rcx, %rax\n"
    "  movq %rdx, %rcx\n"
    "  call *%rax\n"
    "  nop\n"
    "  addq $40, %rsp\n"
    "  ret\n"
    ".seh_endproc\n");
#else
asm(".text\n"
    ".globl _quorvel_guarded_call\n"
    "_quorvel_guarded_call:\n"
    "  pushl %ebp\n"
    "  movl %esp, %ebp\n"
    "  pushl 16(%ebp)\n"  // the guard, for the handler
    "  pushl $_quorvel_device_call_handler\n"
    "  pushl %fs:0\n"
    "  movl %esp, %fs:0\n"  // registered
    "  pushl 12(%ebp)\n"
    "  call *8(%ebp)\n"
    "  movl -12(%ebp), %ecx\n"
    "  movl %ecx, %fs:0\n"  // unregistered
    "  movl %ebp, %esp\n"
    "  popl %ebp\n"
    "  ret\n");
#endif
