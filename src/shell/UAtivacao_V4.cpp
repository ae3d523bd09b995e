#include "shell/UAtivacao_V4.h"

#include "page/Pictures.h"
#include "platform/Files.h"
#include "platform/ProgramVersion.h"

namespace shell {

namespace {
constexpr int kSidePanelWidth = 132;
constexpr int kSideButtonWidth = 130;
constexpr int kSideButtonHeight = 29;
// The page buttons overlap by a pixel, so their borders make one line.
constexpr int kPageButtonStep = 28;
constexpr int kLogoWidth = 124;
constexpr int kLogoHeight = 59;
constexpr int kGapAboveLogo = 4;
constexpr int kGapBelowLogo = 3;
constexpr int kStatusBarHeight = 19;
}  // namespace

MainWindowFrame::MainWindowFrame(ProgramDialogs& services, page::PageHost& host)
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
      runner(services.messages, services.deviceCalls, services.library, services.calls,
             services.sessions, *this, StatusBar, host,
             {services.msefaz, services.msefaz.MemoSefaz}),
      services_(services),
      context_{runner,         services.cds, services.messages,     services.files, services.prompt,
               services.clock, host,         services.programFolder} {}

TFAtivacao::TFAtivacao(ProgramDialogs& services)
    : MainWindowFrame(services, *this),
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
  const std::vector<PageRow> rows = pageRows();
  setUpPages(rows);
  layOutSidePanel(rows);
  onResize = [this] { FormResize(); };
  setBounds({0, 0, 668, 426});
}

// Adding a page is its member and one row here.
std::vector<TFAtivacao::PageRow> TFAtivacao::pageRows() {
  return {
      {page::kHomePage, BtnPrincipal, u"SAT - MIREL", [this] { TabMirel.BtnPrincipalClick(); },
       TabMirel.frame},
      {page::kNetworkPage, BtnConfRede, u"Config. da Rede",
       [this] { TabConfRede.BtnConfRedeClick(); }, TabConfRede.frame},
      {page::kActivationPage, BtnAtivacao, u"Ativação do SAT",
       [this] { TabAtivar.BtnAtivacaoClick(); }, TabAtivar.frame},
      {page::kSignaturePage, BtnAssocAssin, u"Associar Aplic. Comercial",
       [this] { TabAssocAss.BtnAssocAssinClick(); }, TabAssocAss.frame},
      {page::kTestsPage, BtnTestefimafim, u"Testes", [this] { TabTeste.BtnTestefimafimClick(); },
       TabTeste.frame},
      {page::kStatusPage, BitBtnStatus, u"Status", [this] { TabStatus.BitBtnStatusClick(); },
       TabStatus.frame},
      {page::kLogPage, BitLogs, u"Extrair Logs", [this] { TabLog.BitLogsClick(); }, TabLog.frame},
      {page::kCodeChangePage, BtnCodAtivacao, u"Trocar Cód. Ativação",
       [this] { TabCodAtiva.BtnCodAtivacaoClick(); }, TabCodAtiva.frame},
      {page::kLockPage, BtnBloquearSAT, u"Bloquear/Desbloquear",
       [this] { TabBloq.BtnBloquearSATClick(); }, TabBloq.frame},
      {page::kSoftwareUpdatePage, BitAtualizaSW, u"Atualizar SW Básico",
       [this] { TavAtualizaSW.BitAtualizaSWClick(); }, TavAtualizaSW.frame},
  };
}

void TFAtivacao::setUpPages(const std::vector<PageRow>& rows) {
  std::vector<ui::TabSheet*> pages(page::kPageCount, nullptr);
  for (const PageRow& row : rows) pages[row.index] = &row.frame.sheet;
  PageControl.setPages(std::move(pages));
  // The tests page is the page control's initial page: a window whose
  // library failed to load opens on it.
  PageControl.setActivePageIndex(page::kTestsPage);
}

// The page buttons from the top, then the logo, then the buttons that open
// no page of their own.
void TFAtivacao::layOutSidePanel(const std::vector<PageRow>& rows) {
  int order = 0;
  const auto place = [&](ui::Button& button, int top, const char16_t* caption,
                         ui::Handler onClick) {
    button.setText(caption);
    button.setBounds({0, top, kSideButtonWidth, kSideButtonHeight});
    button.setTabOrder(order++);
    button.onClick = std::move(onClick);
  };
  int top = 0;
  for (const PageRow& row : rows) {
    place(row.sideButton, top, row.caption, row.onSideButtonClick);
    top += kPageButtonStep;
  }
  const int logoTop = top - kPageButtonStep + kSideButtonHeight + kGapAboveLogo;
  Image1.png = std::string(page::logoPicture());
  Image1.center = true;
  Image1.proportional = true;
  Image1.setBounds({(kSidePanelWidth - kLogoWidth) / 2, logoTop, kLogoWidth, kLogoHeight});
  top = logoTop + kLogoHeight + kGapBelowLogo;
  place(BitSuperLog, top, u"SuperLog", [this] { TabLog.BitSuperLogClick(); });
  place(BtnSair, top + kSideButtonHeight, u"Sair", [this] { BtnSairClick(); });
}

void TFAtivacao::FormCreate() {
  // The page control has the focus when the window opens, so Enter right
  // after start runs nothing.
  PageControl.setFocus();
  services_.cds.open();
  if (!platform::fileExists(services_.programFolder / u"SAT.DLL")) {
    services_.messages.showMessage(u"Erro: SAT.DLL não foi encotrada.");
    terminateRequested_ = true;
  } else if (!services_.library.CarregaDLL(u"SAT.DLL")) {
    return;
  }
  PageControl.setActivePageIndex(page::kHomePage);
  StatusBar.setText({});
  services_.prompt.CodigoDigitado.clear();
}

void TFAtivacao::FormDestroy() {
  services_.cds.close();
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

std::optional<std::u16string> TFAtivacao::askForCode() {
  services_.prompt.CodigoDigitado.clear();
  services_.messages.showModal(services_.valida);
  if (services_.prompt.DialogoCancelado != 0) return std::nullopt;
  return services_.prompt.CodigoDigitado;
}

void TFAtivacao::bringMainWindowToFront() {
  bringToFront();
}

}  // namespace shell
