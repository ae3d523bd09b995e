#pragma once
// The coupon inside the stored answer of a sale ("06000") or a cancellation
// ("07000") that a session query brings back.
#include <string>

#include "page/AnswerFields.h"

namespace diagnostics {

struct ConsultedCoupon {
  std::string key;
  // The coupon's bytes, decoded from Base64.
  std::string coupon;
};

// Whether the consulted answer is one that carries a coupon.
bool carriesCoupon(const page::AnswerFields& CamposRetorno);

// The key and the coupon, found by the answer's layout: after the validation
// code the Base64 coupon is field 6 and the key field 8; without it, fields 5
// and 7. The authority's code and message before the coupon never reach it.
// The coupon is empty when the five fields that follow it (time, key, value,
// buyer, QR code signature) are not all there. Throws page::MissingAnswerField
// when the answer has no key.
ConsultedCoupon consultedCoupon(const page::AnswerFields& CamposRetorno);

}  // namespace diagnostics
