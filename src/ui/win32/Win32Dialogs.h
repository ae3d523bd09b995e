#pragma once
// The real dialogs: message boxes centred on the screen, the common file
// dialogs, modal forms through the window host, the shell.
#include <windows.h>

#include <string>

#include "ui/Dialogs.h"

namespace ui::win32 {

class WindowHost;
class DeviceWait;

class Win32Dialogs : public Dialogs {
 public:
  explicit Win32Dialogs(std::u16string applicationTitle) : title_(std::move(applicationTitle)) {}
  void setHost(WindowHost& host) { host_ = &host; }
  void setDeviceWait(DeviceWait& wait) { deviceWait_ = &wait; }
  // Warning icon, Yes and No, No the default; true for Yes.
  bool askYesNo(const std::u16string& text);

  void showMessage(const std::u16string& text) override;
  bool confirm(const std::u16string& text) override;
  void systemError(const std::u16string& text, const std::u16string& caption) override;
  std::optional<std::u16string> openFile(const FileDialogOptions& options) override;
  std::optional<std::u16string> saveFile(const FileDialogOptions& options) override;
  void showModal(Form& form) override;
  void openWithShell(const std::u16string& path) override;
  void reportUnexpected(const std::u16string& description) override;
  void whileDeviceWorks(const std::function<void()>& call) override;
  void whileLibraryLoads(const std::function<void()>& load) override;

 private:
  std::u16string title_;
  WindowHost* host_ = nullptr;
  DeviceWait* deviceWait_ = nullptr;
};

}  // namespace ui::win32
