#include "diagnostics/ConsultedSale.h"

#include <vector>

#include "codec/Base64.h"

namespace diagnostics {

namespace {

std::vector<std::string_view> fieldsAndLines(std::string_view answer) {
  std::vector<std::string_view> fields;
  std::size_t start = 0;
  while (start < answer.size()) {
    const std::size_t end = answer.find_first_of("|\r\n", start);
    if (end == std::string_view::npos) {
      fields.push_back(answer.substr(start));
      break;
    }
    fields.push_back(answer.substr(start, end - start));
    const bool crlf = answer[end] == '\r' && end + 1 < answer.size() && answer[end + 1] == '\n';
    start = end + (crlf ? 2 : 1);
  }
  return fields;
}

}  // namespace

std::string consultedCoupon(std::string_view answer) {
  const std::vector<std::string_view> fields = fieldsAndLines(answer);
  constexpr std::size_t kFirst = 5;
  constexpr std::size_t kAfterCoupon = 6;
  if (fields.size() < kFirst + kAfterCoupon) return {};
  std::string base64;
  for (std::size_t i = kFirst; i + kAfterCoupon <= fields.size(); ++i) base64 += fields[i];
  return codec::decodeBase64(base64);
}

}  // namespace diagnostics
