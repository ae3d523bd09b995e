#pragma once
// The whole program without its platform: the windows, the library access and
// the session numbers, created in the start-up order. The Win32 entry point
// puts native windows on it; the tests drive it headless.
#include "platform/Path.h"

#include "diagnostics/UFimaFim.h"
#include "platform/Clock.h"
#include "satlib/CallRecorder.h"
#include "satlib/SatLibrary.h"
#include "satlib/SessionNumbers.h"
#include "shell/SupportReport.h"
#include "shell/UAtivacao_V4.h"
#include "shell/UMSefaz.h"
#include "shell/UValida.h"
#include "ui/BoundedDialogs.h"
#include "ui/Dialogs.h"

namespace shell {

inline constexpr char16_t kApplicationTitle[] = u"Mirel - Programa de Ativação S@T";

class Program {
 public:
  Program(ui::Dialogs& dialogs, satlib::SatLibrary& library, const platform::Clock& clock,
          platform::Path programFolder);

  // Creates the settings files that are missing, then the windows, each once.
  void start();

 private:
  // What every window of the program shows goes through this; made first.
  ui::BoundedDialogs dialogs_;

 public:
  page::PromptOutcome prompt;
  satlib::SessionNumbers sessions;
  // This run's answers, which the runner records, for the report.
  satlib::CallRecorder calls;
  TFValida valida;
  TFMSefaz msefaz;
  TFAtivacao main;
  // Made after the main window, whose parameter record it reads when shown.
  diagnostics::TFFimAFim fimAFim;
  SupportReport support;

 private:
  platform::Path programFolder_;
};

}  // namespace shell
