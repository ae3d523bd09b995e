#pragma once
// The console program calls the device under two limits its ui::DeviceCalls
// enforces: one caller of the device at a time (the window program and other
// runs of this one take the same lock around every call), and a time limit
// for the whole run.
#include <stdexcept>
#include <string>

namespace cli {

// No call was made: the lock was not free before the time limit, or could not
// be used at all. `reason` says which, in Portuguese.
struct DeviceUnavailable : std::runtime_error {
  explicit DeviceUnavailable(std::u16string why)
      : std::runtime_error("device unavailable"), reason(std::move(why)) {}
  std::u16string reason;
};

// The sentence for a device that did not answer within the time limit.
std::u16string noAnswerWithin(int seconds);
// The sentence for a lock still held by another caller at the time limit.
std::u16string busyFor(int seconds);

}  // namespace cli
