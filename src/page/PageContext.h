#pragma once
// What every page is built from: the runner, the parameter dataset, the
// dialogs, the prompt's outcome, the main window's services and the folder
// the program's files live in.
#include "platform/Path.h"

#include "page/CommandRunner.h"
#include "page/PageHost.h"
#include "page/PromptOutcome.h"
#include "settings/ParameterDataset.h"
#include "ui/Dialogs.h"

namespace page {

struct PageContext {
  CommandRunner& runner;
  settings::ParameterDataset& cds;
  ui::Dialogs& dialogs;
  PromptOutcome& prompt;
  PageHost& host;
  platform::Path programFolder;
};

}  // namespace page
