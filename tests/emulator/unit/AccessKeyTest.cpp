#include <gtest/gtest.h>

#include "AccessKey.h"

namespace {

using satemu::AccessKeyParts;

TEST(AccessKey, CheckDigitMatchesARealKey) {
  // A key printed by a real device: its last digit is 8.
  const std::string key = "35150708723218000186599000040190000215133408";
  EXPECT_EQ(satemu::modulo11CheckDigit(key.substr(0, 43)), 8);
  EXPECT_TRUE(satemu::isValidAccessKey(key));
}

TEST(AccessKey, RemaindersZeroAndOneGiveDigitZero) {
  // 11 - 0 and 11 - 1 are not digits; both become 0.
  EXPECT_EQ(satemu::modulo11CheckDigit("0000000000000000000000000000000000000000000"), 0);
  EXPECT_EQ(satemu::modulo11CheckDigit("14"), 0);  // 4*2 + 1*3 = 11: remainder 0
  EXPECT_EQ(satemu::modulo11CheckDigit("6"), 0);   // 6*2 = 12: remainder 1
  EXPECT_EQ(satemu::modulo11CheckDigit("5"), 1);   // 5*2 = 10: remainder 10
}

TEST(AccessKey, BuildsTheFieldsInTheirPlaces) {
  AccessKeyParts parts;
  parts.cUF = 35;
  parts.yearMonth = "2612";
  parts.cnpj = "11222333000181";
  parts.serial = "900004019";
  parts.couponNumber = 42;
  parts.randomCode = 7;
  const std::string key = satemu::buildAccessKey(parts);
  ASSERT_EQ(key.size(), 44u);
  EXPECT_EQ(key.substr(0, 2), "35");
  EXPECT_EQ(key.substr(2, 4), "2612");
  EXPECT_EQ(key.substr(6, 14), "11222333000181");
  EXPECT_EQ(key.substr(20, 2), "59");
  EXPECT_EQ(key.substr(22, 9), "900004019");
  EXPECT_EQ(key.substr(31, 6), "000042");
  EXPECT_EQ(key.substr(37, 6), "000007");
  EXPECT_TRUE(satemu::isValidAccessKey(key));
}

TEST(AccessKey, RejectsAlteredOrMalformedKeys) {
  const std::string key = "35150708723218000186599000040190000215133408";
  std::string altered = key;
  altered[10] = altered[10] == '9' ? '0' : static_cast<char>(altered[10] + 1);
  EXPECT_FALSE(satemu::isValidAccessKey(altered));
  EXPECT_FALSE(satemu::isValidAccessKey(key.substr(0, 43)));
  EXPECT_FALSE(satemu::isValidAccessKey("CFe" + key.substr(3)));
}

}  // namespace
