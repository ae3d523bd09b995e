#include "platform/Clock.h"
#include "platform/DynamicLibrary.h"

namespace platform {

namespace {

class LocalClock : public Clock {
 public:
  TimeOfDay now() const override { return localTimeOfDay(); }
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
