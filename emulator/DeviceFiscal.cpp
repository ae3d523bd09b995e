// Coupons: sales, the cancellation of the last sale, the end-to-end test and
// the query of the last fiscal session.
#include "Answer.h"
#include "Coupon.h"
#include "Device.h"
#include "Messages.h"

namespace satemu {
namespace {

constexpr int kValidationError = 10;
constexpr int kMaxCouponNumber = 999999;

// The sale detail for each lock state; the cancellation family numbers them
// three lower.
int lockDetail(int lockState) {
  switch (lockState) {
    case 2:
      return 6;
    case 3:
      return 8;
    default:
      return 7;
  }
}

}  // namespace

std::optional<std::string> Device::refuseLocked(const Command& c) const {
  if (state_.lockState == 0) return std::nullopt;
  const int detail = lockDetail(state_.lockState);
  switch (c.function) {
    case Function::EnviarDadosVenda:
      return answerFor(c, detail);
    case Function::CancelarUltimaVenda:
      return answerFor(c, detail - 3);
    default:
      return answerFor(c, kUnknownError);
  }
}

int Device::upcomingCouponNumber() const {
  return state_.lastCouponNumber >= kMaxCouponNumber ? 1 : state_.lastCouponNumber + 1;
}

std::string Device::issuedAnswer(const Command& c, const Coupon& coupon,
                                 const CouponContext& context) {
  state_.lastCouponNumber = context.couponNumber;
  state_.lastCouponKey = coupon.key;
  state_.lastTransmission = coupon.stamp;
  std::vector<std::string> fields = headFor(c, kSuccess);
  fields.insert(fields.end(), {base64Field(coupon.xml), coupon.stamp, "CFe" + coupon.key,
                               coupon.total, coupon.buyerId, coupon.qrSignature});
  return joinFields(fields);
}

std::string Device::sale(const Command& c) {
  std::string answer;
  if (!state_.associated) {
    answer = answerFor(c, 3);
  } else if (std::optional<std::string> refusal = refuseLocked(c)) {
    answer = *refusal;
  } else {
    const CouponContext context{state_, now_, upcomingCouponNumber(), random_};
    const Coupon coupon = issueSaleCoupon(c.dados, context);
    if (coupon.associationMismatch) {
      log_.error("venda recusada: vinculação do AC não confere");
      answer = answerFor(c, 4);
    } else if (!coupon.rejection.empty()) {
      log_.error("venda recusada: erro de validação " + coupon.rejection);
      answer = answerFor(c, kValidationError, {}, {}, coupon.rejection);
    } else {
      exchangeWithAuthority(SuperLogForm::Plain,
                            {"CF-e-SAT " + coupon.key + " emitido, valor " + coupon.total,
                             "lote transmitido à SEFAZ"},
                            "CF-e-SAT processado com sucesso");
      state_.lastSale = {.key = coupon.key,
                         .stamp = coupon.stamp,
                         .epoch = std::to_string(now_.epoch),
                         .total = coupon.total,
                         .buyerId = coupon.buyerId,
                         .emit = coupon.emit};
      answer = issuedAnswer(c, coupon, context);
    }
  }
  state_.lastFiscalAnswer = answer;
  return answer;
}

std::string Device::cancel(const Command& c) {
  std::string answer;
  if (std::optional<std::string> refusal = refuseLocked(c)) {
    answer = *refusal;
  } else {
    const CouponContext context{state_, now_, upcomingCouponNumber(), random_};
    const Coupon coupon = issueCancellationCoupon(c.dados, c.chave, context);
    if (!coupon.rejection.empty()) {
      log_.error("cancelamento recusado: erro de validação " + coupon.rejection);
      answer = answerFor(c, coupon.rejection == kRejectKey ? 2 : 7, {}, {}, coupon.rejection);
    } else {
      exchangeWithAuthority(
          SuperLogForm::Plain,
          {"cancelamento do CF-e-SAT " + state_.lastSale.key, "lote transmitido à SEFAZ"},
          "CF-e-SAT de cancelamento processado com sucesso");
      state_.lastSale.cancelled = true;
      answer = issuedAnswer(c, coupon, context);
    }
  }
  state_.lastFiscalAnswer = answer;
  return answer;
}

std::string Device::endToEndTest(const Command& c) {
  if (std::optional<std::string> refusal = refuseLocked(c)) return *refusal;
  const CouponContext context{state_, now_, 0, random_};
  const Coupon coupon = issueSaleCoupon(c.dados, context);
  if (!coupon.rejection.empty()) {
    log_.error("teste fim a fim: documento de venda recusado (" + coupon.rejection + ")");
    return answerFor(c, kUnknownError);
  }
  exchangeWithAuthority(
      SuperLogForm::Mirel,
      {"teste fim a fim: CF-e de teste " + coupon.key, "CF-e de teste enviado à SEFAZ"},
      "CF-e de teste de ativação emitido com sucesso");
  std::vector<std::string> fields = headFor(c, kSuccess);
  fields.insert(fields.end(),
                {base64Field(coupon.xml), coupon.stamp, "000000", "CFe" + coupon.key});
  return joinFields(fields);
}

std::string Device::lastFiscalSession(const Command& c) {
  if (state_.lastFiscalAnswer.empty()) return answerFor(c, 3);
  return state_.lastFiscalAnswer;
}

}  // namespace satemu
