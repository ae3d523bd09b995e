#pragma once
// TFAtivacao, the main window: the side buttons on the left select the pages
// of a page control without tabs; the status bar shows the last answer. The
// window only assembles: each page owns its controls and handlers, and asks
// the window for the few services of page::PageHost.
#include "platform/Path.h"

#include "diagnostics/HomePage.h"
#include "diagnostics/LogPage.h"
#include "diagnostics/StatusPage.h"
#include "diagnostics/TestsPage.h"
#include "diagnostics/UFimaFim.h"
#include "page/CommandRunner.h"
#include "page/PageContext.h"
#include "page/PageHost.h"
#include "page/PromptOutcome.h"
#include "provisioning/ActivationPage.h"
#include "provisioning/CodeChangePage.h"
#include "provisioning/LockPage.h"
#include "provisioning/NetworkPage.h"
#include "provisioning/SignaturePage.h"
#include "provisioning/SoftwareUpdatePage.h"
#include "satlib/SatLibrary.h"
#include "satlib/SessionNumbers.h"
#include "settings/ParameterDataset.h"
#include "shell/UMSefaz.h"
#include "shell/UValida.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"

namespace shell {

// What the main window works with, owned by the program.
struct MainWindowServices {
  ui::Dialogs& dialogs;
  satlib::SatLibrary& library;
  satlib::CallRecorder& calls;
  satlib::SessionNumbers& sessions;
  platform::Path programFolder;
  page::PromptOutcome& prompt;
  TFValida& valida;
  TFMSefaz& msefaz;
  diagnostics::TFFimAFim& fimAFim;
};

class TFAtivacao : public ui::Form, private page::PageHost {
 public:
  explicit TFAtivacao(MainWindowServices services);

  void FormCreate();
  // The window is going away at program end: the parameter record is saved.
  void FormDestroy();
  void FormResize();
  // Whether creation asked the program to end before its message loop runs.
  bool terminateRequested() const { return terminateRequested_; }
  void BtnSairClick();

  ui::StatusBar StatusBar;
  ui::Panel Panel1;
  ui::Button BtnPrincipal;
  ui::Button BtnConfRede;
  ui::Button BtnAtivacao;
  ui::Button BtnAssocAssin;
  ui::Button BtnTestefimafim;
  ui::Button BitBtnStatus;
  ui::Button BitLogs;
  ui::Button BtnCodAtivacao;
  ui::Button BtnBloquearSAT;
  ui::Button BitAtualizaSW;
  ui::Image Image1;
  ui::Button BitSuperLog;
  ui::Button BtnSair;
  ui::PageControl PageControl;

  settings::ParameterDataset cds;
  page::CommandRunner runner;

 private:
  // Built before the pages, which are made from it.
  MainWindowServices services_;
  page::PageContext context_;

 public:
  diagnostics::HomePage TabMirel;
  provisioning::CodeChangePage TabCodAtiva;
  provisioning::ActivationPage TabAtivar;
  provisioning::SignaturePage TabAssocAss;
  provisioning::LockPage TabBloq;
  diagnostics::TestsPage TabTeste;
  provisioning::NetworkPage TabConfRede;
  diagnostics::StatusPage TabStatus;
  diagnostics::LogPage TabLog;
  provisioning::SoftwareUpdatePage TavAtualizaSW;

 private:
  void setUpPages();
  void layOutSidePanel();

  // page::PageHost
  void showPage(page::PageIndex index) override;
  void showSessionNumber(std::u16string_view number) override;
  void clearExtractedLogs() override;
  void colourDeviceButton(ui::Color colour) override;
  void askForCode() override;
  void bringMainWindowToFront() override;

  bool terminateRequested_ = false;
};

}  // namespace shell
