#include "ui/BoundedDialogs.h"

namespace ui {

std::u16string cutForWindow(std::u16string text) {
  if (text.size() <= kLongestShownText) return text;
  std::size_t cut = kLongestShownText;
  // Never half a surrogate pair.
  if (text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;
  text.resize(cut);
  return text + u" ...";
}

void BoundedDialogs::showMessage(const std::u16string& text) {
  dialogs_.showMessage(cutForWindow(text));
}

bool BoundedDialogs::confirm(const std::u16string& text) {
  return dialogs_.confirm(cutForWindow(text));
}

void BoundedDialogs::systemError(const std::u16string& text, const std::u16string& caption) {
  dialogs_.systemError(cutForWindow(text), caption);
}

std::optional<std::u16string> BoundedDialogs::openFile(const FileDialogOptions& options) {
  return dialogs_.openFile(options);
}

std::optional<std::u16string> BoundedDialogs::saveFile(const FileDialogOptions& options) {
  return dialogs_.saveFile(options);
}

void BoundedDialogs::showModal(Form& form) {
  dialogs_.showModal(form);
}

void BoundedDialogs::openWithShell(const std::u16string& path) {
  dialogs_.openWithShell(path);
}

void BoundedDialogs::reportUnexpected(const std::u16string& description) {
  dialogs_.reportUnexpected(cutForWindow(description));
}

void BoundedDialogs::whileDeviceWorks(const std::function<void()>& call) {
  dialogs_.whileDeviceWorks(call);
}

void BoundedDialogs::whileLibraryLoads(const std::function<void()>& load) {
  dialogs_.whileLibraryLoads(load);
}

}  // namespace ui
