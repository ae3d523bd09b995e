#include "shell/UAtivacao_V4.h"

#include "diagnostics/DeviceQuery.h"
#include "platform/Files.h"
#include "shell/Pictures.h"
#include "shell/UMSefaz.h"

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
      TabMirel(&PageControl),
      TabCodAtiva(&PageControl, "TabCodAtiva", "PanelCodAtiva", u"CÓDIGO DE ATIVAÇÃO"),
      TabAtivar(&PageControl),
      TabAssocAss(&PageControl, "TabAssocAss", "PanelAssocAss", u"ASSOCIAR APLIC. COMERCIAL"),
      TabBloq(&PageControl, "TabBloq", "PanelBloq", u"BLOQUEAR/DESBLOQUEAR"),
      TabTeste(&PageControl),
      TabConfRede(&PageControl),
      TabStatus(&PageControl, "TabStatus", "PanelStatus", u"STATUS OPERACIONAL"),
      TabLog(&PageControl, "TabLog", "Panel11", u"EXTRAÇÃO DOS LOGS"),
      TavAtualizaSW(&PageControl, "TavAtualizaSW", "PanelAtualizaSW", u"ATUALIZAR SOFTWARE BÁSICO"),
      cds(services.programFolder, services.dialogs),
      runner(services.dialogs, services.library, services.sessions, *this, StatusBar,
             TabTeste.Edit1, services.msefaz),
      services_(std::move(services)) {
  setText(u"SAT - MIREL (Ativação - Versão: 3.0.0.3)");
  setFont({u"Tahoma", 11, false, ui::kDefaultColor});
  scrollsWhenSmall = true;

  StatusBar.setAlign(ui::Align::Bottom);
  StatusBar.setBounds({0, 0, 0, kStatusBarHeight});
  Panel1.setAlign(ui::Align::Left);
  Panel1.setBounds({0, 0, kSidePanelWidth, 0});
  PageControl.setAlign(ui::Align::Client);
  PageControl.setTabOrder(0);
  std::vector<ui::TabSheet*> pages(kPageCount, nullptr);
  pages[kPaginaPrincipal] = &TabMirel.frame.sheet;
  pages[kPaginaCodigoAtivacao] = &TabCodAtiva.sheet;
  pages[kPaginaAtivacao] = &TabAtivar.frame.sheet;
  pages[kPaginaAssociacao] = &TabAssocAss.sheet;
  pages[kPaginaBloqueio] = &TabBloq.sheet;
  pages[kPaginaTeste] = &TabTeste.frame.sheet;
  pages[kPaginaRede] = &TabConfRede.frame.sheet;
  pages[kPaginaStatus] = &TabStatus.sheet;
  pages[kPaginaLogs] = &TabLog.sheet;
  pages[kPaginaAtualizacao] = &TavAtualizaSW.sheet;
  PageControl.setPages(std::move(pages));
  // The tests page is the page control's initial page: a window whose
  // library failed to load opens on it.
  PageControl.setActivePageIndex(kPaginaTeste);

  layOutSidePanel();
  wireHandlers();
  setBounds({0, 0, 668, 426});
}

void TFAtivacao::layOutSidePanel() {
  struct SideButton {
    ui::Button& button;
    int top;
    const char16_t* caption;
  };
  const SideButton buttons[] = {
      {BtnPrincipal, 0, u"SAT - MIREL"},
      {BtnConfRede, 28, u"Config. da Rede"},
      {BtnAtivacao, 56, u"Ativação do SAT"},
      {BtnAssocAssin, 84, u"Associar Aplic. Comercial"},
      {BtnTestefimafim, 112, u"Testes"},
      {BitBtnStatus, 140, u"Status"},
      {BitLogs, 168, u"Extrair Logs"},
      {BtnCodAtivacao, 196, u"Trocar Cód. Ativação"},
      {BtnBloquearSAT, 224, u"Bloquear/Desbloquear"},
      {BitAtualizaSW, 252, u"Atualizar SW Básico"},
      {BitSuperLog, 347, u"SuperLog"},
      {BtnSair, 376, u"Sair"},
  };
  int order = 0;
  for (const SideButton& side : buttons) {
    side.button.setText(side.caption);
    side.button.setBounds({0, side.top, kSideButtonWidth, kSideButtonHeight});
    side.button.setTabOrder(order++);
  }
  Image1.png = std::string(logoPicture());
  Image1.center = true;
  Image1.proportional = true;
  Image1.transparent = true;
  Image1.setBounds({(kSidePanelWidth - 124) / 2, 285, 124, 59});
}

