#include "validation/Cnpj.h"

#include <optional>

namespace validation {

namespace {

// The check digit over the first `count` characters, weights 2..9 from the
// right and cycling; nothing when one of them is not a digit.
std::optional<char16_t> checkDigit(std::u16string_view text, std::size_t count) {
  int sum = 0;
  int weight = 2;
  for (std::size_t i = count; i-- > 0;) {
    const char16_t c = text[i];
    if (c < u'0' || c > u'9') return std::nullopt;
    sum += (c - u'0') * weight;
    weight = weight == 9 ? 2 : weight + 1;
  }
  const int r = sum % 11;
  return static_cast<char16_t>(r < 2 ? u'0' : u'0' + (11 - r));
}

}  // namespace

bool isCNPJ(std::u16string_view CNPJ) {
  if (CNPJ.size() != 14) return false;
  // One digit repeated passes the arithmetic but is no company's number.
  if (CNPJ.find_first_not_of(CNPJ[0]) == std::u16string_view::npos) return false;
  const auto first = checkDigit(CNPJ, 12);
  const auto second = checkDigit(CNPJ, 13);
  return first && second && CNPJ[12] == *first && CNPJ[13] == *second;
}

}  // namespace validation
