#pragma once
// The real file pickers: the common open and save dialogs, owned by the
// active window, and the shell.
#include "ui/FilePickers.h"

namespace ui::win32 {

class Win32FilePickers : public FilePickers {
 public:
  std::optional<std::u16string> openFile(const FileDialogOptions& options) override;
  std::optional<std::u16string> saveFile(const FileDialogOptions& options) override;
  void openWithShell(const std::u16string& path) override;
};

}  // namespace ui::win32
