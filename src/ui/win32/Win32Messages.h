#pragma once
// The real messages: message boxes centred on the screen, modal forms through
// the window host.
#include <windows.h>

#include <string>

#include "ui/Messages.h"

namespace ui::win32 {

class WindowHost;

class Win32Messages : public Messages {
 public:
  explicit Win32Messages(std::u16string applicationTitle) : title_(std::move(applicationTitle)) {}
  void setHost(WindowHost& host) { host_ = &host; }
  // Warning icon, Yes and No, No the default; true for Yes.
  bool askYesNo(const std::u16string& text);

  void showMessage(const std::u16string& text) override;
  bool confirm(const std::u16string& text) override;
  void systemError(const std::u16string& text, const std::u16string& caption) override;
  void reportUnexpected(const std::u16string& description) override;
  void showModal(Form& form) override;

 private:
  std::u16string title_;
  WindowHost* host_ = nullptr;
};

}  // namespace ui::win32
