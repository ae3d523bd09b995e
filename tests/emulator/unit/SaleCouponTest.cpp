#include <gtest/gtest.h>

#include "AccessKey.h"
#include "Coupon.h"
#include "platform/Xml.h"
#include "support/SaleDocuments.h"

namespace {

using satemu::testing::oneItemSale;
using satemu::testing::SaleParties;

class SaleCoupon : public ::testing::Test {
 protected:
  SaleCoupon() {
    state_.serial = "900004019";
    state_.cnpj = "11222333000181";
    state_.cUF = 35;
    state_.softwareHouseCnpj = "16222333000181";
    state_.signAC = std::string(344, '1');
    now_ = satemu::momentAt(1765000000);
  }

  satemu::Coupon issue(const std::string& document, int couponNumber = 7) {
    const satemu::CouponContext context{state_, now_, couponNumber, random_};
    return satemu::issueSaleCoupon(document, context);
  }

  SaleParties parties() const {
    SaleParties p;
    p.softwareHouseCnpj = state_.softwareHouseCnpj;
    p.signAC = state_.signAC;
    p.taxpayerCnpj = state_.cnpj;
    return p;
  }

  satemu::DeviceState state_;
  satemu::Moment now_;
  std::mt19937 random_{12345};
};

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? text : text.substr(0, at) + to + text.substr(at + from.size());
}

TEST_F(SaleCoupon, RejectionsCarryTheirValidationCode) {
  const std::string sale = oneItemSale(parties());
  const struct {
    std::string document;
    std::string code;
  } cases[] = {
      {"", "1999"},
      {"not xml at all", "1999"},
      {"<CFe><ide/></CFe>", "1999"},
      {replaced(sale, "MiniPc Mirel", "Caf\xe9"), "1999"},  // Latin-1 byte: not UTF-8
      {replaced(sale, "<qCom>1.0000</qCom>", "<qCom>um</qCom>"), "1999"},
      {replaced(sale, "<CNPJ>16222333000181</CNPJ>", "<CNPJ>1622</CNPJ>"), "1224"},
      {replaced(sale, "<CNPJ>11222333000181</CNPJ>", "<CNPJ>11222333000262</CNPJ>"), "1207"},
      {replaced(sale, "<vMP>2000.00</vMP>", "<vMP>654.31</vMP>"), "1408"},
      {replaced(sale, "<cMP>01</cMP>", "<cMP>07</cMP>"), "1527"},
      {replaced(sale, "<indRegra>A</indRegra>", "<indRegra>A</indRegra><vDesc>700.00</vDesc>"),
       "1998"},
  };
  for (const auto& c : cases) {
    const satemu::Coupon coupon = issue(c.document);
    EXPECT_EQ(coupon.rejection, c.code) << c.document;
    EXPECT_TRUE(coupon.xml.empty());
  }
}

TEST_F(SaleCoupon, SalesCheckTheAssociationButTestCouponsDoNot) {
  SaleParties stranger = parties();
  stranger.signAC = std::string(344, '0');
  EXPECT_TRUE(issue(oneItemSale(stranger)).associationMismatch);
  const satemu::Coupon test = issue(oneItemSale(stranger), 0);
  EXPECT_TRUE(test.rejection.empty());
  EXPECT_EQ(test.key.substr(31, 6), "000000");
}

