#include "shell/UMSefaz.h"

namespace shell {

TFMSefaz::TFMSefaz() : ui::Form("TFMSefaz"), MemoSefaz("MemoSefaz", this) {
  setText(u"Quorvel (Mensagem Sefaz)");
  borderStyle = ui::BorderStyle::Sizeable;
  minimizeBox = false;
  maximizeBox = false;
  closesWithEscapeAndEnter = true;
  setFont({u"Tahoma", 11, false, ui::kDefaultColor});
  MemoSefaz.setAlign(ui::Align::Client);
  MemoSefaz.setReadOnly(true);
  MemoSefaz.verticalScrollBar = true;
  MemoSefaz.setTabOrder(0);
  setBounds({0, 0, 447, 129});
}

}  // namespace shell
