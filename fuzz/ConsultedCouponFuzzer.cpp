// The session query's second split: the coupon taken from between the first
// five and the last six fields of an answer parted at "|" and line breaks.
#include <vector>

#include "FuzzExpect.h"
#include "codec/Base64.h"
#include "diagnostics/ConsultedSale.h"

namespace {

// The same fields found another way: every line break made a "|" first.
std::vector<std::string> fieldsOf(std::string_view answer) {
  std::string parted;
  for (std::size_t i = 0; i < answer.size(); ++i) {
    const bool crlf = answer[i] == '\r' && i + 1 < answer.size() && answer[i + 1] == '\n';
    parted += (answer[i] == '\r' || answer[i] == '\n') ? '|' : answer[i];
    if (crlf) ++i;
  }
  if (parted.ends_with('|')) parted.pop_back();
  std::vector<std::string> fields;
  if (answer.empty()) return fields;
  std::size_t start = 0;
  for (std::size_t bar = parted.find('|'); bar != parted.npos; bar = parted.find('|', start)) {
    fields.push_back(parted.substr(start, bar - start));
    start = bar + 1;
  }
  fields.push_back(parted.substr(start));
  return fields;
}

std::string expectedCoupon(std::string_view answer) {
  const std::vector<std::string> fields = fieldsOf(answer);
  if (fields.size() < 11) return {};
  std::string base64;
  for (std::size_t i = 5; i + 6 <= fields.size(); ++i) base64 += fields[i];
  return codec::decodeBase64(base64);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view answer = fuzzing::bytesOf(data, size);
  fuzzing::expect(diagnostics::consultedCoupon(answer) == expectedCoupon(answer),
                  "coupon differs from the one between the fields");
  return 0;
}
