#include "ui/BoundedMessages.h"

namespace ui {

std::u16string cutForWindow(std::u16string text, std::size_t longest) {
  if (text.size() <= longest) return text;
  std::size_t cut = longest;
  // Never half a surrogate pair.
  if (text[cut - 1] >= 0xD800 && text[cut - 1] <= 0xDBFF) --cut;
  text.resize(cut);
  return text + u" ...";
}

void BoundedMessages::showMessage(const std::u16string& text) {
  messages_.showMessage(cutForWindow(text));
}

bool BoundedMessages::confirm(const std::u16string& text) {
  return messages_.confirm(cutForWindow(text));
}

void BoundedMessages::systemError(const std::u16string& text, const std::u16string& caption) {
  messages_.systemError(cutForWindow(text), caption);
}

void BoundedMessages::reportUnexpected(const std::u16string& description) {
  messages_.reportUnexpected(cutForWindow(description));
}

void BoundedMessages::showModal(Form& form) {
  messages_.showModal(form);
}

}  // namespace ui
