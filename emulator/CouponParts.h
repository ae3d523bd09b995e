#pragma once
// Pieces shared by the sale and the cancellation coupons.
#include <random>
#include <string>
#include <string_view>

#include "Coupon.h"
#include "platform/Xml.h"

namespace satemu {

platform::XmlElement& addChild(platform::XmlElement& parent, std::string name,
                               std::string text = {});

// The text of a child, or empty.
std::string childText(const platform::XmlElement& parent, std::string_view name);

bool isDigits(std::string_view text, std::size_t length);

// Base64 of random bytes: digests and signatures the emulator cannot make.
std::string randomBase64(std::mt19937& random, std::size_t bytes);

// What a coupon is, for the parts that differ: a cancellation's ide has no
// tpAmb, and devices write the test coupon on one line.
enum class CouponKind { Sale, Test, Cancellation };

// Key and identifiers of a new coupon.
struct CouponIdentity {
  std::string key;
  int randomCode = 0;
};
CouponIdentity newIdentity(const CouponContext& context);

// ide as the device fills it; the application's CNPJ, signAC and numeroCaixa
// come from its own ide.
platform::XmlElement deviceIde(const CouponContext& context, const CouponIdentity& identity,
                               const platform::XmlElement& applicationIde,
                               const std::string& qrSignature, CouponKind kind);

// emit with the names and address of the device's parameterisation.
platform::XmlElement deviceEmit(const DeviceState& state, const platform::XmlElement& emit);

// An enveloped signature over the coupon's Id: the device's certificate, a
// random digest and a random value.
platform::XmlElement signatureOf(const std::string& key, std::mt19937& random);

// The written coupon, UTF-8, in the form the couponForm knob asks for.
std::string writeCoupon(const platform::XmlElement& root, CouponKind kind, CouponForm form);

}  // namespace satemu
