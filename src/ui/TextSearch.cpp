#include "ui/TextSearch.h"

namespace ui {

namespace {

// Lower case for the letters a Portuguese text holds: ASCII, Latin-1 and
// Latin Extended-A; other characters compare as they are.
char16_t folded(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + 32);
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return static_cast<char16_t>(c + 32);
  // Latin Extended-A pairs capital/small letters, the capital on the even
  // code, except for a few (ı, ĸ, ŉ, ſ and the odd-paired Ĺ..Ň, Ź..Ž runs).
  if (c >= 0x100 && c <= 0x137 && c % 2 == 0) return static_cast<char16_t>(c + 1);
  if (c >= 0x139 && c <= 0x148 && c % 2 == 1) return static_cast<char16_t>(c + 1);
  if (c >= 0x14A && c <= 0x177 && c % 2 == 0) return static_cast<char16_t>(c + 1);
  if (c == 0x178) return 0xFF;
  if (c >= 0x179 && c <= 0x17E && c % 2 == 1) return static_cast<char16_t>(c + 1);
  return c;
}

bool isWordCharacter(char16_t c) {
  return (c >= u'0' && c <= u'9') || c == u'_' || folded(c) != c || (c >= u'a' && c <= u'z') ||
         (c >= 0xDF && c <= 0xFF && c != 0xF7) || (c >= 0x100 && c <= 0x17F);
}

bool matchesAt(std::u16string_view text, const TextSearch& search, std::size_t at) {
  const std::u16string_view what = search.what;
  for (std::size_t i = 0; i < what.size(); ++i) {
    const char16_t a = text[at + i];
    const char16_t b = what[i];
    if (a != b && (search.matchCase || folded(a) != folded(b))) return false;
  }
  if (!search.wholeWord) return true;
  const std::size_t end = at + what.size();
  return (at == 0 || !isWordCharacter(text[at - 1])) &&
         (end == text.size() || !isWordCharacter(text[end]));
}

}  // namespace

std::optional<std::size_t> findText(std::u16string_view text, const TextSearch& search,
                                    std::size_t from) {
  const std::size_t length = search.what.size();
  if (length == 0 || length > text.size()) return std::nullopt;
  const std::size_t lastStart = text.size() - length;
  if (search.down) {
    for (std::size_t at = from; at <= lastStart; ++at) {
      if (matchesAt(text, search, at)) return at;
    }
    return std::nullopt;
  }
  if (from < length) return std::nullopt;
  for (std::size_t at = std::min(from - length, lastStart) + 1; at-- > 0;) {
    if (matchesAt(text, search, at)) return at;
  }
  return std::nullopt;
}

}  // namespace ui
