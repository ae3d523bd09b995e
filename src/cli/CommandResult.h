#pragma once
// What one run of the console program found out, in the terms every output
// form writes: the level, one line saying what happened, what the device
// answered, and for the status its fields and health checks.
#include <optional>
#include <string>
#include <vector>

#include "cli/Invocation.h"
#include "health/HealthChecks.h"
#include "platform/Path.h"

namespace cli {

struct ListedField {
  std::u16string label;  // "NSERIE" …
  std::u16string value;  // as the device sent it
};

struct CommandResult {
  Command command = Command::Consultar;
  // Unknown until the device answered what was asked.
  health::Level level = health::Level::Unknown;
  // The device answered the command with its success code.
  bool answered = false;
  std::u16string summary;
  std::string sessao;  // the session number sent, empty when nothing was sent
  std::string returnCode;
  std::u16string message;
  std::u16string serial;                  // NSERIE, from a status answer
  std::vector<std::u16string> listing;    // status: the lines the status page lists
  std::vector<ListedField> fields;        // status: the fields as sent
  std::vector<health::Check> checks;      // status and saude, worst first
  std::optional<platform::Path> written;  // the log or coupon written
};

// The monitoring plugins' exit codes: 0 ok, 1 warning, 2 critical, 3 unknown.
int exitCodeOf(health::Level level);

}  // namespace cli
