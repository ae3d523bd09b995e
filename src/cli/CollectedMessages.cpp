#include "cli/CollectedMessages.h"

#include <stdexcept>

namespace cli {

// Nobody is there to answer: the cautious answer.
bool CollectedMessages::confirm(const std::u16string& text) {
  texts_.push_back(text);
  return false;
}

void CollectedMessages::systemError(const std::u16string& text, const std::u16string&) {
  texts_.push_back(text);
}

void CollectedMessages::showModal(ui::Form&) {
  throw std::logic_error("the console program shows no window");
}

std::u16string CollectedMessages::take() {
  std::u16string all;
  for (const std::u16string& text : texts_) all += (all.empty() ? u"" : u"\r\n") + text;
  texts_.clear();
  return all;
}

}  // namespace cli
