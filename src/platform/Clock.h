#pragma once
// The local date and time, behind an interface so that tests can set it.

namespace platform {

struct TimeOfDay {
  int hour = 0;         // 0..23
  int minute = 0;       // 0..59
  int second = 0;       // 0..59
  int millisecond = 0;  // 0..999
};

struct DateTime {
  int year = 1980;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  TimeOfDay time;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual TimeOfDay now() const = 0;
  virtual DateTime dateAndTime() const = 0;
};

// The machine's local clock.
const Clock& systemClock();

// The local time of day, read from the operating system.
TimeOfDay localTimeOfDay();
// The local date and time of day, read from the operating system at once.
DateTime localDateTime();

}  // namespace platform
