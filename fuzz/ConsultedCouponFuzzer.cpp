// The coupon and the key of a consulted sale or cancellation, found by the
// answer's layout: compared with the fields picked out of a plainer split.
#include <vector>

#include "FuzzExpect.h"
#include "codec/Base64.h"
#include "diagnostics/ConsultedSale.h"

namespace {

std::vector<std::string> fieldsOf(std::string_view answer) {
  std::vector<std::string> fields;
  if (answer.empty()) return fields;
  std::string field;
  for (const char c : answer) {
    if (c == '|') {
      fields.push_back(field);
      field.clear();
    } else {
      field += c;
    }
  }
  fields.push_back(field);
  return fields;
}

bool isNumberOrEmpty(const std::string& field) {
  for (const char c : field)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view answer = fuzzing::bytesOf(data, size);
  const std::vector<std::string> fields = fieldsOf(answer);
  const bool validationCode = fields.size() <= 2 || isNumberOrEmpty(fields[2]);
  const std::size_t couponField = validationCode ? 6 : 5;
  const page::AnswerFields CamposRetorno(answer);
  if (fields.size() <= couponField + 2) {
    try {
      (void)diagnostics::consultedCoupon(CamposRetorno);
      fuzzing::fail("an answer without a key gave a coupon");
    } catch (const page::MissingAnswerField&) {
      // Documented: no key, no coupon.
    }
    return 0;
  }
  const diagnostics::ConsultedCoupon consulted = diagnostics::consultedCoupon(CamposRetorno);
  fuzzing::expect(consulted.key == fields[couponField + 2], "key from another field");
  const std::string coupon =
      fields.size() >= couponField + 6 ? codec::decodeBase64(fields[couponField]) : std::string();
  fuzzing::expect(consulted.coupon == coupon, "coupon from another field");
  return 0;
}
