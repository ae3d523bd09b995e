#pragma once
// Calls a library entry point with integer and text arguments and copies the
// answer. Makers build their libraries either stdcall or cdecl; on 32-bit x86
// the call restores the stack pointer itself afterwards, so both work.
#include <cstdint>
#include <initializer_list>
#include <string>

#include "satlib/LibraryFacts.h"

namespace satlib {

// One argument: a 32-bit integer or a NUL-terminated 8-bit text.
class Argument {
 public:
  Argument(int value) : word_(static_cast<std::intptr_t>(value)) {}
  Argument(const std::string& text) : word_(reinterpret_cast<std::intptr_t>(text.c_str())) {}
  std::intptr_t word() const { return word_; }

 private:
  std::intptr_t word_;
};

// At most five arguments, as the widest entry point takes. A NULL answer is
// an empty text. `seen`, when given, receives the convention the entry point
// turned out to use.
std::string callEntryPoint(void* function, std::initializer_list<Argument> arguments,
                           CallingConvention* seen = nullptr);

}  // namespace satlib
