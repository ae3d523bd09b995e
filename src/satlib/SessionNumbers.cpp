#include "satlib/SessionNumbers.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <random>

#include "platform/Text.h"

namespace satlib {

unsigned SessionNumbers::seedFor(const platform::TimeOfDay& t) {
  const long long sum = t.hour * 999LL + t.minute * 9999LL + t.second + t.millisecond * 34463LL;
  return static_cast<unsigned>(sum % 65536);
}

std::string SessionNumbers::candidateFor(unsigned seed) {
  // minstd turns a zero seed into 1; keep seeds 0 and 1 apart.
  std::minstd_rand generator(seed == 0 ? 65536u : seed);
  std::uniform_int_distribution<int> range(1, 999998);
  char digits[8];
  std::snprintf(digits, sizeof digits, "%06d", range(generator));
  return digits;
}

bool SessionNumbers::recentlyIssued(const std::string& number) const {
  return std::find(SessoesRecentes_.begin(), SessoesRecentes_.end(), number) !=
         SessoesRecentes_.end();
}

std::string SessionNumbers::geranumsessao() {
  std::string number;
  do {
    number = candidateFor(seedFor(clock_.now()));
  } while (recentlyIssued(number));
  SessoesRecentes_[PosSessao_] = number;
  PosSessao_ = (PosSessao_ + 1) % SessoesRecentes_.size();
  return number;
}

namespace {

// The digits without their leading zeros; nothing for text that is not a
// number. Any count of digits is read, so no echo overflows.
std::optional<std::string_view> significantDigits(std::string_view number) {
  if (number.empty() || !platform::allDigits(number)) return std::nullopt;
  const std::size_t first = number.find_first_not_of('0');
  return first == std::string_view::npos ? std::string_view() : number.substr(first);
}

}  // namespace

bool sameSessionNumber(std::string_view echoed, std::string_view session) {
  const std::optional<std::string_view> echoedDigits = significantDigits(echoed);
  return echoedDigits && echoedDigits == significantDigits(session);
}

}  // namespace satlib
