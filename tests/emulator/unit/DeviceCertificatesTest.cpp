// The certificate in every coupon's signature and the request an activation
// hands out are real DER structures that certificate tools accept.
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "codec/Base64.h"
#include "platform/Files.h"
#include "platform/Xml.h"
#include "support/ModelDevice.h"
#include "support/SaleDocuments.h"
#include "support/TempFolder.h"

namespace {

using satemu::Function;
using satemu::testing::ModelDevice;

struct DerElement {
  unsigned char tag = 0;
  std::string_view content;
  std::string_view rest;  // what follows the element
};

// The element at the start of bytes; nullopt when its length runs past them.
std::optional<DerElement> readDer(std::string_view bytes) {
  if (bytes.size() < 2) return std::nullopt;
  std::size_t length = static_cast<unsigned char>(bytes[1]);
  std::size_t header = 2;
  if (length & 0x80) {
    const std::size_t lengthBytes = length & 0x7F;
    if (lengthBytes == 0 || lengthBytes > 4 || bytes.size() < 2 + lengthBytes) return std::nullopt;
    length = 0;
    for (std::size_t i = 0; i < lengthBytes; ++i)
      length = length << 8 | static_cast<unsigned char>(bytes[2 + i]);
    header += lengthBytes;
  }
  if (bytes.size() - header < length) return std::nullopt;
  return DerElement{static_cast<unsigned char>(bytes[0]), bytes.substr(header, length),
                    bytes.substr(header + length)};
}

// A certificate and a request are both SEQUENCE { SEQUENCE what is signed,
// SEQUENCE algorithm, BIT STRING signature } and nothing else.
void expectSignedStructure(std::string_view der) {
  const auto outer = readDer(der);
  ASSERT_TRUE(outer && outer->tag == 0x30 && outer->rest.empty());
  const auto signedPart = readDer(outer->content);
  ASSERT_TRUE(signedPart && signedPart->tag == 0x30);
  const auto algorithm = readDer(signedPart->rest);
  ASSERT_TRUE(algorithm && algorithm->tag == 0x30);
  const auto signature = readDer(algorithm->rest);
  ASSERT_TRUE(signature && signature->tag == 0x03 && signature->rest.empty());
}

std::string certificateOfATestCoupon() {
  ModelDevice device;
  satemu::testing::SaleParties parties;
  parties.taxpayerCnpj = ModelDevice::kTaxpayer;
  const std::vector<std::string> answer =
      device.call(Function::TesteFimAFim, satemu::testing::oneItemSale(parties));
  const platform::XmlElement coupon = platform::parseXml(codec::decodeBase64(answer.at(5)));
  return coupon.child("Signature")
      ->child("KeyInfo")
      ->child("X509Data")
      ->child("X509Certificate")
      ->text;
}

std::string requestOfAnActivation() {
  ModelDevice device;
  device.state().activated = false;
  satemu::Command activation;
  activation.function = Function::AtivarSAT;
  activation.subComando = 2;
  activation.cnpj = ModelDevice::kTaxpayer;
  activation.cUF = 35;
  const std::vector<std::string> answer = device.call(activation);
  EXPECT_EQ(answer.at(1), "04006");
  return codec::decodeBase64(answer.at(5));
}

TEST(DeviceCertificates, AreDerStructures) {
  expectSignedStructure(codec::decodeBase64(certificateOfATestCoupon()));
  const std::string pem = requestOfAnActivation();
  const std::string begin = "-----BEGIN CERTIFICATE REQUEST-----\n";
  const std::string end = "-----END CERTIFICATE REQUEST-----\n";
  ASSERT_EQ(pem.rfind(begin, 0), 0u);
  ASSERT_EQ(pem.size() - end.size(), pem.find(end));
  expectSignedStructure(
      codec::decodeBase64(pem.substr(begin.size(), pem.size() - begin.size() - end.size())));
}

TEST(DeviceCertificates, OpensslAcceptsThem) {
#if defined(_WIN32)
  GTEST_SKIP() << "the openssl command is looked for on the build machine only";
#else
  if (std::system("openssl version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no openssl command";
  satemu::testing::TempFolder folder;
  const std::filesystem::path certificate = folder.path() / "device.der";
  const std::filesystem::path request = folder.path() / "request.pem";
  platform::writeFileAtomically(certificate, codec::decodeBase64(certificateOfATestCoupon()));
  platform::writeFileAtomically(request, requestOfAnActivation());
  const std::string x509 =
      "openssl x509 -inform DER -noout -in '" + certificate.string() + "' >/dev/null 2>&1";
  const std::string req =
      "openssl req -verify -noout -in '" + request.string() + "' >/dev/null 2>&1";
  EXPECT_EQ(std::system(x509.c_str()), 0);
  EXPECT_EQ(std::system(req.c_str()), 0);
#endif
}

}  // namespace
