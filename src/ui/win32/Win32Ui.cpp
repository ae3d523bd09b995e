#include "ui/win32/Win32Ui.h"

namespace ui::win32 {

Win32Ui::Win32Ui(HINSTANCE instance, std::u16string applicationTitle, HICON icon)
    : messages_(applicationTitle),
      dispatcher_(boundedMessages_),
      host_(instance, icon, dispatcher_),
      deviceWait_(devicePatienceFromEnvironment(), std::move(applicationTitle),
                  [this](const std::u16string& question) { return messages_.askYesNo(question); }) {
  messages_.setHost(host_);
}

}  // namespace ui::win32
