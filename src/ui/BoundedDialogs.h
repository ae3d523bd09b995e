#pragma once
// The dialogs the pages use, with every text that may come from a device, a
// file or the user cut to a length a window shows at once: a message box or
// a word-wrapping memo takes time that grows with the square of one long
// word, so an answer of a megabyte would otherwise freeze the program.
#include <string>
#include <string_view>

#include "ui/Dialogs.h"

namespace ui {

// Texts longer than this are cut and end in " ...".
inline constexpr std::size_t kLongestShownText = 4000;

std::u16string cutForWindow(std::u16string text);

class BoundedDialogs : public Dialogs {
 public:
  explicit BoundedDialogs(Dialogs& dialogs) : dialogs_(dialogs) {}

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
  Dialogs& dialogs_;
};

}  // namespace ui
