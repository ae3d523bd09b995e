#include <gtest/gtest.h>

#include "validation/Cnpj.h"

namespace {

struct CnpjCase {
  const char16_t* text;
  bool valid;
};

class IsCnpj : public ::testing::TestWithParam<CnpjCase> {};

TEST_P(IsCnpj, AnswersWithoutFailing) {
  EXPECT_EQ(validation::isCNPJ(GetParam().text), GetParam().valid)
      << "CNPJ: "
      << std::string(GetParam().text,
                     GetParam().text + std::char_traits<char16_t>::length(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(Cases, IsCnpj,
                         ::testing::Values(
                             // Both check digits computed; r = 3 then 10.
                             CnpjCase{u"11222333000181", true},
                             // r of 1 gives a first check digit of 0, and of the second digit.
                             CnpjCase{u"11222333000009", true}, CnpjCase{u"11222333001820", true},
                             // One wrong check digit, either one.
                             CnpjCase{u"11222333000182", false}, CnpjCase{u"11222333000171", false},
                             // A digit repeated computes right but is refused.
                             CnpjCase{u"00000000000000", false}, CnpjCase{u"11111111111111", false},
                             CnpjCase{u"55555555555555", false}, CnpjCase{u"99999999999999", false},
                             // Lengths and punctuation.
                             CnpjCase{u"", false}, CnpjCase{u"1122233300018", false},
                             CnpjCase{u"112223330001810", false},
                             CnpjCase{u"11.222.333/0001-81", false},
                             // Non-digits anywhere, the last place included.
                             CnpjCase{u"1122233300018 ", false}, CnpjCase{u" 1222333000181", false},
                             CnpjCase{u"11222333a00181", false}, CnpjCase{u"1122233300018a", false},
                             CnpjCase{u"112223330001\u0668\u0661", false}));

}  // namespace
