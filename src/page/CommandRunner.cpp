#include "page/CommandRunner.h"

#include <exception>
#include <stdexcept>

#include "platform/Text.h"
#include "ui/BoundedMessages.h"

namespace page {

namespace {
constexpr std::size_t kStatusLimit = 110;

// Restores the cursor and clears the wait text when it goes out of scope.
class WaitIndication {
 public:
  explicit WaitIndication(CommandRunner& runner) : runner_(runner) { runner_.CursorWait(); }
  ~WaitIndication() { runner_.CursorDefault(); }
  WaitIndication(const WaitIndication&) = delete;
  WaitIndication& operator=(const WaitIndication&) = delete;

 private:
  CommandRunner& runner_;
};
}  // namespace

DeviceCallFailed::DeviceCallFailed(satlib::EntryPoint entry)
    : std::runtime_error(std::string("O SAT.DLL falhou ao executar ") +
                         satlib::entryPointName(entry) + "."),
      ui::FailureClass(ui::FailureKind::DeviceCall) {}

CommandRunner::CommandRunner(ui::Messages& messages, ui::DeviceCalls& deviceCalls,
                             satlib::SatLibrary& library, satlib::CallRecorder& calls,
                             satlib::SessionNumbers& sessions, ui::Form& mainWindow,
                             ui::StatusBar& statusBar, PageHost& host, AuthorityWindow authority)
    : messages_(messages),
      deviceCalls_(deviceCalls),
      library_(library),
      calls_(calls),
      sessions_(sessions),
      mainWindow_(mainWindow),
      statusBar_(statusBar),
      host_(host),
      authority_(authority) {}

void CommandRunner::run(const Command& command) {
  const std::u16string code =
      platform::trimmed(command.codeField ? command.codeField->text() : command.code);
  if (command.checkCode && isShortCode(code)) {
    messages_.showMessage(std::u16string(kCodeTooShort));
    if (command.codeField) command.codeField->setText({});
    return;
  }
  if (command.prepare) command.prepare();
  // A slot the library lacks is reported before anything is drawn or shown.
  if (!library_.has(command.entryPoint)) throw satlib::MissingEntryPoint(command.entryPoint);

  callLibrary(command, code);
  host_.showSessionNumber(platform::fromAnsi(NumSessao_));
  if (!command.statusAfterMessages) mostrastatus(*Retorno_);

  const AnswerFields CamposRetorno(Retorno_);
  std::exception_ptr reportedFailure;
  try {
    if (command.react) {
      command.react(CamposRetorno);
    } else {
      showCodeAndMessage(CamposRetorno);
    }
  } catch (const std::exception&) {
    if (command.readingFailuresReported) {
      reportedFailure = std::current_exception();
    } else if (command.onReadingFailed) {
      command.onReadingFailed();
    }
  }
  if (command.showsAuthorityMessage) MostraMSefaz(CamposRetorno);
  if (reportedFailure) std::rethrow_exception(reportedFailure);
  if (command.statusAfterMessages) mostrastatus(*Retorno_);
  if (command.codeField) command.codeField->setText({});
}

void CommandRunner::callLibrary(const Command& command, const std::u16string& code) {
  WaitIndication waiting(*this);
  NumSessao_ = sessions_.geranumsessao();
  const int sessao = std::stoi(NumSessao_);
  const std::string codigo = platform::toAnsi(code);
  std::string answer;
  // The call may run on another thread: it touches nothing but these.
  try {
    deviceCalls_.whileDeviceWorks([&] { answer = command.call(library_, sessao, codigo); });
  } catch (const ui::DeviceCallFaulted&) {
    throw DeviceCallFailed(command.entryPoint);
  }
  calls_.record(sessao, command.entryPoint, answer);
  // A buffer of its own for each answer: a page may keep it (see KeptField).
  Retorno_ = std::make_shared<std::string>(std::move(answer));
}

void CommandRunner::CursorWait() {
  statusBar_.setText(u"Aguardando retorno do SAT ...");
  statusBar_.repaintNow();
  mainWindow_.setCursor(ui::Cursor::Wait);
}

void CommandRunner::CursorDefault() {
  statusBar_.setText({});
  mainWindow_.setCursor(ui::Cursor::Default);
  statusBar_.repaintNow();
}

std::u16string statusText(std::string_view mensagem) {
  return ui::cutForWindow(platform::fromUtf8Start(mensagem, kStatusLimit + 1), kStatusLimit);
}

void CommandRunner::mostrastatus(std::string_view mensagem) {
  statusBar_.setText(statusText(mensagem));
}

void CommandRunner::MostraMSefaz(const AnswerFields& CamposRetorno) {
  // Association answers (130..) carry the authority's fields one place to the
  // right, after the validation code; devices built before that code existed
  // answer without it, and their authority fields stay in place. Other
  // answers move only after a four-digit validation code.
  const bool shifted = CamposRetorno[1].starts_with("130") ? carriesValidationCode(CamposRetorno)
                                                           : validationCodeFirst(CamposRetorno);
  const std::size_t codeField = shifted ? 4 : 3;
  if (CamposRetorno.count() <= codeField || CamposRetorno[codeField].empty()) return;
  authority_.MemoSefaz.clear();
  // The memo wraps its lines: a long field is cut so it shows at once.
  authority_.MemoSefaz.addLine(ui::cutForWindow(
      u"Código: " + platform::fromUtf8Start(CamposRetorno[codeField], ui::kLongestShownText)));
  authority_.MemoSefaz.addLine(u"");
  authority_.MemoSefaz.addLine(ui::cutForWindow(
      platform::fromUtf8Start(CamposRetorno[codeField + 1], ui::kLongestShownText + 1)));
  messages_.showModal(authority_.window);
}

void CommandRunner::showCodeAndMessage(const AnswerFields& CamposRetorno) {
  const std::size_t message = validationCodeFirst(CamposRetorno) ? 3 : 2;
  messages_.showMessage(platform::fromUtf8(std::string(CamposRetorno[1]) + ": " +
                                           std::string(CamposRetorno[message])));
}

}  // namespace page
