// The coupons as the device writes them: their text form, and what a
// cancellation takes from the sale it cancels.
#include <gtest/gtest.h>

#include "AccessKey.h"
#include "ShopDocuments.h"
#include "codec/Base64.h"
#include "platform/Xml.h"
#include "support/ModelDevice.h"
#include "support/SaleDocuments.h"

namespace {

using satemu::CouponForm;
using satemu::Function;
using satemu::testing::ModelDevice;

struct IssuedCoupon {
  std::string text;
  std::string chave;  // "CFe" and the key, from the answer
};

// Issues a coupon of the given kind; a cancellation cancels a sale made first.
IssuedCoupon issue(ModelDevice& device, Function function) {
  satemu::testing::SaleParties parties;
  parties.taxpayerCnpj = ModelDevice::kTaxpayer;
  if (function != Function::TesteFimAFim) {
    parties.softwareHouseCnpj = ModelDevice::kSoftwareHouse;
    parties.signAC = device.state().signAC;
  }
  std::vector<std::string> answer =
      device.call(function == Function::TesteFimAFim ? function : Function::EnviarDadosVenda,
                  satemu::testing::oneItemSale(parties));
  if (function == Function::CancelarUltimaVenda)
    answer = device.call(function, satemu::testing::cancellationDocument(answer.at(8), parties),
                         answer.at(8));
  const std::size_t couponField = function == Function::TesteFimAFim ? 5 : 6;
  EXPECT_EQ(answer.at(1).substr(2), "000") << answer.at(1);
  return {codec::decodeBase64(answer.at(couponField)), answer.at(8)};
}

TEST(CouponText, FormFollowsTheKnobAndTheKindOfCoupon) {
  const std::string oneLineDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
  const struct {
    CouponForm form;
    Function function;
    std::string start;
    bool indented;
  } cases[] = {
      {CouponForm::Device, Function::EnviarDadosVenda,
       "<?xml version=\"1.0\"?>\n<CFe>\n  <infCFe Id=\"CFe", true},
      {CouponForm::Device, Function::CancelarUltimaVenda,
       "<?xml version=\"1.0\"?>\n<CFeCanc>\n  <infCFe Id=\"CFe", true},
      {CouponForm::Device, Function::TesteFimAFim, "<CFe><infCFe Id=\"CFe", false},
      {CouponForm::OneLine, Function::EnviarDadosVenda,
       oneLineDeclaration + "<CFe><infCFe Id=", false},
      {CouponForm::OneLine, Function::CancelarUltimaVenda,
       oneLineDeclaration + "<CFeCanc><infCFe Id=", false},
      {CouponForm::OneLine, Function::TesteFimAFim, oneLineDeclaration + "<CFe><infCFe Id=", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.start);
    ModelDevice device;
    device.state().knobs.couponForm = c.form;
    const IssuedCoupon coupon = issue(device, c.function);
    EXPECT_EQ(coupon.text.rfind(c.start, 0), 0u) << coupon.text.substr(0, 80);
    EXPECT_EQ(coupon.text.find('\r'), std::string::npos);
    if (c.indented) {
      EXPECT_NE(coupon.text.find("\n    <ide>\n      <cUF>35</cUF>\n"), std::string::npos);
      EXPECT_EQ(coupon.text.back(), '\n');
    } else {
      EXPECT_EQ(coupon.text.find('\n'), std::string::npos);
    }
    // Every form carries the accented parameterisation as UTF-8, and the key it states.
    EXPECT_NE(coupon.text.find("Padaria S\xC3\xA3o Jo\xC3\xA3o"), std::string::npos);
    const platform::XmlElement root = platform::parseXml(coupon.text);
    const platform::XmlElement& inf = *root.child("infCFe");
    EXPECT_EQ(*inf.attribute("Id"), coupon.chave);
    EXPECT_TRUE(satemu::isValidAccessKey(coupon.chave.substr(3)));
    EXPECT_EQ(inf.child("ide")->child("cDV")->text, coupon.chave.substr(46));
  }
}

TEST(CouponText, CancellationRepeatsTheEmitOfTheSale) {
  ModelDevice device;
  const std::vector<std::string> sold =
      device.call(Function::EnviarDadosVenda, satemu::shopSale(device.state()));
  ASSERT_EQ(sold.at(1), "06000");
  // What the device prints now no longer matters for the sale already made.
  device.state().parameterisation.xFant = "Outro nome";
  const std::vector<std::string> cancelled =
      device.call(Function::CancelarUltimaVenda,
                  satemu::shopCancellation(device.state(), sold.at(8)), sold.at(8));
  ASSERT_EQ(cancelled.at(1), "07000");

  const platform::XmlElement sale = platform::parseXml(codec::decodeBase64(sold.at(6)));
  const platform::XmlElement cancellation = platform::parseXml(codec::decodeBase64(cancelled[6]));
  const platform::XmlElement& saleInf = *sale.child("infCFe");
  const platform::XmlElement& cancelInf = *cancellation.child("infCFe");
  const auto written = [](const platform::XmlElement& element) {
    return platform::writeXml(element, platform::XmlLayout::Compact);
  };
  EXPECT_EQ(written(*cancelInf.child("emit")), written(*saleInf.child("emit")));
  EXPECT_EQ(cancelInf.child("emit")->child("IE")->text, "111111111111");
  EXPECT_EQ(cancelInf.child("emit")->child("IM")->text, "12345678");
  EXPECT_EQ(cancelInf.child("emit")->child("xFant")->text, "Padaria São João");
  EXPECT_EQ(saleInf.child("ide")->child("tpAmb")->text, "2");
  EXPECT_EQ(cancelInf.child("ide")->child("tpAmb"), nullptr);
  EXPECT_EQ(*cancelInf.attribute("chCanc"), sold.at(8));
  EXPECT_EQ(cancelInf.child("dest")->child("CPF")->text, sold.at(10));
}

}  // namespace
