#include "shell/UMSefaz.h"

#include "page/PageLayout.h"

namespace shell {

TFMSefaz::TFMSefaz()
    : page::Dialog("TFMSefaz", u"Quorvel (Mensagem Sefaz)", 447, 129, page::DialogBorder::Sizeable),
      MemoSefaz("MemoSefaz", this) {
  closesWithEscapeAndEnter = true;
  layOutControls();
}

// The memo fills the window, so its row gives no bounds.
void TFMSefaz::layOutControls() {
  page::layOut({{MemoSefaz, {}}});
  MemoSefaz.setAlign(ui::Align::Client);
  MemoSefaz.setReadOnly(true);
  MemoSefaz.verticalScrollBar = true;
}

}  // namespace shell
