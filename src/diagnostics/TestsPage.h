#pragma once
// The tests page (index 5): end-to-end tests and session queries, and the
// session-number field every command writes its number into.
#include "page/PageContext.h"
#include "page/PageFrame.h"

namespace diagnostics {

class TestsPage {
 public:
  TestsPage(ui::PageControl& pages, page::PageContext& context);

  // The side button "Testes": a clean page, without the last result.
  void BtnTestefimafimClick();

  page::PageFrame frame;  // its header bar is Panel4
  ui::Memo MemoCFe;
  ui::Label LabelSessao;
  ui::Edit Edit1;

 private:
  void layOutControls();

  page::PageContext& context_;
};

}  // namespace diagnostics
