#include "shell/CommandRunner.h"

#include "platform/Text.h"
#include "shell/UMSefaz.h"

namespace shell {

namespace {
constexpr std::size_t kStatusLimit = 110;
constexpr std::size_t kMinimumCodeLength = 8;
}  // namespace

CommandRunner::CommandRunner(ui::Dialogs& dialogs, satlib::SatLibrary& library,
                             satlib::SessionNumbers& sessions, ui::Form& mainWindow,
                             ui::StatusBar& statusBar, ui::Edit& sessionField, TFMSefaz& msefaz)
    : dialogs_(dialogs),
      library_(library),
      sessions_(sessions),
      mainWindow_(mainWindow),
      statusBar_(statusBar),
      sessionField_(sessionField),
      msefaz_(msefaz) {}

void CommandRunner::run(const Command& command) {
  const std::u16string code =
      platform::trimmed(command.codeField ? command.codeField->text() : command.promptedCode);
  if (command.checkCode && code.size() < kMinimumCodeLength) {
    dialogs_.showMessage(command.shortCodeMessage);
    if (command.codeField) command.codeField->setText({});
    return;
  }
  if (command.prepare) command.prepare();
  // A slot the library lacks is reported before anything is drawn or shown.
  if (!library_.has(command.entryPoint)) throw satlib::MissingEntryPoint(command.entryPoint);

  CursorWait();
  NumSessao_ = sessions_.geranumsessao();
  Retorno_ = command.call(library_, std::stoi(NumSessao_), platform::toAnsi(code));
  CursorDefault();
  sessionField_.setText(platform::fromAnsi(NumSessao_));
  if (!command.statusAfterMessages) mostrastatus(Retorno_);

  AnswerFields CamposRetorno;
  const auto readAnswer = [&] {
    CamposRetorno = AnswerFields(Retorno_);
    if (command.react) {
      command.react(CamposRetorno);
    } else {
      showCodeAndMessage(CamposRetorno);
    }
  };
  if (command.readingFailuresReported) {
    readAnswer();
  } else {
    try {
      readAnswer();
    } catch (const std::exception&) {
      if (command.onReadingFailed) command.onReadingFailed();
    }
  }
  MostraMSefaz(CamposRetorno);
  if (command.statusAfterMessages) mostrastatus(Retorno_);
  if (command.codeField) command.codeField->setText({});
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

void CommandRunner::mostrastatus(std::string_view mensagem) {
  std::u16string text = platform::fromUtf8(mensagem);
  if (text.size() > kStatusLimit) {
    text.resize(kStatusLimit);
    text += u" ...";
  }
  statusBar_.setText(std::move(text));
}

void CommandRunner::MostraMSefaz(const AnswerFields& CamposRetorno) {
  const bool shifted = CamposRetorno[1].starts_with("130");
  const std::size_t codeField = shifted ? 4 : 3;
  if (CamposRetorno.count() <= codeField || CamposRetorno[codeField].empty()) return;
  msefaz_.MemoSefaz.clear();
  msefaz_.MemoSefaz.addLine(u"Código: " + platform::fromUtf8(CamposRetorno[codeField]));
  msefaz_.MemoSefaz.addLine(u"");
  msefaz_.MemoSefaz.addLine(platform::fromUtf8(CamposRetorno[codeField + 1]));
  dialogs_.showModal(msefaz_);
}

void CommandRunner::showCodeAndMessage(const AnswerFields& CamposRetorno) {
  dialogs_.showMessage(platform::fromUtf8(CamposRetorno[1] + ": " + CamposRetorno[2]));
}

}  // namespace shell
