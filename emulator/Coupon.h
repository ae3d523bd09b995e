#pragma once
// The coupons the device issues: a sale or test coupon from the
// application's sale document, and the cancellation of the last sale.
#include <random>
#include <string>
#include <string_view>

#include "DeviceClock.h"
#include "DeviceState.h"

namespace satemu {

struct CouponContext {
  const DeviceState& state;
  Moment now;
  int couponNumber = 0;  // nCFe; 0 for a test coupon, which skips the association check
  std::mt19937& random;
};

struct Coupon {
  // Empty when the document was accepted; otherwise the CCCC that says why not.
  std::string rejection;
  // For sales: the document's software house or signAC is not the associated one.
  bool associationMismatch = false;
  std::string xml;
  std::string key;  // 44 digits
  std::string total;
  std::string buyerId;
  std::string qrSignature;
  std::string stamp;  // AAAAMMDDhhmmss of issue
  std::string emit;   // a sale's emit as one-line XML, for its cancellation
};

// CCCC codes of the validation table that the device uses.
inline constexpr const char* kRejectUnknown = "1999";
inline constexpr const char* kRejectEmitterCnpj = "1207";
inline constexpr const char* kRejectSoftwareHouseCnpj = "1224";
inline constexpr const char* kRejectPaymentTotal = "1408";
inline constexpr const char* kRejectPaymentCode = "1527";
inline constexpr const char* kRejectNegative = "1998";
inline constexpr const char* kRejectKey = "1270";
inline constexpr const char* kRejectNotLastSale = "1412";
inline constexpr const char* kRejectLate = "1210";
inline constexpr const char* kRejectAlreadyCancelled = "1218";

Coupon issueSaleCoupon(std::string_view saleDocument, const CouponContext& context);

// Cancels state.lastSale, whose key the application passes as "CFe"+44 digits.
Coupon issueCancellationCoupon(std::string_view cancellationDocument, std::string_view chave,
                               const CouponContext& context);

}  // namespace satemu
