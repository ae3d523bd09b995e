// The sale (and test) coupon: the device takes the application's reduced
// document, checks it, computes the item values, taxes, totals and change,
// and returns the complete coupon.
#include <algorithm>
#include <array>
#include <optional>
#include <vector>

#include "Coupon.h"
#include "CouponParts.h"
#include "Money.h"

namespace satemu {
namespace {

using platform::XmlElement;

struct Rejected {
  const char* code;
};

struct AssociationMismatch {};

double requiredAmount(const XmlElement& parent, std::string_view name) {
  const std::optional<double> value = parseAmount(childText(parent, name));
  if (!value) throw Rejected{kRejectUnknown};
  return *value;
}

double optionalAmount(const XmlElement& parent, std::string_view name) {
  return parent.child(name) ? requiredAmount(parent, name) : 0.0;
}

struct TaxTotals {
  double icms = 0, pis = 0, cofins = 0, pisSt = 0, cofinsSt = 0;
};

// The tax groups get their computed value appended: rate groups from their
// base (the item's value when they carry none), quantity groups from the
// quantity and the value per unit. ICMS and ISSQN rates are percentages, PIS
// and COFINS rates fractions.
void computeTaxes(XmlElement& imposto, double itemValue, TaxTotals& totals) {
  struct Rule {
    const char* group;
    const char* rate;
    const char* result;
    double divisor;
    double TaxTotals::*total;
  };
  static constexpr std::array<Rule, 11> kRules{{
      {"ICMS00", "pICMS", "vICMS", 100, &TaxTotals::icms},
      {"ICMSSN900", "pICMS", "vICMS", 100, &TaxTotals::icms},
      {"PISAliq", "pPIS", "vPIS", 1, &TaxTotals::pis},
      {"PISOutr", "pPIS", "vPIS", 1, &TaxTotals::pis},
      {"PISQtde", "vAliqProd", "vPIS", 1, &TaxTotals::pis},
      {"PISST", "pPIS", "vPIS", 1, &TaxTotals::pisSt},
      {"COFINSAliq", "pCOFINS", "vCOFINS", 1, &TaxTotals::cofins},
      {"COFINSOutr", "pCOFINS", "vCOFINS", 1, &TaxTotals::cofins},
      {"COFINSQtde", "vAliqProd", "vCOFINS", 1, &TaxTotals::cofins},
      {"COFINSST", "pCOFINS", "vCOFINS", 1, &TaxTotals::cofinsSt},
      {"ISSQN", "vAliq", "vISSQN", 100, nullptr},
  }};
  const auto apply = [&](XmlElement& group) {
    for (const Rule& rule : kRules) {
      if (group.name != rule.group || !group.child(rule.rate)) continue;
      const double rate = requiredAmount(group, rule.rate);
      const double base = group.child("qBCProd") ? requiredAmount(group, "qBCProd")
                          : group.child("vBC")   ? requiredAmount(group, "vBC")
                                                 : itemValue;
      const double value = roundTo(base * rate / rule.divisor, 2);
      addChild(group, rule.result, formatAmount(value));
      if (rule.total) totals.*rule.total += value;
    }
  };
  // Inner groups first: adding to an outer group moves its children.
  for (XmlElement& outer : imposto.children) {
    for (XmlElement& inner : outer.children) apply(inner);
    apply(outer);
  }
}

struct ItemsResult {
  std::vector<XmlElement> items;
  double products = 0, discounts = 0, others = 0, itemsTotal = 0;
  TaxTotals taxes;
};

XmlElement completeItem(const XmlElement& det, ItemsResult& result) {
  XmlElement item = det;
  XmlElement* prod = nullptr;
  for (XmlElement& child : item.children)
    if (child.name == "prod") prod = &child;
  if (!prod || childText(*prod, "xProd").empty() || childText(*prod, "cProd").empty())
    throw Rejected{kRejectUnknown};
  const double quantity = requiredAmount(*prod, "qCom");
  const double unitPrice = requiredAmount(*prod, "vUnCom");
  const bool truncate = childText(*prod, "indRegra") == "T";
  const double product =
      truncate ? truncateTo(quantity * unitPrice, 2) : roundTo(quantity * unitPrice, 2);
  const double discount = optionalAmount(*prod, "vDesc");
  const double other = optionalAmount(*prod, "vOutro");
  const double value = roundTo(product - discount + other, 2);
  if (value < 0) throw Rejected{kRejectNegative};

  // vProd goes right after vUnCom; vItem closes the prod group.
  std::vector<XmlElement> ordered;
  for (XmlElement& child : prod->children) {
    if (child.name == "vProd" || child.name == "vItem") continue;
    ordered.push_back(std::move(child));
    if (ordered.back().name == "vUnCom") {
      XmlElement vProd;
      vProd.name = "vProd";
      vProd.text = formatAmount(product);
      ordered.push_back(std::move(vProd));
    }
  }
  prod->children = std::move(ordered);
  addChild(*prod, "vItem", formatAmount(value));

  for (XmlElement& child : item.children)
    if (child.name == "imposto") computeTaxes(child, value, result.taxes);

  result.products += product;
  result.discounts += discount;
  result.others += other;
  result.itemsTotal += value;
  return item;
}

XmlElement totalGroup(const ItemsResult& items, double couponTotal, const XmlElement& given) {
  XmlElement total;
  total.name = "total";
  XmlElement& icms = addChild(total, "ICMSTot");
  addChild(icms, "vICMS", formatAmount(items.taxes.icms));
  addChild(icms, "vProd", formatAmount(items.products));
  addChild(icms, "vDesc", formatAmount(items.discounts));
  addChild(icms, "vPIS", formatAmount(items.taxes.pis));
  addChild(icms, "vCOFINS", formatAmount(items.taxes.cofins));
  addChild(icms, "vPISST", formatAmount(items.taxes.pisSt));
  addChild(icms, "vCOFINSST", formatAmount(items.taxes.cofinsSt));
  addChild(icms, "vOutro", formatAmount(items.others));
  addChild(total, "vCFe", formatAmount(couponTotal));
  for (const XmlElement& child : given.children)
    if (child.name == "DescAcrEntr" || child.name == "vCFeLei12741")
      total.children.push_back(child);
  return total;
}

XmlElement paymentGroup(const XmlElement& given, double couponTotal) {
  static constexpr std::array<std::string_view, 16> kPaymentCodes{
      "01", "02", "03", "04", "05", "10", "11", "12",
      "13", "15", "16", "17", "18", "19", "90", "99"};
  XmlElement payment;
  payment.name = "pgto";
  double paid = 0;
  for (const XmlElement& mp : given.children) {
    if (mp.name != "MP") continue;
    if (std::find(kPaymentCodes.begin(), kPaymentCodes.end(), childText(mp, "cMP")) ==
        kPaymentCodes.end())
      throw Rejected{kRejectPaymentCode};
    paid += requiredAmount(mp, "vMP");
    payment.children.push_back(mp);
  }
  if (payment.children.empty() || roundTo(paid, 2) < roundTo(couponTotal, 2))
    throw Rejected{kRejectPaymentTotal};
  addChild(payment, "vTroco", formatAmount(paid - couponTotal));
  return payment;
}

// A subtotal discount or surcharge shared among the items in proportion to
// their values; the last item takes what rounding leaves over. Every item
// states its share, 0.00 when there is nothing to share.
void apportion(std::vector<XmlElement>& items, double itemsTotal, double amount,
               const char* field) {
  const bool shared = amount > 0 && itemsTotal > 0;
  double left = amount;
  for (std::size_t i = 0; i < items.size(); ++i) {
    XmlElement* prod = nullptr;
    for (XmlElement& child : items[i].children)
      if (child.name == "prod") prod = &child;
    double share = 0;
    if (shared)
      share = i + 1 == items.size()
                  ? left
                  : roundTo(amount * *parseAmount(childText(*prod, "vItem")) / itemsTotal, 2);
    left -= share;
    addChild(*prod, field, formatAmount(share));
  }
}

std::string buyerOf(const XmlElement& dest) {
  const std::string cnpj = childText(dest, "CNPJ");
  return cnpj.empty() ? childText(dest, "CPF") : cnpj;
}

Coupon buildSale(std::string_view saleDocument, const CouponContext& context) {
  XmlElement root;
  try {
    root = platform::parseXml(saleDocument);
  } catch (const platform::XmlError&) {
    throw Rejected{kRejectUnknown};
  }
  const XmlElement* inf = root.name == "CFe" ? root.child("infCFe") : nullptr;
  if (!inf || !inf->child("ide") || !inf->child("emit") || !inf->child("pgto"))
    throw Rejected{kRejectUnknown};
  const XmlElement& ide = *inf->child("ide");
  const XmlElement& emit = *inf->child("emit");
  if (!isDigits(childText(ide, "CNPJ"), 14)) throw Rejected{kRejectSoftwareHouseCnpj};
  if (!isDigits(childText(emit, "CNPJ"), 14)) throw Rejected{kRejectEmitterCnpj};
  if (context.couponNumber > 0) {
    if (childText(ide, "CNPJ") != context.state.softwareHouseCnpj ||
        childText(ide, "signAC") != context.state.signAC)
      throw AssociationMismatch{};
    if (childText(emit, "CNPJ") != context.state.cnpj) throw Rejected{kRejectEmitterCnpj};
  }

  ItemsResult items;
  for (const XmlElement& child : inf->children)
    if (child.name == "det") items.items.push_back(completeItem(child, items));
  if (items.items.empty()) throw Rejected{kRejectUnknown};

  const XmlElement emptyTotal;
  const XmlElement& givenTotal = inf->child("total") ? *inf->child("total") : emptyTotal;
  const XmlElement noAdjustment;
  const XmlElement* adjust = givenTotal.child("DescAcrEntr");
  const double discount = optionalAmount(adjust ? *adjust : noAdjustment, "vDescSubtot");
  const double surcharge = optionalAmount(adjust ? *adjust : noAdjustment, "vAcresSubtot");
  apportion(items.items, items.itemsTotal, discount, "vRatDesc");
  apportion(items.items, items.itemsTotal, surcharge, "vRatAcr");
  const double couponTotal = roundTo(items.itemsTotal + surcharge - discount, 2);
  if (couponTotal < 0) throw Rejected{kRejectNegative};

  Coupon coupon;
  const CouponIdentity identity = newIdentity(context);
  coupon.key = identity.key;
  coupon.total = formatAmount(couponTotal);
  coupon.stamp = stamp(context.now);
  coupon.qrSignature = randomBase64(context.random, 256);

  XmlElement out;
  out.name = "CFe";
  XmlElement& outInf = addChild(out, "infCFe");
  const std::string* version = inf->attribute("versaoDadosEnt");
  outInf.attributes = {{"Id", "CFe" + coupon.key},
                       {"versao", "0.08"},
                       {"versaoDadosEnt", version ? *version : "0.08"},
                       {"versaoSB", "010000"}};
  const CouponKind kind = context.couponNumber == 0 ? CouponKind::Test : CouponKind::Sale;
  outInf.children.push_back(deviceIde(context, identity, ide, coupon.qrSignature, kind));
  outInf.children.push_back(deviceEmit(context.state, emit));
  platform::XmlDeclaration noDeclaration;
  noDeclaration.present = false;
  coupon.emit =
      platform::writeXml(outInf.children.back(), platform::XmlLayout::Compact, noDeclaration);
  XmlElement dest;
  dest.name = "dest";
  if (const XmlElement* given = inf->child("dest")) dest = *given;
  coupon.buyerId = buyerOf(dest);
  outInf.children.push_back(dest);
  for (XmlElement& item : items.items) outInf.children.push_back(std::move(item));
  outInf.children.push_back(totalGroup(items, couponTotal, givenTotal));
  outInf.children.push_back(paymentGroup(*inf->child("pgto"), couponTotal));
  XmlElement& extra = addChild(outInf, "infAdic");
  if (const XmlElement* given = inf->child("infAdic"))
    if (given->child("infCpl")) addChild(extra, "infCpl", childText(*given, "infCpl"));
  XmlElement& fisco = addChild(extra, "obsFisco");
  fisco.attributes = {{"xCampo", "xCampo"}};
  addChild(fisco, "xTexto", "xTexto");
  out.children.push_back(signatureOf(coupon.key, context.random));
  coupon.xml = writeCoupon(out, kind, context.state.knobs.couponForm);
  return coupon;
}

}  // namespace

Coupon issueSaleCoupon(std::string_view saleDocument, const CouponContext& context) {
  try {
    return buildSale(saleDocument, context);
  } catch (const Rejected& rejected) {
    Coupon coupon;
    coupon.rejection = rejected.code;
    return coupon;
  } catch (const AssociationMismatch&) {
    Coupon coupon;
    coupon.associationMismatch = true;
    return coupon;
  }
}

}  // namespace satemu
