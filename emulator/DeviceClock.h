#pragma once
// The device's clock: local time, in the text forms the device writes.
#include <cstdint>
#include <string>

namespace satemu {

struct Moment {
  std::int64_t epoch = 0;  // seconds since 1970-01-01 UTC
  int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

Moment currentMoment();

// The local time of an epoch second.
Moment momentAt(std::int64_t epoch);

std::string stamp(const Moment& moment);      // AAAAMMDDhhmmss
std::string date(const Moment& moment);       // AAAAMMDD
std::string time(const Moment& moment);       // hhmmss
std::string yearMonth(const Moment& moment);  // AAMM

}  // namespace satemu
