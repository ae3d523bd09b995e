#include "ui/win32/Win32Ui.h"

namespace ui::win32 {

Win32Ui::Win32Ui(HINSTANCE instance, std::u16string applicationTitle, HICON icon)
    : dialogs_(applicationTitle),
      dispatcher_(boundedDialogs_),
      host_(instance, icon, dispatcher_),
      deviceWait_(devicePatienceFromEnvironment(), std::move(applicationTitle),
                  [this](const std::u16string& question) { return dialogs_.askYesNo(question); }) {
  dialogs_.setHost(host_);
  dialogs_.setDeviceWait(deviceWait_);
}

}  // namespace ui::win32
