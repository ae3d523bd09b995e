// The edit mask under any keys, pastes and selections: the field always shows
// the mask's length with its punctuation in place and only digits or blanks
// in its slots, the caret rests on a slot or after the last one, and what the
// program stores survives being shown again.
#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzExpect.h"
#include "ui/EditMask.h"

namespace {

using fuzzing::expect;
using fuzzing::widened;

// The masks the pages use, and any other.
ui::EditMask maskFrom(FuzzedDataProvider& input) {
  constexpr std::u16string_view kPageMasks[] = {u"99.999.999/9999-99;0;_", u"999.999.999.999;0;_"};
  const std::size_t choice = input.ConsumeIntegralInRange<std::size_t>(0, std::size(kPageMasks));
  if (choice < std::size(kPageMasks)) return ui::EditMask(kPageMasks[choice]);
  return ui::EditMask(widened(input.ConsumeRandomLengthString(24)));
}

bool isDigit(char16_t c) {
  return c >= u'0' && c <= u'9';
}

class MaskedField {
 public:
  MaskedField(const ui::EditMask& mask, std::u16string_view text)
      : mask_(mask), empty_(mask.display(u"")), display_(mask.display(text)) {
    expect(empty_.size() == mask.length(), "an empty field not as long as the mask");
    checkShown();
    caret_ = mask.caretHome();
    selection_ = {caret_, 0};
  }

  void press(FuzzedDataProvider& input) {
    switch (input.ConsumeIntegralInRange(0, 8)) {
      case 0:
        type(static_cast<char16_t>(input.ConsumeIntegral<unsigned char>()));
        break;
      case 1:
        edit(mask_.backspace(display_, selection_));
        break;
      case 2:
        edit(mask_.deleteForward(display_, selection_));
        break;
      case 3:
        paste(widened(input.ConsumeRandomLengthString(16)));
        break;
      case 4:
        move(mask_.caretLeft(caret_));
        break;
      case 5:
        move(mask_.caretRight(caret_));
        break;
      case 6:
        move(mask_.caretHome());
        break;
      case 7:
        move(mask_.caretEnd());
        break;
      default:
        select(input);
        break;
    }
  }

 private:
  // Slots hold a digit or the blank; everything else is the mask's own.
  void checkShown() const {
    expect(display_.size() == mask_.length(), "field not as long as the mask");
    for (std::size_t i = 0; i < display_.size(); ++i) {
      if (mask_.isSlot(i))
        expect(isDigit(display_[i]) || display_[i] == mask_.blank(), "a slot holds a non-digit");
      else
        expect(display_[i] == empty_[i], "the mask's punctuation changed");
    }
    const std::u16string stored = mask_.text(display_);
    expect(mask_.text(mask_.display(stored)) == stored, "stored text changed by showing it");
  }

  bool restsOnSlot(std::size_t caret) const {
    return caret == mask_.caretEnd() || mask_.isSlot(caret);
  }

  void edit(const ui::MaskEditResult& result) {
    if (!result.changed) {
      expect(result.display == display_ && result.caret == selection_.start,
             "a refused key changed the field");
    }
    display_ = result.display;
    checkShown();
    expect(result.caret <= mask_.length(), "caret past the field");
    caret_ = result.caret;
    selection_ = {caret_, 0};
  }

  void type(char16_t c) {
    const ui::MaskEditResult result = mask_.type(display_, selection_, c);
    expect(result.changed == (isDigit(c) && firstSlotFrom(selection_.start) < mask_.length()),
           "typing accepted otherwise than a digit with a slot for it");
    if (result.changed) {
      expect(result.display[firstSlotFrom(selection_.start)] == c, "typed digit not in its slot");
      expect(restsOnSlot(result.caret), "caret off the slots after typing");
    }
    edit(result);
  }

  void paste(std::u16string_view pasted) {
    const ui::MaskEditResult result = mask_.paste(display_, selection_, pasted);
    if (result.changed) expect(restsOnSlot(result.caret), "caret off the slots after pasting");
    edit(result);
  }

  void move(std::size_t caret) {
    expect(restsOnSlot(caret), "caret moved off the slots");
    expect(caret >= mask_.caretHome() && caret <= mask_.caretEnd(), "caret moved out of range");
    caret_ = caret;
    selection_ = {caret_, 0};
  }

  void select(FuzzedDataProvider& input) {
    const std::size_t start = input.ConsumeIntegralInRange<std::size_t>(0, display_.size());
    const std::size_t length =
        input.ConsumeIntegralInRange<std::size_t>(0, display_.size() - start);
    selection_ = {start, length};
  }

  std::size_t firstSlotFrom(std::size_t position) const {
    while (position < mask_.length() && !mask_.isSlot(position)) ++position;
    return position;
  }

  const ui::EditMask& mask_;
  const std::u16string empty_;
  std::u16string display_;
  std::size_t caret_ = 0;
  ui::MaskSelection selection_{};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const ui::EditMask mask = maskFrom(input);
  MaskedField field(mask, widened(input.ConsumeRandomLengthString(24)));
  while (input.remaining_bytes() > 0) field.press(input);
  return 0;
}
