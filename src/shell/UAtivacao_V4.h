#pragma once
// TFAtivacao, the main window: the side buttons on the left select the pages
// of a page control without tabs; the status bar shows the last answer.
#include <filesystem>
#include <memory>

#include "diagnostics/TestsPage.h"
#include "provisioning/ActivationPage.h"
#include "provisioning/NetworkPage.h"
#include "satlib/SatLibrary.h"
#include "satlib/SessionNumbers.h"
#include "settings/ParameterDataset.h"
#include "shell/CommandRunner.h"
#include "shell/HomePage.h"
#include "shell/PageFrame.h"
#include "shell/UValida.h"
#include "ui/Controls.h"
#include "ui/Dialogs.h"

namespace shell {

class TFMSefaz;

// What the main window works with, owned by the program.
struct MainWindowServices {
  ui::Dialogs& dialogs;
  satlib::SatLibrary& library;
  satlib::SessionNumbers& sessions;
  std::filesystem::path programFolder;
  PromptOutcome& prompt;
  TFValida& valida;
  TFMSefaz& msefaz;
};

class TFAtivacao : public ui::Form {
 public:
  explicit TFAtivacao(MainWindowServices services);

  void FormCreate();
  // The window is going away at program end: the parameter record is saved.
  void FormDestroy();
  void FormResize();
  // Whether creation asked the program to end before its message loop runs.
  bool terminateRequested() const { return terminateRequested_; }

  void BtnPrincipalClick();
  void BtnConfRedeClick();
  void BtnAtivacaoClick();
  void BtnAssocAssinClick();
  void BtnTestefimafimClick();
  void BitBtnStatusClick();
  void BitLogsClick();
  void BtnCodAtivacaoClick();
  void BtnBloquearSATClick();
  void BitAtualizaSWClick();
  void BitSuperLogClick();
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

  HomePage TabMirel;
  PageFrame TabCodAtiva;
  provisioning::ActivationPage TabAtivar;
  PageFrame TabAssocAss;
  PageFrame TabBloq;
  diagnostics::TestsPage TabTeste;
  provisioning::NetworkPage TabConfRede;
  PageFrame TabStatus;
  PageFrame TabLog;
  PageFrame TavAtualizaSW;

  settings::ParameterDataset cds;
  CommandRunner runner;

 private:
  void layOutSidePanel();
  void wireHandlers();
  // Asks for the activation code in TFValida; the outcome is left in the
  // shared PromptOutcome.
  void askForCode();

  MainWindowServices services_;
  bool terminateRequested_ = false;
};

}  // namespace shell
