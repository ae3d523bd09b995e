#include "satlib/EntryPointCall.h"

#include <array>
#include <stdexcept>

namespace satlib {

namespace {

constexpr std::size_t kMaximumArguments = 5;

#if defined(__i386__)
// Pushes the arguments right to left, calls, and puts the stack pointer back
// from a callee-saved register: a stdcall callee has already removed its
// arguments, a cdecl one has not, and either way the stack ends where it began.
// What the callee left on the stack tells which of the two it was.
const char* callRestoringStack(void* function, const std::intptr_t* words, std::size_t count,
                               CallingConvention& seen) {
  const char* result;
  std::size_t left;
  asm volatile(
      "movl %%esp, %%esi\n\t"
      "movl %[count], %%ecx\n\t"
      "1:\n\t"
      "testl %%ecx, %%ecx\n\t"
      "jz 2f\n\t"
      "decl %%ecx\n\t"
      "pushl (%[words], %%ecx, 4)\n\t"
      "jmp 1b\n\t"
      "2:\n\t"
      "call *%[function]\n\t"
      "movl %%esi, %%ecx\n\t"
      "subl %%esp, %%ecx\n\t"
      "movl %%esi, %%esp\n\t"
      : "=a"(result), "=&c"(left)
      : [function] "r"(function), [words] "r"(words), [count] "r"(count)
      : "edx", "esi", "memory", "cc");
  seen = left == 0 ? CallingConvention::Stdcall : CallingConvention::Cdecl;
  return result;
}
#else
// On 64-bit targets there is one calling convention and the arguments travel
// in registers; every argument is passed as a full machine word.
using Word = std::intptr_t;
const char* callRestoringStack(void* function, const Word* w, std::size_t count,
                               CallingConvention& seen) {
  seen = CallingConvention::Only64Bit;
  switch (count) {
    case 1:
      return reinterpret_cast<const char* (*)(Word)>(function)(w[0]);
    case 2:
      return reinterpret_cast<const char* (*)(Word, Word)>(function)(w[0], w[1]);
    case 3:
      return reinterpret_cast<const char* (*)(Word, Word, Word)>(function)(w[0], w[1], w[2]);
    case 4:
      return reinterpret_cast<const char* (*)(Word, Word, Word, Word)>(function)(w[0], w[1], w[2],
                                                                                 w[3]);
    case 5:
      return reinterpret_cast<const char* (*)(Word, Word, Word, Word, Word)>(function)(
          w[0], w[1], w[2], w[3], w[4]);
    default:
      throw std::logic_error("entry point called with an unsupported number of arguments");
  }
}
#endif

}  // namespace

std::string callEntryPoint(void* function, int sessao, std::initializer_list<Argument> arguments,
                           CallingConvention* seen) {
  if (arguments.size() >= kMaximumArguments) {
    throw std::logic_error("entry point called with an unsupported number of arguments");
  }
  std::array<std::intptr_t, kMaximumArguments> words{};
  std::size_t count = 0;
  words[count++] = static_cast<std::intptr_t>(sessao);
  for (const Argument& argument : arguments) words[count++] = argument.word();
  CallingConvention convention = CallingConvention::NotSeenYet;
  const char* answer = callRestoringStack(function, words.data(), count, convention);
  if (seen) *seen = convention;
  return answer ? std::string(answer) : std::string();
}

}  // namespace satlib
