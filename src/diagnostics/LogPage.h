#pragma once
// The log page (index 9): the device's log, whole or reduced to its last
// SuperLog block. Both side buttons ask for the activation code first and
// show the page whatever the prompt's outcome.
#include "page/PageContext.h"
#include "page/PageFrame.h"

namespace diagnostics {

class LogPage {
 public:
  LogPage(ui::PageControl& pages, page::PageContext& context);

  // The side buttons "Extrair Logs" and "SuperLog".
  void BitLogsClick();
  void BitSuperLogClick();

  page::PageFrame frame;  // its header bar is Panel11
  ui::Memo MemoLogs;

 private:
  page::PageContext& context_;
};

}  // namespace diagnostics
