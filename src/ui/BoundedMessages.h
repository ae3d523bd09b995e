#pragma once
// The messages the pages show, with every text that may come from a device,
// a file or the user cut to a length a window shows at once: a message box
// or a word-wrapping memo takes time that grows with the square of one long
// word, so an answer of a megabyte would otherwise freeze the program.
#include <string>
#include <string_view>

#include "ui/Messages.h"

namespace ui {

// Texts longer than this are cut and end in " ...".
inline constexpr std::size_t kLongestShownText = 4000;

// The text cut to `longest` characters and " ..." when it is longer, never
// inside a surrogate pair.
std::u16string cutForWindow(std::u16string text, std::size_t longest = kLongestShownText);

class BoundedMessages : public Messages {
 public:
  explicit BoundedMessages(Messages& messages) : messages_(messages) {}

  void showMessage(const std::u16string& text) override;
  bool confirm(const std::u16string& text) override;
  void systemError(const std::u16string& text, const std::u16string& caption) override;
  void reportUnexpected(const std::u16string& description) override;
  void showModal(Form& form) override;

 private:
  Messages& messages_;
};

}  // namespace ui
