#pragma once
// Calls a library entry point with integer and text arguments and copies the
// answer. Makers build their libraries either stdcall or cdecl; on 32-bit x86
// the call restores the stack pointer itself afterwards, so both work.
#include <cstdint>
#include <initializer_list>
#include <string>

#include "satlib/LibraryFacts.h"

namespace satlib {

// One argument after the session number: a 32-bit integer or a
// NUL-terminated 8-bit text, which the caller keeps alive during the call.
class Argument {
 public:
  Argument(int value) : number_(value) {}
  Argument(const std::string& text) : text_(&text) {}
  bool isText() const { return text_ != nullptr; }
  int number() const { return number_; }
  const std::string& text() const { return *text_; }
  // What the library receives: the number, or the text's address.
  std::intptr_t word() const {
    return text_ ? reinterpret_cast<std::intptr_t>(text_->c_str())
                 : static_cast<std::intptr_t>(number_);
  }

 private:
  int number_ = 0;
  const std::string* text_ = nullptr;
};

// The session number and at most four arguments, as the widest entry point
// takes. A NULL answer is an empty text. `seen`, when given, receives the
// convention the entry point turned out to use.
std::string callEntryPoint(void* function, int sessao, std::initializer_list<Argument> arguments,
                           CallingConvention* seen = nullptr);

}  // namespace satlib
