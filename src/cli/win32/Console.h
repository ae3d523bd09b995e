#pragma once
// The console program's standard streams. Text goes to a console as UTF-16,
// so accents show whatever its code page; redirected to a file or a pipe it
// is UTF-8. The activation code typed at a console is not shown.
#include <optional>
#include <string>
#include <string_view>

#include "cli/ActivationCode.h"
#include "cli/ConsoleProgram.h"

namespace cli::win32 {

class Console : public CodeInputs {
 public:
  ConsoleStreams streams();

  std::optional<std::u16string> environmentCode() const override;
  std::optional<std::string> standardInputLine() override;
};

}  // namespace cli::win32
