#pragma once
// The log page (index 9): the device's log, whole or cut down to its last
// SuperLog block, and saving what the memo shows to a file. Both side buttons
// ask for the activation code first, show the page with their mode whatever
// the prompt's outcome, and extract at once unless it was cancelled.
#include <string>
#include <string_view>

#include "diagnostics/LogView.h"
#include "page/PageContext.h"
#include "page/PageFrame.h"

namespace diagnostics {

class LogPage {
 public:
  // The page's mode, kept in the tag of its header bar.
  enum Mode : int { kWholeLog = 1, kSuperLog = 2 };

  LogPage(ui::PageControl& pages, page::PageContext& context);

  // The side buttons "Extrair Logs" and "SuperLog".
  void BitLogsClick();
  void BitSuperLogClick();
  // The extraction, run by the side buttons.
  void BtnLogsClick();
  void BtnLog1Click();
  void BtnLog2Click();
  // The last log the device sent in this run, decoded and cut at its end
  // mark, whichever view showed it; empty before the first.
  std::string_view lastLog() const { return logUpToNul(lastLog_.log); }

  page::PageFrame frame;  // its header bar is Panel11
  ui::Memo MemoLogs;
  ui::Label LabelLogs;
  ui::Edit EdtLogs;
  ui::Button BtnLog1;
  ui::Button BtnLog2;

 private:
  void layOutControls();
  void wireHandlers();
  void openInMode(Mode mode, std::u16string_view header);
  void show(const page::AnswerFields& CamposRetorno);

  page::PageContext& context_;
  DecodedLog lastLog_;
};

}  // namespace diagnostics
