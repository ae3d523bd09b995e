#pragma once
// The 44-digit access key of a coupon and its modulo-11 check digit.
#include <string>
#include <string_view>

namespace satemu {

// Weights 2..9 from the right over the digits given; 11 - (sum mod 11), and
// 0 where that is 10 or 11.
int modulo11CheckDigit(std::string_view digits);

struct AccessKeyParts {
  int cUF = 0;
  std::string yearMonth;  // AAMM
  std::string cnpj;       // 14 digits
  std::string serial;     // 9 digits
  int couponNumber = 0;   // nCFe
  int randomCode = 0;     // cNF
};

// cUF(2) AAMM(4) CNPJ(14) 59 serial(9) nCFe(6) cNF(6) DV(1).
std::string buildAccessKey(const AccessKeyParts& parts);

// 44 digits whose last one is the check digit of the others.
bool isValidAccessKey(std::string_view key);

}  // namespace satemu
