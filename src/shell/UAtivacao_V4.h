#pragma once
// TFAtivacao, the main window: the side buttons on the left select the pages
// of a page control without tabs; the status bar shows the last answer. The
// window only assembles: each page owns its controls and handlers, and asks
// the window for the few services of page::PageHost.
#include <vector>

#include "diagnostics/HomePage.h"
#include "diagnostics/LogPage.h"
#include "diagnostics/StatusPage.h"
#include "diagnostics/TestsPage.h"
#include "page/CommandRunner.h"
#include "page/PageContext.h"
#include "page/PageHost.h"
#include "provisioning/ActivationPage.h"
#include "provisioning/CodeChangePage.h"
#include "provisioning/LockPage.h"
#include "provisioning/NetworkPage.h"
#include "provisioning/SignaturePage.h"
#include "provisioning/SoftwareUpdatePage.h"
#include "shell/ProgramParts.h"
#include "ui/Controls.h"

namespace shell {

// The main window without its pages: the side panel, the status bar, the
// page control, and the runner and context the pages are made from. Its
// members only keep references to each other, so their order is free, except
// that a control comes after its parent.
class MainWindowFrame : public ui::Form {
 public:
  MainWindowFrame(ProgramDialogs& services, page::PageHost& host);

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

  page::CommandRunner runner;

 protected:
  ProgramDialogs& services_;
  page::PageContext context_;
};

// The pages are members of this class and the frame is its base: a base is
// built before the members, so every page finds the frame's context made,
// whatever order the pages are declared in.
class TFAtivacao : private page::PageHost, public MainWindowFrame {
 public:
  explicit TFAtivacao(ProgramDialogs& services);

  void FormCreate();
  // The window is going away at program end: the parameter record is saved.
  void FormDestroy();
  void FormResize();
  // Whether creation asked the program to end before its message loop runs.
  bool terminateRequested() const { return terminateRequested_; }
  void BtnSairClick();

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
  // One row per page, in the side panel's order from the top.
  struct PageRow {
    page::PageIndex index;
    ui::Button& sideButton;
    const char16_t* caption;
    ui::Handler onSideButtonClick;
    page::PageFrame& frame;
  };
  std::vector<PageRow> pageRows();
  void setUpPages(const std::vector<PageRow>& rows);
  void layOutSidePanel(const std::vector<PageRow>& rows);

  // page::PageHost
  void showPage(page::PageIndex index) override;
  void showSessionNumber(std::u16string_view number) override;
  void clearExtractedLogs() override;
  void colourDeviceButton(ui::Color colour) override;
  std::optional<std::u16string> askForCode() override;
  void bringMainWindowToFront() override;

  bool terminateRequested_ = false;
};

}  // namespace shell
