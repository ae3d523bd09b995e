#include "diagnostics/ConsultedSale.h"

#include "codec/Base64.h"

namespace diagnostics {

bool carriesCoupon(const page::AnswerFields& CamposRetorno) {
  return CamposRetorno[1] == "06000" || CamposRetorno[1] == "07000";
}

ConsultedCoupon consultedCoupon(const page::AnswerFields& CamposRetorno) {
  const std::size_t couponField = page::carriesValidationCode(CamposRetorno) ? 6 : 5;
  constexpr std::size_t kFieldsAfterCoupon = 5;
  ConsultedCoupon consulted;
  consulted.key = CamposRetorno[couponField + 2];
  if (CamposRetorno.count() > couponField + kFieldsAfterCoupon) {
    // A Base64 field broken by line breaks, as some devices send it, decodes
    // whole: characters outside the alphabet are skipped.
    consulted.coupon = codec::decodeBase64(CamposRetorno[couponField]);
  }
  return consulted;
}

}  // namespace diagnostics
