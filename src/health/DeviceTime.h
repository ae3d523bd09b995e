#pragma once
// The device's dates and times as it writes them (AAAAMMDD, AAAAMMDDhhmmss)
// and this computer's, as counts that can be subtracted, and the device's as
// they are shown. Both clocks show local time, so they are compared as they
// read, without time zones.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Clock.h"

namespace health {

inline constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;

// Days since 1970-01-01 of a date written AAAAMMDD; nothing unless it is
// exactly eight digits naming a day of the calendar.
std::optional<std::int64_t> deviceDay(std::string_view text);
// Seconds since 1970-01-01 00:00:00 of a time written AAAAMMDDhhmmss;
// nothing unless it is exactly fourteen digits naming a moment that exists.
std::optional<std::int64_t> deviceMoment(std::string_view text);
// The same count for this computer's clock.
std::int64_t computerMoment(const platform::DateTime& now);

// DD/MM/AAAA of a text written AAAAMMDD, and hh:mm:ss of one written
// AAAAMMDDhhmmss, whatever it holds: its characters as they stand, in the
// ANSI code page, and a part it is too short for left empty ("1/01/2025" of
// "2025011", "//" of nothing), so a value that is no date is still shown.
std::u16string shownDate(std::string_view aaaammdd);
std::u16string shownTime(std::string_view aaaammddhhmmss);
// DD/MM/AAAA hh:mm:ss.
std::u16string shownDateTime(std::string_view aaaammddhhmmss);

}  // namespace health
