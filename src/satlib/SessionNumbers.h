#pragma once
// Session numbers: six digits, "000001" to "999998", each different from the
// last 100 handed out in this run.
#include <array>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace satlib {

class SessionNumbers {
 public:
  explicit SessionNumbers(const platform::Clock& clock) : clock_(clock) {}

  // Draws a new number and records it in the ring.
  std::string geranumsessao();

  // The seed the clock gives at this time of day.
  static unsigned seedFor(const platform::TimeOfDay& time);
  // The candidate number a seed gives.
  static std::string candidateFor(unsigned seed);

 private:
  bool recentlyIssued(const std::string& number) const;

  const platform::Clock& clock_;
  std::array<std::string, 100> SessoesRecentes_{};
  std::size_t PosSessao_ = 0;
};

// Whether the session number a device echoed is this one. They are compared
// as numbers: some devices echo 12345 for 012345. Text that is not a number
// is no session.
bool sameSessionNumber(std::string_view echoed, std::string_view session);

}  // namespace satlib
