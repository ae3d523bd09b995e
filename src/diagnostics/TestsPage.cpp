#include "diagnostics/TestsPage.h"

namespace diagnostics {

TestsPage::TestsPage(ui::Control* pageControl)
    : frame(pageControl, "TabTeste", "Panel4", u""),
      MemoCFe("MemoCFe", &frame.sheet),
      LabelSessao("LabelSessao", &frame.sheet),
      Edit1("Edit1", &frame.sheet) {
  MemoCFe.setBounds({8, 33, 520, 305});
  MemoCFe.setReadOnly(true);
  MemoCFe.fixedPitch = true;
  MemoCFe.horizontalScrollBar = true;
  MemoCFe.wordWrap = false;
  MemoCFe.setAnchors({true, true, true, true});

  LabelSessao.setText(u"Sessão:");
  LabelSessao.setBounds({8, 379, 40, 14});
  LabelSessao.setAnchors({true, false, false, true});
  Edit1.setBounds({52, 376, 51, 21});
  Edit1.setMaxLength(6);
  Edit1.numbersOnly = true;
  Edit1.centered = true;
  Edit1.setAnchors({true, false, false, true});
  Edit1.setTabOrder(0);
}

}  // namespace diagnostics
