#include "diagnostics/TestsPage.h"

#include "page/PageLayout.h"

namespace diagnostics {

TestsPage::TestsPage(ui::PageControl& pages, page::PageContext& context)
    : frame(&pages, "TabTeste", "Panel4", u""),
      MemoCFe("MemoCFe", &frame.sheet),
      LabelSessao("LabelSessao", &frame.sheet),
      Edit1("Edit1", &frame.sheet),
      context_(context) {
  layOutControls();
}

void TestsPage::layOutControls() {
  page::layOut({
      {MemoCFe, {8, 33, 520, 305}, {}, page::Tab::Skip},
      {LabelSessao, {8, 379, 40, 14}, u"Sessão:"},
      {Edit1, {52, 376, 51, 21}},
  });
  MemoCFe.setReadOnly(true);
  MemoCFe.fixedPitch = true;
  MemoCFe.horizontalScrollBar = true;
  MemoCFe.wordWrap = false;
  MemoCFe.setAnchors({true, true, true, true});
  LabelSessao.setAnchors({true, false, false, true});
  Edit1.setMaxLength(6);
  Edit1.numbersOnly = true;
  Edit1.centered = true;
  Edit1.setAnchors({true, false, false, true});
}

void TestsPage::BtnTestefimafimClick() {
  frame.header.setText({});
  MemoCFe.clear();
  context_.runner.mostrastatus({});
  context_.host.showPage(page::kPaginaTeste);
}

}  // namespace diagnostics