void TFAtivacao::wireHandlers() {
  onResize = [this] { FormResize(); };
  BtnPrincipal.onClick = [this] { BtnPrincipalClick(); };
  TabMirel.BitBtn6.onClick = [this] { BtnPrincipalClick(); };
  BtnConfRede.onClick = [this] { BtnConfRedeClick(); };
  BtnAtivacao.onClick = [this] { BtnAtivacaoClick(); };
  BtnAssocAssin.onClick = [this] { BtnAssocAssinClick(); };
  BtnTestefimafim.onClick = [this] { BtnTestefimafimClick(); };
  BitBtnStatus.onClick = [this] { BitBtnStatusClick(); };
  BitLogs.onClick = [this] { BitLogsClick(); };
  BtnCodAtivacao.onClick = [this] { BtnCodAtivacaoClick(); };
  BtnBloquearSAT.onClick = [this] { BtnBloquearSATClick(); };
  BitAtualizaSW.onClick = [this] { BitAtualizaSWClick(); };
  BitSuperLog.onClick = [this] { BitSuperLogClick(); };
  BtnSair.onClick = [this] { BtnSairClick(); };
}

void TFAtivacao::FormCreate() {
  cds.open();
  TabTeste.Edit1.setText({});
  TabAtivar.fillStates();
  TabConfRede.Edtproxy_senha.setPasswordChar(u'*');
  TabTeste.MemoCFe.setBounds({TabTeste.MemoCFe.bounds().left, TabTeste.MemoCFe.bounds().top,
                              TabTeste.MemoCFe.width(), 305});
  if (!platform::fileExists(services_.programFolder / "SAT.DLL")) {
    services_.dialogs.showMessage(u"Erro: SAT.DLL não foi encotrada.");
    terminateRequested_ = true;
  } else if (!services_.library.CarregaDLL(u"SAT.DLL")) {
    return;
  }
  PageControl.setActivePageIndex(kPaginaPrincipal);
  StatusBar.setText({});
  services_.prompt.CodigoDigitado.clear();
}

void TFAtivacao::FormDestroy() {
  cds.close();
}

void TFAtivacao::FormResize() {
  TabMirel.centre();
}

void TFAtivacao::BtnPrincipalClick() {
  diagnostics::DeviceQuery(runner, *this, PageControl, TabMirel.lbloperante, BtnPrincipal).run();
}

void TFAtivacao::BtnConfRedeClick() {
  PageControl.setActivePageIndex(kPaginaRede);
}
void TFAtivacao::BtnAtivacaoClick() {
  PageControl.setActivePageIndex(kPaginaAtivacao);
}
void TFAtivacao::BtnAssocAssinClick() {
  PageControl.setActivePageIndex(kPaginaAssociacao);
}

void TFAtivacao::BtnTestefimafimClick() {
  TabTeste.frame.header.setText({});
  TabTeste.MemoCFe.clear();
  StatusBar.setText({});
  PageControl.setActivePageIndex(kPaginaTeste);
}

void TFAtivacao::askForCode() {
  services_.prompt.CodigoDigitado.clear();
  StatusBar.setText({});
  services_.dialogs.showModal(services_.valida);
}

// The status and log pages have no code field: their side buttons ask for the
// code first and show the page whatever the answer.
void TFAtivacao::BitBtnStatusClick() {
  askForCode();
  PageControl.setActivePageIndex(kPaginaStatus);
}

void TFAtivacao::BitLogsClick() {
  askForCode();
  PageControl.setActivePageIndex(kPaginaLogs);
}

void TFAtivacao::BtnCodAtivacaoClick() {
  PageControl.setActivePageIndex(kPaginaCodigoAtivacao);
}
void TFAtivacao::BtnBloquearSATClick() {
  PageControl.setActivePageIndex(kPaginaBloqueio);
}
void TFAtivacao::BitAtualizaSWClick() {
  PageControl.setActivePageIndex(kPaginaAtualizacao);
}
void TFAtivacao::BitSuperLogClick() {
  askForCode();
  PageControl.setActivePageIndex(kPaginaLogs);
}
void TFAtivacao::BtnSairClick() {
  close();
}

}  // namespace shell
