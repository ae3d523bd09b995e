#include "platform/Clock.h"
#include "platform/DynamicLibrary.h"

namespace platform {

namespace {

class LocalClock : public Clock {
 public:
  TimeOfDay now() const override { return localTimeOfDay(); }
  DateTime dateAndTime() const override { return localDateTime(); }
};

}  // namespace

const Clock& systemClock() {
  static const LocalClock clock;
  return clock;
}

DynamicLibrary::~DynamicLibrary() {
  release();
}

}  // namespace platform
