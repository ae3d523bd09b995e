#include "AccessKey.h"

#include <cstdio>

namespace satemu {

int modulo11CheckDigit(std::string_view digits) {
  int sum = 0;
  int weight = 2;
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    sum += (*it - '0') * weight;
    weight = weight == 9 ? 2 : weight + 1;
  }
  const int digit = 11 - sum % 11;
  return digit >= 10 ? 0 : digit;
}

std::string buildAccessKey(const AccessKeyParts& parts) {
  char numbers[24];
  std::snprintf(numbers, sizeof numbers, "%06d%06d", parts.couponNumber % 1000000,
                parts.randomCode % 1000000);
  char state[8];
  std::snprintf(state, sizeof state, "%02d", parts.cUF % 100);
  std::string key =
      std::string(state) + parts.yearMonth + parts.cnpj + "59" + parts.serial + numbers;
  key += static_cast<char>('0' + modulo11CheckDigit(key));
  return key;
}

bool isValidAccessKey(std::string_view key) {
  if (key.size() != 44) return false;
  for (const char c : key)
    if (c < '0' || c > '9') return false;
  return modulo11CheckDigit(key.substr(0, 43)) == key[43] - '0';
}

}  // namespace satemu
