#include "CouponParts.h"

#include "AccessKey.h"
#include "DeviceCertificates.h"
#include "codec/Base64.h"

namespace satemu {

platform::XmlElement& addChild(platform::XmlElement& parent, std::string name, std::string text) {
  platform::XmlElement child;
  child.name = std::move(name);
  child.text = std::move(text);
  parent.children.push_back(std::move(child));
  return parent.children.back();
}

std::string childText(const platform::XmlElement& parent, std::string_view name) {
  const platform::XmlElement* child = parent.child(name);
  return child ? child->text : std::string();
}

bool isDigits(std::string_view text, std::size_t length) {
  if (text.size() != length) return false;
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

std::string randomBase64(std::mt19937& random, std::size_t bytes) {
  std::string raw(bytes, '\0');
  std::uniform_int_distribution<int> byte(0, 255);
  for (char& c : raw) c = static_cast<char>(byte(random));
  return codec::encodeBase64(raw);
}

CouponIdentity newIdentity(const CouponContext& context) {
  CouponIdentity identity;
  identity.randomCode = std::uniform_int_distribution<int>(0, 999999)(context.random);
  AccessKeyParts parts;
  parts.cUF = context.state.cUF;
  parts.yearMonth = yearMonth(context.now);
  parts.cnpj = context.state.cnpj;
  parts.serial = context.state.serial;
  parts.couponNumber = context.couponNumber;
  parts.randomCode = identity.randomCode;
  identity.key = buildAccessKey(parts);
  return identity;
}

platform::XmlElement deviceIde(const CouponContext& context, const CouponIdentity& identity,
                               const platform::XmlElement& applicationIde,
                               const std::string& qrSignature, CouponKind kind) {
  platform::XmlElement ide;
  ide.name = "ide";
  addChild(ide, "cUF", identity.key.substr(0, 2));
  addChild(ide, "cNF", identity.key.substr(37, 6));
  addChild(ide, "mod", "59");
  addChild(ide, "nserieSAT", context.state.serial);
  addChild(ide, "nCFe", identity.key.substr(31, 6));
  addChild(ide, "dEmi", date(context.now));
  addChild(ide, "hEmi", time(context.now));
  addChild(ide, "cDV", identity.key.substr(43, 1));
  if (kind != CouponKind::Cancellation) addChild(ide, "tpAmb", "2");
  addChild(ide, "CNPJ", childText(applicationIde, "CNPJ"));
  addChild(ide, "signAC", childText(applicationIde, "signAC"));
  addChild(ide, "assinaturaQRCODE", qrSignature);
  addChild(ide, "numeroCaixa", childText(applicationIde, "numeroCaixa"));
  return ide;
}

platform::XmlElement deviceEmit(const DeviceState& state, const platform::XmlElement& emit) {
  const Parameterisation& p = state.parameterisation;
  platform::XmlElement out;
  out.name = "emit";
  addChild(out, "CNPJ", state.cnpj);
  addChild(out, "xNome", p.xNome);
  addChild(out, "xFant", p.xFant);
  platform::XmlElement& address = addChild(out, "enderEmit");
  addChild(address, "xLgr", p.xLgr);
  addChild(address, "nro", p.nro);
  if (!p.xCpl.empty()) addChild(address, "xCpl", p.xCpl);
  addChild(address, "xBairro", p.xBairro);
  addChild(address, "xMun", p.xMun);
  addChild(address, "CEP", p.cep);
  addChild(out, "IE", childText(emit, "IE"));
  if (emit.child("IM")) addChild(out, "IM", childText(emit, "IM"));
  addChild(out, "cRegTrib", p.cRegTrib);
  if (emit.child("cRegTribISSQN")) addChild(out, "cRegTribISSQN", childText(emit, "cRegTribISSQN"));
  addChild(out, "indRatISSQN", childText(emit, "indRatISSQN"));
  return out;
}

platform::XmlElement signatureOf(const std::string& key, std::mt19937& random) {
  platform::XmlElement signature;
  signature.name = "Signature";
  signature.attributes = {{"xmlns", "http://www.w3.org/2000/09/xmldsig#"}};
  platform::XmlElement& info = addChild(signature, "SignedInfo");
  addChild(info, "CanonicalizationMethod").attributes = {
      {"Algorithm", "http://www.w3.org/TR/2001/REC-xml-c14n-20010315"}};
  addChild(info, "SignatureMethod").attributes = {
      {"Algorithm", "http://www.w3.org/2001/04/xmldsig-more#rsa-sha256"}};
  platform::XmlElement& reference = addChild(info, "Reference");
  reference.attributes = {{"URI", "#CFe" + key}};
  platform::XmlElement& transforms = addChild(reference, "Transforms");
  addChild(transforms, "Transform").attributes = {
      {"Algorithm", "http://www.w3.org/2000/09/xmldsig#enveloped-signature"}};
  addChild(transforms, "Transform").attributes = {
      {"Algorithm", "http://www.w3.org/TR/2001/REC-xml-c14n-20010315"}};
  addChild(reference, "DigestMethod").attributes = {
      {"Algorithm", "http://www.w3.org/2001/04/xmlenc#sha256"}};
  addChild(reference, "DigestValue", randomBase64(random, 32));
  addChild(signature, "SignatureValue", randomBase64(random, 256));
  platform::XmlElement& keyInfo = addChild(signature, "KeyInfo");
  addChild(addChild(keyInfo, "X509Data"), "X509Certificate", std::string(kDeviceCertificateBase64));
  return signature;
}

std::string writeCoupon(const platform::XmlElement& root, CouponKind kind, CouponForm form) {
  platform::XmlDeclaration declaration;
  if (form == CouponForm::OneLine) {
    declaration.encoding = "UTF-8";
    return platform::writeXml(root, platform::XmlLayout::Compact, declaration);
  }
  if (kind == CouponKind::Test) {
    declaration.present = false;
    return platform::writeXml(root, platform::XmlLayout::Compact, declaration);
  }
  declaration.encoding.clear();
  // The writer ends lines with CR LF; devices use LF. A CR within a text is
  // written as a reference, so the only CRs here are line ends.
  const std::string crlf = platform::writeXml(root, platform::XmlLayout::Indented, declaration);
  std::string lf;
  lf.reserve(crlf.size());
  for (const char c : crlf)
    if (c != '\r') lf += c;
  return lf;
}

}  // namespace satemu
