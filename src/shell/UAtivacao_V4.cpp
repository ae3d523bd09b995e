#include "shell/UAtivacao_V4.h"

#include "page/Pictures.h"
#include "platform/Files.h"
#include "platform/ProgramVersion.h"

namespace shell {

namespace {
constexpr int kSidePanelWidth = 132;
constexpr int kSideButtonWidth = 130;
constexpr int kSideButtonHeight = 29;
constexpr int kStatusBarHeight = 19;
}  // namespace

TFAtivacao::TFAtivacao(MainWindowServices services)
    : ui::Form("TFAtivacao"),
      StatusBar("StatusBar", this),
      Panel1("Panel1", this),
      BtnPrincipal("BtnPrincipal", &Panel1),
      BtnConfRede("BtnConfRede", &Panel1),
      BtnAtivacao("BtnAtivacao", &Panel1),
      BtnAssocAssin("BtnAssocAssin", &Panel1),
      BtnTestefimafim("BtnTestefimafim", &Panel1),
      BitBtnStatus("BitBtnStatus", &Panel1),
      BitLogs("BitLogs", &Panel1),
      BtnCodAtivacao("BtnCodAtivacao", &Panel1),
      BtnBloquearSAT("BtnBloquearSAT", &Panel1),
      BitAtualizaSW("BitAtualizaSW", &Panel1),
      Image1("Image1", &Panel1),
      BitSuperLog("BitSuperLog", &Panel1),
      BtnSair("BtnSair", &Panel1),
      PageControl("PageControl", this),
      cds(services.programFolder, services.dialogs),
      runner(services.dialogs, services.library, services.calls, services.sessions, *this,
             StatusBar, *this, {services.msefaz, services.msefaz.MemoSefaz}),
      services_(std::move(services)),
      context_{runner, cds, services_.dialogs, services_.prompt, *this, services_.programFolder},
      TabMirel(PageControl, context_),
      TabCodAtiva(PageControl, context_),
      TabAtivar(PageControl, context_),
      TabAssocAss(PageControl, context_),
      TabBloq(PageControl, context_),
      TabTeste(PageControl, context_, services_.fimAFim),
      TabConfRede(PageControl, context_),
      TabStatus(PageControl, context_),
      TabLog(PageControl, context_),
      TavAtualizaSW(PageControl, context_) {
  setText(u"SAT - MIREL (Ativação - Versão: " + std::u16string(platform::kProgramVersion) + u")");
  setFont({u"Tahoma", 11, false, ui::kDefaultColor});
  scrollsWhenSmall = true;

  StatusBar.setAlign(ui::Align::Bottom);
  StatusBar.setBounds({0, 0, 0, kStatusBarHeight});
  Panel1.setAlign(ui::Align::Left);
  Panel1.setBounds({0, 0, kSidePanelWidth, 0});
  PageControl.setAlign(ui::Align::Client);
  PageControl.setTabOrder(0);
  setUpPages();
  layOutSidePanel();
  onResize = [this] { FormResize(); };
  setBounds({0, 0, 668, 426});
}

// Adding a page is one member and one line here.
void TFAtivacao::setUpPages() {
  const struct {
    page::PageIndex index;
    page::PageFrame& frame;
  } table[] = {
      {page::kHomePage, TabMirel.frame},        {page::kCodeChangePage, TabCodAtiva.frame},
      {page::kActivationPage, TabAtivar.frame}, {page::kSignaturePage, TabAssocAss.frame},
      {page::kLockPage, TabBloq.frame},         {page::kTestsPage, TabTeste.frame},
      {page::kNetworkPage, TabConfRede.frame},  {page::kStatusPage, TabStatus.frame},
      {page::kLogPage, TabLog.frame},           {page::kSoftwareUpdatePage, TavAtualizaSW.frame},
  };
  std::vector<ui::TabSheet*> pages(page::kPageCount, nullptr);
  for (const auto& entry : table) pages[entry.index] = &entry.frame.sheet;
  PageControl.setPages(std::move(pages));
  // The tests page is the page control's initial page: a window whose
  // library failed to load opens on it.
  PageControl.setActivePageIndex(page::kTestsPage);
}

void TFAtivacao::layOutSidePanel() {
  struct SideButton {
    ui::Button& button;
    int top;
    const char16_t* caption;
    ui::Handler onClick;
  };
  const SideButton buttons[] = {
      {BtnPrincipal, 0, u"SAT - MIREL", [this] { TabMirel.BtnPrincipalClick(); }},
      {BtnConfRede, 28, u"Config. da Rede", [this] { TabConfRede.BtnConfRedeClick(); }},
      {BtnAtivacao, 56, u"Ativação do SAT", [this] { TabAtivar.BtnAtivacaoClick(); }},
      {BtnAssocAssin, 84, u"Associar Aplic. Comercial",
       [this] { TabAssocAss.BtnAssocAssinClick(); }},
      {BtnTestefimafim, 112, u"Testes", [this] { TabTeste.BtnTestefimafimClick(); }},
      {BitBtnStatus, 140, u"Status", [this] { TabStatus.BitBtnStatusClick(); }},
      {BitLogs, 168, u"Extrair Logs", [this] { TabLog.BitLogsClick(); }},
      {BtnCodAtivacao, 196, u"Trocar Cód. Ativação", [this] { TabCodAtiva.BtnCodAtivacaoClick(); }},
      {BtnBloquearSAT, 224, u"Bloquear/Desbloquear", [this] { TabBloq.BtnBloquearSATClick(); }},
      {BitAtualizaSW, 252, u"Atualizar SW Básico", [this] { TavAtualizaSW.BitAtualizaSWClick(); }},
      {BitSuperLog, 347, u"SuperLog", [this] { TabLog.BitSuperLogClick(); }},
      {BtnSair, 376, u"Sair", [this] { BtnSairClick(); }},
  };
  int order = 0;
  for (const SideButton& side : buttons) {
    side.button.setText(side.caption);
    side.button.setBounds({0, side.top, kSideButtonWidth, kSideButtonHeight});
    side.button.setTabOrder(order++);
    side.button.onClick = side.onClick;
  }
  Image1.png = std::string(page::logoPicture());
  Image1.center = true;
  Image1.proportional = true;
  Image1.transparent = true;
  Image1.setBounds({(kSidePanelWidth - 124) / 2, 285, 124, 59});
}

void TFAtivacao::FormCreate() {
  // The page control has the focus when the window opens, so Enter right
  // after start runs nothing.
  PageControl.setFocus();
  cds.open();
  if (!platform::fileExists(services_.programFolder / u"SAT.DLL")) {
    services_.dialogs.showMessage(u"Erro: SAT.DLL não foi encotrada.");
    terminateRequested_ = true;
  } else if (!services_.library.CarregaDLL(u"SAT.DLL")) {
    return;
  }
  PageControl.setActivePageIndex(page::kHomePage);
  StatusBar.setText({});
  services_.prompt.CodigoDigitado.clear();
}

void TFAtivacao::FormDestroy() {
  cds.close();
}

void TFAtivacao::FormResize() {
  TabMirel.centre();
}

void TFAtivacao::BtnSairClick() {
  close();
}

void TFAtivacao::showPage(page::PageIndex index) {
  PageControl.setActivePageIndex(index);
}

void TFAtivacao::showSessionNumber(std::u16string_view number) {
  TabTeste.Edit1.setText(std::u16string(number));
}

void TFAtivacao::clearExtractedLogs() {
  TabLog.MemoLogs.clear();
}

void TFAtivacao::colourDeviceButton(ui::Color colour) {
  ui::Font font = BtnPrincipal.font();
  font.color = colour;
  BtnPrincipal.setFont(font);
  repaintAll();
}

void TFAtivacao::askForCode() {
  services_.prompt.CodigoDigitado.clear();
  services_.dialogs.showModal(services_.valida);
}

void TFAtivacao::bringMainWindowToFront() {
  bringToFront();
}

}  // namespace shell
