#pragma once
// The tests page (index 5): end-to-end tests and session queries, and the
// session-number field every command writes its number into.
#include "shell/PageFrame.h"

namespace diagnostics {

struct TestsPage {
  explicit TestsPage(ui::Control* pageControl);

  shell::PageFrame frame;  // its header bar is Panel4
  ui::Memo MemoCFe;
  ui::Label LabelSessao;
  ui::Edit Edit1;
};

}  // namespace diagnostics
