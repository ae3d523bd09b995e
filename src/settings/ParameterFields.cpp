#include "settings/ParameterFields.h"

#include <algorithm>

#include "platform/Text.h"

namespace settings {
namespace {

char lowerAscii(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

bool isHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit < 0xDC00;
}

}  // namespace

std::optional<std::size_t> findParameterField(std::string_view name) {
  for (std::size_t index = 0; index < kParameterFields.size(); ++index) {
    if (equalIgnoringCase(kParameterFields[index].name, name)) return index;
  }
  return std::nullopt;
}

std::u16string storedValue(const ParameterField& field, std::u16string_view value) {
  if (field.packetType == "string") {
    std::string inCodePage = platform::toAnsi(value);
    if (inCodePage.size() > static_cast<std::size_t>(field.width)) inCodePage.resize(field.width);
    return platform::fromAnsi(inCodePage);
  }
  if (field.packetType == "string.uni") {
    const std::size_t limit = static_cast<std::size_t>(field.width) / sizeof(char16_t);
    std::u16string kept(value.substr(0, limit));
    // Half a surrogate pair is no character: cutting there drops the whole pair.
    if (kept.size() == limit && limit < value.size() && isHighSurrogate(kept.back())) {
      kept.pop_back();
    }
    return kept;
  }
  return std::u16string(value);
}

}  // namespace settings