TEST_F(SaleCoupon, ComputesItemsDiscountsAndChange) {
  std::string sale = oneItemSale(parties());
  // Truncation rule, a discount on the item and a surcharge on the subtotal.
  sale = replaced(
      sale, "<qCom>1.0000</qCom><vUnCom>654.320</vUnCom><indRegra>A</indRegra>",
      "<qCom>3.0000</qCom><vUnCom>0.333</vUnCom><indRegra>T</indRegra><vDesc>0.10</vDesc>");
  sale = replaced(sale, "<total>",
                  "<total><DescAcrEntr><vAcresSubtot>1.00</vAcresSubtot></DescAcrEntr>");
  sale = replaced(sale, "<vMP>2000.00</vMP>", "<vMP>5.00</vMP>");
  const satemu::Coupon coupon = issue(sale);
  ASSERT_TRUE(coupon.rejection.empty()) << coupon.rejection;
  EXPECT_EQ(coupon.total, "1.89");  // 0.99 - 0.10 + 1.00
  EXPECT_TRUE(satemu::isValidAccessKey(coupon.key));
  EXPECT_EQ(coupon.key.substr(31, 6), "000007");

  const platform::XmlElement root = platform::parseXml(coupon.xml);
  const platform::XmlElement& inf = *root.child("infCFe");
  const platform::XmlElement& prod = *inf.child("det")->child("prod");
  EXPECT_EQ(prod.child("vProd")->text, "0.99");
  EXPECT_EQ(prod.child("vItem")->text, "0.89");
  EXPECT_EQ(prod.child("vRatAcr")->text, "1.00");
  EXPECT_EQ(prod.child("vRatDesc")->text, "0.00");
  EXPECT_EQ(inf.child("total")->child("ICMSTot")->child("vDesc")->text, "0.10");
  EXPECT_EQ(inf.child("total")->child("vCFe")->text, "1.89");
  EXPECT_EQ(inf.child("pgto")->child("vTroco")->text, "3.11");
  EXPECT_EQ(inf.child("ide")->child("dEmi")->text, satemu::date(now_));
  EXPECT_EQ(inf.child("ide")->child("cDV")->text, coupon.key.substr(43));
  EXPECT_EQ(inf.child("emit")->child("xNome")->text, state_.parameterisation.xNome);
  EXPECT_NE(root.child("Signature"), nullptr);
}

TEST_F(SaleCoupon, ItemsCloseWithTheirSharesAndTheAddressHasNoEmptyParts) {
  const auto enderEmit = [](const platform::XmlElement& root) {
    return *root.child("infCFe")->child("emit")->child("enderEmit");
  };
  const platform::XmlElement root = platform::parseXml(issue(oneItemSale(parties())).xml);
  std::vector<std::string> closing;
  for (const platform::XmlElement& child :
       root.child("infCFe")->child("det")->child("prod")->children)
    closing.push_back(child.name + "=" + child.text);
  ASSERT_GE(closing.size(), 3u);
  EXPECT_EQ(std::vector<std::string>(closing.end() - 3, closing.end()),
            (std::vector<std::string>{"vItem=654.32", "vRatDesc=0.00", "vRatAcr=0.00"}));
  EXPECT_EQ(enderEmit(root).child("xCpl")->text, "Térreo");

  state_.parameterisation.xCpl.clear();
  const platform::XmlElement withoutComplement =
      platform::parseXml(issue(oneItemSale(parties())).xml);
  EXPECT_EQ(enderEmit(withoutComplement).child("xCpl"), nullptr);
  EXPECT_EQ(enderEmit(withoutComplement).child("xLgr")->text, "Rua da Consolação");
}

TEST_F(SaleCoupon, SubtotalDiscountIsSharedByItemValue) {
  const std::string item =
      "<prod><cProd>1</cProd><xProd>x</xProd><CFOP>5102</CFOP><uCom>UN</uCom><qCom>1</qCom>"
      "<vUnCom>PRICE</vUnCom><indRegra>A</indRegra></prod><imposto/>";
  const std::string sale =
      "<CFe><infCFe><ide><CNPJ>16222333000181</CNPJ><signAC>" + state_.signAC +
      "</signAC><numeroCaixa>001</numeroCaixa></ide><emit><CNPJ>11222333000181</CNPJ></emit>"
      "<det nItem=\"1\">" +
      replaced(item, "PRICE", "3.00") + "</det><det nItem=\"2\">" +
      replaced(item, "PRICE", "1.00") +
      "</det><total><DescAcrEntr><vDescSubtot>1.00</vDescSubtot></DescAcrEntr></total>"
      "<pgto><MP><cMP>17</cMP><vMP>3.00</vMP></MP></pgto></infCFe></CFe>";
  const satemu::Coupon coupon = issue(sale);
  ASSERT_TRUE(coupon.rejection.empty()) << coupon.rejection;
  EXPECT_EQ(coupon.total, "3.00");
  const platform::XmlElement root = platform::parseXml(coupon.xml);
  std::vector<std::string> shares;
  for (const platform::XmlElement& det : root.child("infCFe")->children)
    if (det.name == "det") shares.push_back(det.child("prod")->child("vRatDesc")->text);
  EXPECT_EQ(shares, (std::vector<std::string>{"0.75", "0.25"}));
}

}  // namespace
