#include "page/Dialog.h"

namespace page {

Dialog::Dialog(std::string name, std::u16string_view caption, int clientWidth, int clientHeight,
               DialogBorder border)
    : ui::Form(std::move(name)) {
  setText(std::u16string(caption));
  minimizeBox = false;
  maximizeBox = false;
  if (border == DialogBorder::Fixed) {
    borderStyle = ui::BorderStyle::Dialog;
    stayOnTop = true;
    setColor(ui::kSilver);
  }
  setFont({u"Tahoma", 11, false, ui::kDefaultColor});
  setBounds({0, 0, clientWidth, clientHeight});
}

}  // namespace page
