#include "diagnostics/StatusPage.h"

#include "diagnostics/StatusListing.h"
#include "page/InputChecks.h"
#include "page/PageLayout.h"
#include "platform/Text.h"

namespace diagnostics {

namespace {
constexpr int kHealthGap = 4;
}  // namespace

StatusPage::StatusPage(ui::PageControl& pages, page::PageContext& context)
    : frame(&pages, "TabStatus", "PanelStatus", u"STATUS OPERACIONAL"),
      MemoStatus("MemoStatus", &frame.sheet),
      EdtCodAtiv4("EdtCodAtiv4", &frame.sheet),
      BtnStatus("BtnStatus", &frame.sheet),
      health(&frame.sheet),
      context_(context) {
  layOutControls();
  wireHandlers();
}

void StatusPage::wireHandlers() {
  BtnStatus.onClick = [this] { BtnStatusClick(); };
}

void StatusPage::layOutControls() {
  page::layOut({
      {MemoStatus, {8, 33, 520, 366}},
      {EdtCodAtiv4, {8, 33, 100, 21}, {}, page::Tab::Skip},
      {BtnStatus, {8, 33, 100, 29}, u"Solicitar Status", page::Tab::Skip},
  });
  MemoStatus.setReadOnly(true);
  MemoStatus.fixedPitch = true;
  MemoStatus.setFont({{}, 13, false, ui::kDefaultColor});
  // A device may list any number of fields, of any length: the viewer shows
  // them at once where an edit control would need seconds.
  MemoStatus.largeText = true;
  MemoStatus.wordWrap = false;
  MemoStatus.horizontalScrollBar = true;
  MemoStatus.setAnchors({true, true, true, true});
  health.PanelSaude.setAnchors({true, false, true, true});
  EdtCodAtiv4.setPasswordChar(u'*');
  EdtCodAtiv4.setVisible(false);
  BtnStatus.setVisible(false);
}

void StatusPage::BitBtnStatusClick() {
  MemoStatus.clear();
  hideHealth();
  context_.runner.mostrastatus({});
  const bool confirmed = context_.host.askForCode().has_value();
  context_.host.showPage(page::kStatusPage);
  if (confirmed) BtnStatusClick();
}

void StatusPage::BtnStatusClick() {
  EdtCodAtiv4.setText(context_.prompt.CodigoDigitado);
  const std::u16string code = platform::trimmed(EdtCodAtiv4.text());
  if (page::isShortCode(code)) {
    context_.messages.showMessage(u"Novo código de ativação deve ter no mínimo 8 caracteres.");
    return;
  }
  page::Command command;
  command.entryPoint = satlib::EntryPoint::ConsultarStatusOperacional;
  command.code = code;
  command.call = [](satlib::SatLibrary& library, int sessao, const std::string& codigo) {
    return library.ConsultarStatusOperacional(sessao, codigo);
  };
  command.react = [this](const page::AnswerFields& CamposRetorno) {
    if (CamposRetorno[1] == "10000") {
      list(CamposRetorno);
      showHealth(CamposRetorno);
    } else {
      context_.runner.showCodeAndMessage(CamposRetorno);
    }
  };
  context_.runner.run(command);
}

// Built as one text, set once.
void StatusPage::list(const page::AnswerFields& CamposRetorno) {
  std::u16string listing = u" \r\n";
  for (std::size_t field = kFirstStatusField; field < CamposRetorno.count(); ++field)
    listing += statusLine(field, CamposRetorno[field]) + u"\r\n";
  MemoStatus.setText(std::move(listing));
}

// The memo gives up the foot of the page to the panel, and takes it back;
// the panel stays at the foot when the window is resized.
void StatusPage::showHealth(const page::AnswerFields& CamposRetorno) {
  const int bottom = listingBottom();
  health.show(health::assessHealth(CamposRetorno.answer(), context_.clock.dateAndTime()));
  const ui::Rect memo = MemoStatus.bounds();
  const int panelHeight = health.height();
  MemoStatus.setBounds(
      {memo.left, memo.top, memo.width, bottom - memo.top - panelHeight - kHealthGap});
  health.PanelSaude.setBounds({memo.left, bottom - panelHeight, memo.width, panelHeight});
}

void StatusPage::hideHealth() {
  const int bottom = listingBottom();
  health.clear();
  const ui::Rect memo = MemoStatus.bounds();
  MemoStatus.setBounds({memo.left, memo.top, memo.width, bottom - memo.top});
}

int StatusPage::listingBottom() const {
  const ui::Rect below =
      health.PanelSaude.visible() ? health.PanelSaude.bounds() : MemoStatus.bounds();
  return below.top + below.height;
}

}  // namespace diagnostics
