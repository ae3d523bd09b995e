// The cancellation of the last sale: allowed within 30 minutes of the sale,
// once, and only for the key of that sale. Its emit is the sale's.
#include <cstdlib>

#include "Coupon.h"
#include "CouponParts.h"

namespace satemu {
namespace {

using platform::XmlElement;

constexpr std::int64_t kCancellationWindowSeconds = 30 * 60;

std::string rejectionFor(std::string_view chave, const CouponContext& context,
                         const XmlElement* inf) {
  const LastSale& sale = context.state.lastSale;
  if (chave.size() != 47 || chave.substr(0, 3) != "CFe" || !isDigits(chave.substr(3), 44))
    return kRejectKey;
  if (sale.key.empty() || chave.substr(3) != sale.key) return kRejectNotLastSale;
  if (sale.cancelled) return kRejectAlreadyCancelled;
  if (context.now.epoch - std::atoll(sale.epoch.c_str()) > kCancellationWindowSeconds)
    return kRejectLate;
  if (!inf || !inf->child("ide") || !isDigits(childText(*inf->child("ide"), "CNPJ"), 14))
    return kRejectSoftwareHouseCnpj;
  return {};
}

}  // namespace

Coupon issueCancellationCoupon(std::string_view cancellationDocument, std::string_view chave,
                               const CouponContext& context) {
  XmlElement root;
  const XmlElement* inf = nullptr;
  try {
    root = platform::parseXml(cancellationDocument);
    if (root.name == "CFeCanc") inf = root.child("infCFe");
  } catch (const platform::XmlError&) {
    inf = nullptr;
  }
  Coupon coupon;
  coupon.rejection = rejectionFor(chave, context, inf);
  if (!coupon.rejection.empty()) return coupon;

  const LastSale& sale = context.state.lastSale;
  const CouponIdentity identity = newIdentity(context);
  coupon.key = identity.key;
  coupon.total = sale.total;
  coupon.buyerId = sale.buyerId;
  coupon.stamp = stamp(context.now);
  coupon.qrSignature = randomBase64(context.random, 256);

  XmlElement out;
  out.name = "CFeCanc";
  XmlElement& outInf = addChild(out, "infCFe");
  outInf.attributes = {
      {"Id", "CFe" + coupon.key}, {"chCanc", "CFe" + sale.key}, {"versao", "0.08"}};
  addChild(outInf, "dEmi", sale.stamp.substr(0, 8));
  addChild(outInf, "hEmi", sale.stamp.substr(8));
  outInf.children.push_back(deviceIde(context, identity, *inf->child("ide"), coupon.qrSignature,
                                      CouponKind::Cancellation));
  outInf.children.push_back(platform::parseXml(sale.emit));
  XmlElement& dest = addChild(outInf, "dest");
  if (!sale.buyerId.empty())
    addChild(dest, sale.buyerId.size() == 14 ? "CNPJ" : "CPF", sale.buyerId);
  addChild(addChild(outInf, "total"), "vCFe", sale.total);
  XmlElement& fisco = addChild(addChild(outInf, "infAdic"), "obsFisco");
  fisco.attributes = {{"xCampo", "xCampo"}};
  addChild(fisco, "xTexto", "xTexto");
  out.children.push_back(signatureOf(coupon.key, context.random));
  coupon.xml = writeCoupon(out, CouponKind::Cancellation, context.state.knobs.couponForm);
  return coupon;
}

}  // namespace satemu
