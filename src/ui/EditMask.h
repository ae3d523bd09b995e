#pragma once
// The editing rules of a masked edit, apart from any widget: a mask such as
// "99.999.999/9999-99;0;_" turns into slots for digits and fixed punctuation.
// Every operation takes what the field shows and the selection, and returns
// what it shows next and where the caret goes, so the rules can be checked as
// tables and the Win32 peer only forwards keys.
#include <cstddef>
#include <string>
#include <string_view>

namespace ui {

struct MaskSelection {
  std::size_t start = 0;
  std::size_t length = 0;
};

struct MaskEditResult {
  std::u16string display;
  std::size_t caret = 0;
  bool changed = false;  // false: the key is refused, the field stays as it was
};

class EditMask {
 public:
  // Sections separated by ';': the pattern ('9' an optional digit, '0' a
  // required digit, anything else a literal), '0' when the text keeps only the
  // typed characters (any other value keeps the literals too), the blank shown
  // in an empty slot (default '_').
  explicit EditMask(std::u16string_view mask);

  bool empty() const { return pattern_.empty(); }
  std::size_t length() const { return pattern_.size(); }
  char16_t blank() const { return blank_; }
  bool isSlot(std::size_t position) const;

  // What the field shows for a text as the program stores it.
  std::u16string display(std::u16string_view text) const;
  // The text the program stores for what the field shows: the characters in
  // the slots, in order, without blanks (with the literals when they are kept).
  std::u16string text(std::u16string_view display) const;

  MaskEditResult type(std::u16string_view display, MaskSelection selection, char16_t c) const;
  MaskEditResult backspace(std::u16string_view display, MaskSelection selection) const;
  MaskEditResult deleteForward(std::u16string_view display, MaskSelection selection) const;
  MaskEditResult paste(std::u16string_view display, MaskSelection selection,
                       std::u16string_view pasted) const;

  // Caret movement: the caret rests in front of a slot or after the last one.
  std::size_t caretLeft(std::size_t caret) const;
  std::size_t caretRight(std::size_t caret) const;
  std::size_t caretHome() const;
  std::size_t caretEnd() const;

 private:
  // The display normalised to the mask's length, with the selected slots blank.
  std::u16string cleared(std::u16string_view display, MaskSelection selection) const;
  std::size_t slotAtOrAfter(std::size_t position) const;  // length() when none
  std::size_t caretAfterSlot(std::size_t slot) const;

  std::u16string pattern_;
  bool keepsLiterals_ = false;
  char16_t blank_ = u'_';
};

}  // namespace ui
