#include "cli/ConsoleProgram.h"

#include "cli/Commands.h"
#include "cli/Reports.h"
#include "platform/Files.h"
#include "platform/Text.h"

namespace cli {

namespace {

// For these the file of --saida receives the result itself; the others write
// a log or a coupon there.
bool writesResultToOutput(Command command) {
  return command == Command::Consultar || command == Command::Status || command == Command::Saude;
}

}  // namespace

ConsoleProgram::ConsoleProgram(Parts parts) : parts_(std::move(parts)), sessions_(parts_.clock) {}

int ConsoleProgram::run(const Invocation& invocation) {
  invocation_ = invocation;
  std::string code;
  if (needsCode(invocation.command)) {
    const CodeOutcome outcome = activationCode(invocation, parts_.codeInputs);
    if (!outcome.code) return deliver(failure(outcome.error));
    code = *outcome.code;
  }
  const bool loaded = parts_.library.CarregaDLL(kLibraryName);
  const std::u16string said = parts_.messages.take();
  if (!loaded) return deliver(failure(said.empty() ? u"O SAT.DLL não foi carregado." : said));
  if (!said.empty()) parts_.streams.error(said + u"\r\n");
  DeviceAccess device{parts_.library, parts_.deviceCalls, sessions_, parts_.clock};
  return deliver(runCommand(invocation, code, device));
}

int ConsoleProgram::giveUp(const std::u16string& why) {
  return deliver(failure(why));
}

CommandResult ConsoleProgram::failure(std::u16string why) const {
  CommandResult result;
  result.command = invocation_.command;
  result.summary = std::move(why);
  return result;
}

// A machine form does not show the summary of a failure where a person
// looks, so it goes to standard error too.
int ConsoleProgram::deliver(const CommandResult& result) {
  const std::string bytes = report(result, invocation_.form);
  if (!result.answered && invocation_.form != OutputForm::Text)
    parts_.streams.error(result.summary + u"\r\n");
  if (invocation_.output && writesResultToOutput(invocation_.command)) {
    try {
      platform::writeFileAtomically(*invocation_.output, bytes);
    } catch (const platform::FileError&) {
      parts_.streams.error(u"Não foi possível gravar o arquivo " + invocation_.output->text() +
                           u".\r\n");
      return exitCodeOf(health::Level::Unknown);
    }
  } else {
    parts_.streams.output(bytes);
  }
  return exitCodeOf(result.level);
}

int answerCommandLine(const ParsedCommandLine& parsed, const ConsoleStreams& streams) {
  if (parsed.helpAsked) {
    streams.output(platform::toUtf8(kUsage));
    return 0;
  }
  streams.error(parsed.error + u"\r\n");
  return exitCodeOf(health::Level::Unknown);
}

}  // namespace cli
