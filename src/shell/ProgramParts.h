#pragma once
// What the windows of the program work with, built in layers, each a base of
// the next: a base is always built before what derives from it, whatever
// order the members are declared in, so no window can be handed a part that
// does not exist yet. Inside a layer the members only keep references to each
// other.
#include "platform/Path.h"

#include "diagnostics/UFimaFim.h"
#include "page/PromptOutcome.h"
#include "platform/Clock.h"
#include "satlib/CallRecorder.h"
#include "satlib/SatLibrary.h"
#include "satlib/SessionNumbers.h"
#include "settings/ParameterDataset.h"
#include "shell/UMSefaz.h"
#include "shell/UValida.h"
#include "ui/BoundedMessages.h"
#include "ui/DeviceCalls.h"
#include "ui/FilePickers.h"
#include "ui/Messages.h"

namespace shell {

// What the platform gives the program: its windows' messages, the file
// pickers, and the thread the device library runs on.
struct PlatformServices {
  ui::Messages& messages;
  ui::FilePickers& files;
  ui::DeviceCalls& deviceCalls;
};

// What every window works with.
struct ProgramServices {
  ProgramServices(PlatformServices platform, satlib::SatLibrary& library,
                  const platform::Clock& clock, const platform::Path& programFolder);

  // Every message of the program goes through this.
  ui::BoundedMessages messages;
  ui::FilePickers& files;
  ui::DeviceCalls& deviceCalls;
  satlib::SatLibrary& library;
  const platform::Clock& clock;
  page::PromptOutcome prompt;
  satlib::SessionNumbers sessions;
  // This run's answers, which the runner records, for the report.
  satlib::CallRecorder calls;
  // The parameter record, which the main window's pages and the test
  // dialog read.
  settings::ParameterDataset cds;
  platform::Path programFolder;
};

// The windows the main window opens.
struct ProgramDialogs : ProgramServices {
  ProgramDialogs(PlatformServices platform, satlib::SatLibrary& library,
                 const platform::Clock& clock, const platform::Path& programFolder);

  TFValida valida;
  TFMSefaz msefaz;
  diagnostics::TFFimAFim fimAFim;
};

}  // namespace shell
