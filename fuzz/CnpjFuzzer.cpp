// isCNPJ over any text: it holds exactly for fourteen digits, not one digit
// repeated, whose last two are the check digits of the twelve and thirteen
// before them.
#include <span>

#include "FuzzExpect.h"
#include "validation/Cnpj.h"

namespace {

// The check digit of the digits before it, by its weights from the left.
int checkDigit(std::u16string_view digits, std::span<const int> weights) {
  int sum = 0;
  for (std::size_t i = 0; i < weights.size(); ++i) sum += (digits[i] - u'0') * weights[i];
  return sum % 11 < 2 ? 0 : 11 - sum % 11;
}

bool isCompanyNumber(std::u16string_view text) {
  constexpr int kFirstWeights[] = {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
  constexpr int kSecondWeights[] = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
  if (text.size() != 14) return false;
  if (text.find_first_not_of(u"0123456789") != text.npos) return false;
  if (text.find_first_not_of(text[0]) == text.npos) return false;
  return text[12] - u'0' == checkDigit(text, kFirstWeights) &&
         text[13] - u'0' == checkDigit(text, kSecondWeights);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::u16string text = fuzzing::widened(fuzzing::bytesOf(data, size));
  fuzzing::expect(validation::isCNPJ(text) == isCompanyNumber(text),
                  "isCNPJ differs from the check digits");
  std::u16string units;
  for (std::size_t i = 0; i + 1 < size; i += 2)
    units += static_cast<char16_t>(data[i] << 8 | data[i + 1]);
  fuzzing::expect(validation::isCNPJ(units) == isCompanyNumber(units),
                  "isCNPJ differs from the check digits on UTF-16 units");
  return 0;
}
