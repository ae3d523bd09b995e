#include "ui/win32/Win32Ui.h"

namespace ui::win32 {

Win32Ui::Win32Ui(HINSTANCE instance, std::u16string applicationTitle, HICON icon)
    : dialogs_(std::move(applicationTitle)),
      dispatcher_(boundedDialogs_),
      host_(instance, icon, dispatcher_) {
  dialogs_.setHost(host_);
}

}  // namespace ui::win32
