#pragma once
// The console program's command line: one command, how to write the
// result, and the few options a command takes. The activation code never
// comes from here: other programs can read a process's command line.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Path.h"

namespace cli {

enum class Command { Consultar, Status, Saude, Logs, Sessao, UltimaSessao };

enum class OutputForm { Text, Json, Prometheus, Nagios };

inline constexpr int kDefaultTimeLimitSeconds = 60;
inline constexpr int kLongestTimeLimitSeconds = 24 * 60 * 60;

struct Invocation {
  Command command = Command::Consultar;
  OutputForm form = OutputForm::Text;
  bool superLog = false;                   // logs: only the last SuperLog block
  int consultedSession = 0;                // sessao N
  std::optional<platform::Path> output;    // --saida
  std::optional<platform::Path> codeFile;  // --codigo-arquivo
  int timeLimitSeconds = kDefaultTimeLimitSeconds;
};

struct ParsedCommandLine {
  std::optional<Invocation> invocation;  // nothing when asked for help or refused
  bool helpAsked = false;
  std::u16string error;  // why the command line was refused
};

// The arguments after the program's name. A refusal never repeats an
// argument it did not recognise: it may be an activation code.
ParsedCommandLine parseCommandLine(const std::vector<std::u16string>& arguments);

// The command's name as typed: "consultar", "ultima-sessao" …
std::u16string_view commandName(Command command);
// Every command but the device query needs the activation code.
bool needsCode(Command command);

// Where the code may come from, for the messages that ask for it.
extern const std::u16string_view kWhereTheCodeComesFrom;
extern const std::u16string_view kUsage;

}  // namespace cli
