#include "health/DeviceTime.h"

#include <chrono>

#include "platform/Text.h"

namespace health {

namespace {

// The number of `count` digits from `first`, or nothing for any other character.
std::optional<int> digits(std::string_view text, std::size_t first, std::size_t count) {
  int value = 0;
  for (std::size_t i = first; i < first + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

std::optional<std::int64_t> daysOf(int year, int month, int day) {
  const std::chrono::year_month_day date{std::chrono::year{year},
                                         std::chrono::month{static_cast<unsigned>(month)},
                                         std::chrono::day{static_cast<unsigned>(day)}};
  if (!date.ok()) return std::nullopt;
  return std::chrono::sys_days(date).time_since_epoch().count();
}

// Positions counted from 1; a position beyond the end gives nothing.
std::u16string positions(std::string_view value, std::size_t first, std::size_t count) {
  if (first - 1 >= value.size()) return {};
  return platform::fromAnsi(value.substr(first - 1, count));
}

}  // namespace

std::optional<std::int64_t> deviceDay(std::string_view text) {
  if (text.size() != 8) return std::nullopt;
  const auto year = digits(text, 0, 4), month = digits(text, 4, 2), day = digits(text, 6, 2);
  if (!year || !month || !day) return std::nullopt;
  return daysOf(*year, *month, *day);
}

std::optional<std::int64_t> deviceMoment(std::string_view text) {
  if (text.size() != 14) return std::nullopt;
  const std::optional<std::int64_t> day = deviceDay(text.substr(0, 8));
  const auto hour = digits(text, 8, 2), minute = digits(text, 10, 2), second = digits(text, 12, 2);
  if (!day || !hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 59)
    return std::nullopt;
  return *day * kSecondsPerDay + *hour * 3600 + *minute * 60 + *second;
}

std::int64_t computerMoment(const platform::DateTime& now) {
  const std::int64_t day = daysOf(now.year, now.month, now.day).value_or(0);
  return day * kSecondsPerDay + now.time.hour * 3600 + now.time.minute * 60 + now.time.second;
}

std::u16string shownDate(std::string_view aaaammdd) {
  const std::string_view v = aaaammdd;
  return positions(v, 7, 2) + u"/" + positions(v, 5, 2) + u"/" + positions(v, 1, 4);
}

std::u16string shownTime(std::string_view aaaammddhhmmss) {
  const std::string_view v = aaaammddhhmmss;
  return positions(v, 9, 2) + u":" + positions(v, 11, 2) + u":" + positions(v, 13, 2);
}

std::u16string shownDateTime(std::string_view aaaammddhhmmss) {
  return shownDate(aaaammddhhmmss) + u" " + shownTime(aaaammddhhmmss);
}

}  // namespace health
