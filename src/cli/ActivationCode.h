#pragma once
// Where the console program takes the activation code from: the file named
// by --codigo-arquivo, else the environment variable QUORVEL_CODIGO, else
// the first line of standard input. The code is never printed or written.
#include <optional>
#include <string>

#include "cli/Invocation.h"

namespace cli {

inline constexpr char16_t kCodeVariable[] = u"QUORVEL_CODIGO";

class CodeInputs {
 public:
  virtual ~CodeInputs() = default;
  // QUORVEL_CODIGO; nothing when it is not set.
  virtual std::optional<std::u16string> environmentCode() const = 0;
  // The first line of standard input, as UTF-8, without its line end;
  // nothing when the input ends first. Typed at a console, it is not shown.
  virtual std::optional<std::string> standardInputLine() = 0;
};

struct CodeOutcome {
  std::optional<std::string> code;  // in the ANSI code page, as the library takes it
  std::u16string error;             // why there is none
};

CodeOutcome activationCode(const Invocation& invocation, CodeInputs& inputs);

// The most a code file or line of input may hold: a code has 8 to 32
// characters, and what is read is untrusted.
inline constexpr std::size_t kLongestCodeInput = 1024;

}  // namespace cli
