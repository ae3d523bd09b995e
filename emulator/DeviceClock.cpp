#include "DeviceClock.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace satemu {
namespace {

std::tm localTime(std::time_t seconds) {
  std::tm parts{};
#if defined(_WIN32)
  localtime_s(&parts, &seconds);
#else
  localtime_r(&seconds, &parts);
#endif
  return parts;
}

std::string format(const char* pattern, int a, int b, int c, int d = 0, int e = 0, int f = 0) {
  char text[40];
  std::snprintf(text, sizeof text, pattern, a, b, c, d, e, f);
  return text;
}

}  // namespace

Moment momentAt(std::int64_t epoch) {
  const std::tm parts = localTime(static_cast<std::time_t>(epoch));
  Moment moment;
  moment.epoch = epoch;
  moment.year = parts.tm_year + 1900;
  moment.month = parts.tm_mon + 1;
  moment.day = parts.tm_mday;
  moment.hour = parts.tm_hour;
  moment.minute = parts.tm_min;
  moment.second = parts.tm_sec;
  return moment;
}

Moment currentMoment() {
  const auto since = std::chrono::system_clock::now().time_since_epoch();
  return momentAt(std::chrono::duration_cast<std::chrono::seconds>(since).count());
}

std::string stamp(const Moment& m) {
  return format("%04d%02d%02d%02d%02d%02d", m.year, m.month, m.day, m.hour, m.minute, m.second);
}

std::string date(const Moment& m) {
  return format("%04d%02d%02d", m.year, m.month, m.day);
}

std::string time(const Moment& m) {
  return format("%02d%02d%02d", m.hour, m.minute, m.second);
}

std::string yearMonth(const Moment& m) {
  return format("%02d%02d", m.year % 100, m.month, 0);
}

}  // namespace satemu
