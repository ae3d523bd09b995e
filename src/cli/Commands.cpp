#include "cli/Commands.h"

#include "cli/DeviceCallLimits.h"
#include "diagnostics/ConsultedSale.h"
#include "diagnostics/CouponText.h"
#include "diagnostics/LogView.h"
#include "diagnostics/StatusListing.h"
#include "page/AnswerFields.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "ui/TextSource.h"

namespace cli {

namespace {

using health::Level;

std::string callFor(const Invocation& invocation, satlib::SatLibrary& library, int sessao,
                    const std::string& code) {
  switch (invocation.command) {
    case Command::Consultar:
      return library.ConsultarSAT(sessao);
    case Command::Status:
    case Command::Saude:
      return library.ConsultarStatusOperacional(sessao, code);
    case Command::Logs:
      return library.ExtrairLogs(sessao, code);
    case Command::Sessao:
      return library.ConsultarNumeroSessao(sessao, code, invocation.consultedSession);
    case Command::UltimaSessao:
      break;
  }
  return library.ConsultarUltimaSessaoFiscal(sessao, code);
}

satlib::EntryPoint entryPointOf(Command command) {
  switch (command) {
    case Command::Consultar:
      return satlib::EntryPoint::ConsultarSAT;
    case Command::Status:
    case Command::Saude:
      return satlib::EntryPoint::ConsultarStatusOperacional;
    case Command::Logs:
      return satlib::EntryPoint::ExtrairLogs;
    case Command::Sessao:
      return satlib::EntryPoint::ConsultarNumeroSessao;
    case Command::UltimaSessao:
      break;
  }
  return satlib::EntryPoint::ConsultarUltimaSessaoFiscal;
}

// The return code and the message, after the validation code when there is
// one; false for an answer without a return code.
bool readHead(const page::AnswerFields& fields, CommandResult& result) {
  if (fields.count() < 2) {
    result.summary = fields.count() == 0 ? u"O SAT não respondeu: resposta vazia."
                                         : u"O SAT respondeu sem código de retorno.";
    return false;
  }
  result.returnCode = std::string(std::string_view(fields[1]));
  const std::size_t messageField = page::validationCodeFirst(fields) ? 3 : 2;
  if (fields.count() > messageField) result.message = platform::fromUtf8(fields[messageField]);
  return true;
}

void refusal(CommandResult& result) {
  result.summary =
      u"O SAT recusou: " + platform::fromUtf8(result.returnCode) + u" - " + result.message;
}

void readQuery(const page::AnswerFields& fields, CommandResult& result) {
  if (!readHead(fields, result)) return;
  if (result.returnCode != "08000") return refusal(result);
  result.answered = true;
  result.level = Level::Ok;
  result.summary = result.message + u" (08000)";
}

void readStatus(const page::AnswerFields& fields, std::string_view answer,
                const platform::Clock& clock, CommandResult& result) {
  if (!readHead(fields, result)) return;
  if (result.returnCode != "10000") return refusal(result);
  result.answered = true;
  for (std::size_t field = diagnostics::kFirstStatusField;
       result.command == Command::Status && field < fields.count(); ++field) {
    result.listing.push_back(diagnostics::statusLine(field, fields[field]));
    result.fields.push_back({diagnostics::statusLabel(field), platform::fromUtf8(fields[field])});
  }
  if (fields.count() > diagnostics::kFirstStatusField)
    result.serial = platform::trimmed(platform::fromUtf8(fields[diagnostics::kFirstStatusField]));
  result.checks = health::worstFirst(health::assessHealth(answer, clock.dateAndTime()));
  result.level = health::worstLevel(result.checks);
  if (result.level == Level::Ok) {
    result.summary = u"Todas as " + platform::fromUtf8(std::to_string(result.checks.size())) +
                     u" verificações em ordem";
    return;
  }
  for (const health::Check& check : result.checks) {
    if (check.level == Level::Ok) break;
    if (!result.summary.empty()) result.summary += u"; ";
    result.summary += check.sentence;
  }
}

// A session query and the last fiscal session bring back another command's
// answer; an answer with the query's own session number is the query's own
// refusal.
void readConsulted(const page::AnswerFields& fields, const Invocation& invocation,
                   CommandResult& result) {
  if (fields.count() >= 2 && satlib::sameSessionNumber(fields[0], result.sessao)) {
    readHead(fields, result);
    return refusal(result);
  }
  if (!readHead(fields, result)) return;
  result.answered = true;
  result.level = Level::Ok;
  result.summary = u"Sessão " + platform::fromUtf8(fields[0]) + u": " +
                   platform::fromUtf8(result.returnCode) + u" - " + result.message;
  if (!diagnostics::carriesCoupon(fields)) return;
  const diagnostics::ConsultedCoupon consulted = diagnostics::consultedCoupon(fields);
  result.summary += u"; chave " + platform::fromUtf8(consulted.key);
  if (!invocation.output) return;
  if (consulted.coupon.empty()) {
    result.summary += u"; a resposta não traz o cupom inteiro, nada foi gravado";
    return;
  }
  // Written as the program keeps CFe.xml.
  diagnostics::writeCouponLines(*invocation.output, diagnostics::couponLines(consulted.coupon));
  result.written = invocation.output;
  result.summary += u"; cupom gravado em " + invocation.output->text();
}

// The log, or its last SuperLog block, written as the log page saves it.
void readLog(const page::AnswerFields& fields, const Invocation& invocation,
             CommandResult& result) {
  if (!readHead(fields, result)) return;
  if (result.returnCode != "15000") return refusal(result);
  const diagnostics::DecodedLog decoded = diagnostics::decodeLog(fields.keep(5));
  const std::shared_ptr<const ui::TextSource> lines = invocation.superLog
                                                          ? diagnostics::superLogLines(decoded)
                                                          : diagnostics::wholeLogLines(decoded);
  ui::writeLines(*lines, *invocation.output);
  result.answered = true;
  result.level = Level::Ok;
  result.written = invocation.output;
  result.summary = std::u16string(invocation.superLog ? u"SuperLog" : u"Log") + u" do SAT (" +
                   platform::fromUtf8(std::to_string(lines->lineCount())) +
                   u" linhas) gravado em " + invocation.output->text();
}

void read(const Invocation& invocation, const std::string& answer, const platform::Clock& clock,
          CommandResult& result) {
  const page::AnswerFields fields(answer);
  switch (invocation.command) {
    case Command::Consultar:
      return readQuery(fields, result);
    case Command::Status:
    case Command::Saude:
      return readStatus(fields, answer, clock, result);
    case Command::Logs:
      return readLog(fields, invocation, result);
    case Command::Sessao:
    case Command::UltimaSessao:
      return readConsulted(fields, invocation, result);
  }
}

}  // namespace

CommandResult runCommand(const Invocation& invocation, const std::string& code,
                         DeviceAccess& device) {
  CommandResult result;
  result.command = invocation.command;
  result.sessao = device.sessions.geranumsessao();
  const int sessao = std::stoi(result.sessao);
  std::string answer;
  try {
    device.deviceCalls.whileDeviceWorks(
        [&] { answer = callFor(invocation, device.library, sessao, code); });
    read(invocation, answer, device.clock, result);
  } catch (const DeviceUnavailable& unavailable) {
    result.sessao.clear();
    result.summary = unavailable.reason;
  } catch (const ui::DeviceCallFaulted&) {
    result.summary = u"O SAT.DLL falhou ao executar " +
                     platform::fromUtf8(satlib::entryPointName(entryPointOf(invocation.command))) +
                     u".";
  } catch (const satlib::MissingEntryPoint& missing) {
    result.summary = platform::fromUtf8(missing.what());
  } catch (const page::MissingAnswerField& missing) {
    result.summary = platform::fromUtf8(missing.what());
  } catch (const platform::FileError&) {
    result.answered = false;
    result.level = Level::Unknown;
    result.summary = u"Não foi possível gravar o arquivo " + invocation.output->text() + u".";
  }
  return result;
}

int exitCodeOf(Level level) {
  switch (level) {
    case Level::Ok:
      return 0;
    case Level::Warning:
      return 1;
    case Level::Critical:
      return 2;
    case Level::Unknown:
      break;
  }
  return 3;
}

}  // namespace cli
