#pragma once
// What every page is built from: the runner, the parameter dataset, the
// messages and file pickers, the prompt's outcome, the main window's services and the folder
// the program's files live in.
#include "platform/Path.h"

#include "page/CommandRunner.h"
#include "page/PageHost.h"
#include "page/PromptOutcome.h"
#include "platform/Clock.h"
#include "settings/ParameterDataset.h"
#include "ui/FilePickers.h"
#include "ui/Messages.h"

namespace page {

struct PageContext {
  CommandRunner& runner;
  settings::ParameterDataset& cds;
  ui::Messages& messages;
  ui::FilePickers& files;
  PromptOutcome& prompt;
  // This computer's date and time, which the status page holds the
  // device's against.
  const platform::Clock& clock;
  PageHost& host;
  platform::Path programFolder;
};

}  // namespace page
