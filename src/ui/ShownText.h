#pragma once
// What a read-only memo hands the system to draw. Such a memo shows what a
// device or a file gave the program, which may be any bytes, and the system's
// text layout does not survive every sequence of characters: under Wine an
// edit control whose line holds an Arabic mark before a Syriac, Thaana or
// N'Ko letter ends the process inside Uniscribe. A device's texts and coupons
// are Portuguese, so only characters that are drawn one by one, without
// shaping, are handed on.
#include <string>
#include <string_view>

namespace ui {

// The text with every UTF-16 unit outside tab, CR, LF, printable ASCII,
// Latin-1 and Latin Extended-A and -B, the visible general punctuation, the
// currency and letterlike symbols replaced by U+FFFD, one unit for one, so a
// position in the text is the same position on the screen. NUL and the other
// control characters are replaced too: a NUL would end the text early.
std::u16string drawnWithoutShaping(std::u16string_view text);

}  // namespace ui
