#include "diagnostics/LogPage.h"

#include "diagnostics/LogView.h"
#include "page/InputChecks.h"
#include "page/PageLayout.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "ui/TextSource.h"

namespace diagnostics {

LogPage::LogPage(ui::PageControl& pages, page::PageContext& context)
    : frame(&pages, "TabLog", "Panel11", u"EXTRAÇÃO DOS LOGS"),
      MemoLogs("MemoLogs", &frame.sheet),
      LabelLogs("LabelLogs", &frame.sheet),
      EdtLogs("EdtLogs", &frame.sheet),
      BtnLog1("BtnLog1", &frame.sheet),
      BtnLog2("BtnLog2", &frame.sheet),
      context_(context) {
  layOutControls();
  wireHandlers();
}

void LogPage::layOutControls() {
  page::layOut({
      {MemoLogs, {8, 33, 520, 334}},
      {LabelLogs, {8, 379, 56, 14}, u"Salvar em:"},
      {EdtLogs, {64, 376, 336, 21}},
      {BtnLog1, {404, 376, 24, 21}, u"..."},
      {BtnLog2, {436, 372, 92, 29}, u"Salvar"},
  });
  MemoLogs.setReadOnly(true);
  MemoLogs.fixedPitch = true;
  MemoLogs.largeText = true;
  MemoLogs.horizontalScrollBar = true;
  MemoLogs.wordWrap = false;
  MemoLogs.setFont({{}, 13, false, ui::kDefaultColor});
  MemoLogs.setAnchors({true, true, true, true});
  for (ui::Control* foot :
       std::initializer_list<ui::Control*>{&LabelLogs, &EdtLogs, &BtnLog1, &BtnLog2})
    foot->setAnchors({true, false, false, true});
  EdtLogs.setAnchors({true, false, true, true});
  BtnLog1.setAnchors({false, false, true, true});
  BtnLog2.setAnchors({false, false, true, true});
  frame.header.tag = kWholeLog;
}

void LogPage::wireHandlers() {
  BtnLog1.onClick = [this] { BtnLog1Click(); };
  BtnLog2.onClick = [this] { BtnLog2Click(); };
}

void LogPage::BitLogsClick() {
  openInMode(kWholeLog, u"EXTRAÇÃO DOS LOGS");
}

void LogPage::BitSuperLogClick() {
  openInMode(kSuperLog, u"SuperLog MIREL");
}

void LogPage::openInMode(Mode mode, std::u16string_view header) {
  MemoLogs.clear();
  context_.runner.mostrastatus({});
  const bool confirmed = context_.host.askForCode().has_value();
  context_.host.showPage(page::kLogPage);
  // A file named for the other view is not offered for this one: the short
  // SuperLog block must not replace the whole log saved a minute before.
  if (frame.header.tag != mode) EdtLogs.setText({});
  frame.header.tag = mode;
  frame.header.setText(std::u16string(header));
  if (confirmed) BtnLogsClick();
}

void LogPage::BtnLogsClick() {
  const std::u16string code = platform::trimmed(context_.prompt.CodigoDigitado);
  if (page::isShortCode(code)) {
    context_.messages.showMessage(std::u16string(page::kCodeTooShort));
    return;
  }
  MemoLogs.clear();
  page::Command command;
  command.entryPoint = satlib::EntryPoint::ExtrairLogs;
  command.code = code;
  command.call = [](satlib::SatLibrary& library, int sessao, const std::string& codigo) {
    return library.ExtrairLogs(sessao, codigo);
  };
  command.react = [this](const page::AnswerFields& CamposRetorno) { show(CamposRetorno); };
  context_.runner.run(command);
}

void LogPage::show(const page::AnswerFields& CamposRetorno) {
  if (CamposRetorno[1] != "15000") {
    context_.runner.showCodeAndMessage(CamposRetorno);
    return;
  }
  DecodedLog decoded = decodeLog(CamposRetorno.keep(5));
  MemoLogs.setSource(frame.header.tag == kSuperLog ? superLogLines(decoded)
                                                   : wholeLogLines(decoded));
  MemoLogs.scrollToEnd();
  lastLog_ = std::move(decoded);  // kept for the support report
}

void LogPage::BtnLog1Click() {
  ui::FileDialogOptions options{
      {}, u"Arquivos de texto (*.txt)|*.txt|Todos os arquivos (*.*)|*.*", u"txt", EdtLogs.text()};
  options.askBeforeReplacing = true;
  if (const auto path = context_.files.saveFile(options)) EdtLogs.setText(*path);
}

void LogPage::BtnLog2Click() {
  const std::u16string name = EdtLogs.text();
  if (name.empty()) {
    page::refuseInput(context_.messages, u"O nome do arquivo não foi especificado", BtnLog1);
    return;
  }
  try {
    // A name of blanks names no file on Windows; it fails the same way here.
    if (platform::trimmed(name).empty()) throw platform::FileError("no file name");
    ui::writeLines(*ui::linesOf(MemoLogs), platform::Path(name));
  } catch (const platform::FileError&) {
    context_.messages.showMessage(u"Erro ao tentar salvar o arquivo: " + name);
    return;
  }
  context_.messages.showMessage(u"Arquivo " + name + u" salvo com sucesso");
}

}  // namespace diagnostics
