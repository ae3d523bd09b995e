#include <gtest/gtest.h>

#include <deque>
#include <set>

#include "satlib/SessionNumbers.h"

namespace {

// Gives the times it was told, then keeps moving on by a millisecond.
class ScriptedClock : public platform::Clock {
 public:
  mutable std::deque<platform::TimeOfDay> times;
  mutable int reads = 0;
  platform::TimeOfDay now() const override {
    ++reads;
    if (!times.empty()) {
      const auto t = times.front();
      times.pop_front();
      return t;
    }
    return {12, 0, 0, (reads * 7) % 1000};
  }
  platform::DateTime dateAndTime() const override { return {2026, 12, 11, now()}; }
};

TEST(SessionNumbers, SeedFollowsTheClockRule) {
  EXPECT_EQ(satlib::SessionNumbers::seedFor({0, 0, 0, 0}), 0u);
  EXPECT_EQ(satlib::SessionNumbers::seedFor({23, 59, 59, 999}),
            static_cast<unsigned>((23 * 999 + 59 * 9999 + 59 + 999 * 34463) % 65536));
}

TEST(SessionNumbers, SixDigitsInRangeAndNeverOneOfTheLastHundred) {
  ScriptedClock clock;
  satlib::SessionNumbers sessions(clock);
  std::deque<std::string> lastHundred;
  for (int i = 0; i < 1000; ++i) {
    const std::string number = sessions.geranumsessao();
    ASSERT_EQ(number.size(), 6u);
    ASSERT_GE(number, "000001");
    ASSERT_LE(number, "999998");
    ASSERT_EQ(std::count(lastHundred.begin(), lastHundred.end(), number), 0) << number;
    lastHundred.push_back(number);
    if (lastHundred.size() > 100) lastHundred.pop_front();
  }
}

TEST(SessionNumbers, SameSeedDrawsAgainUntilTheClockMovesOn) {
  const platform::TimeOfDay fixed{9, 30, 15, 250};
  ScriptedClock clock;
  clock.times = {fixed, fixed, fixed, fixed};
  satlib::SessionNumbers sessions(clock);
  const std::string first = sessions.geranumsessao();
  EXPECT_EQ(first, satlib::SessionNumbers::candidateFor(satlib::SessionNumbers::seedFor(fixed)));
  const int readsBefore = clock.reads;
  const std::string second = sessions.geranumsessao();
  EXPECT_NE(second, first);
  // Three more reads gave the same seed and were refused.
  EXPECT_EQ(clock.reads - readsBefore, 4);
}

TEST(SessionNumbers, TheHundredAndFirstFreesTheFirst) {
  // Clock times chosen to give distinct candidates, then the first one again.
  ScriptedClock clock;
  std::vector<platform::TimeOfDay> times;
  std::set<std::string> seen;
  for (int ms = 0; times.size() < 101; ++ms) {
    const platform::TimeOfDay t{8, 0, 0, ms};
    if (seen.insert(satlib::SessionNumbers::candidateFor(satlib::SessionNumbers::seedFor(t)))
            .second) {
      times.push_back(t);
    }
  }
  for (const auto& t : times) clock.times.push_back(t);
  clock.times.push_back(times[0]);
  satlib::SessionNumbers sessions(clock);
  std::string first;
  for (int i = 0; i < 101; ++i) {
    const std::string number = sessions.geranumsessao();
    if (i == 0) first = number;
  }
  // The 101st overwrote the first's slot, so its candidate is accepted at once.
  EXPECT_EQ(sessions.geranumsessao(), first);
}

// A device's echo of the session number is read as a number.
TEST(SessionNumbers, AnEchoIsTheSameSessionWhenItIsTheSameNumber) {
  const struct {
    const char* echoed;
    const char* session;
    bool same;
  } cases[] = {
      {"012345", "012345", true},
      {"12345", "012345", true},
      {"0012345", "012345", true},
      {"0", "000000", true},
      {"12346", "012345", false},
      {"1234", "012345", false},
      {"", "012345", false},
      {" 12345", "012345", false},
      {"12345a", "012345", false},
      {"-12345", "012345", false},
      {"1000000000000000000000012345", "012345", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(satlib::sameSessionNumber(c.echoed, c.session), c.same)
        << '"' << c.echoed << "\" for " << c.session;
  }
}

}  // namespace
