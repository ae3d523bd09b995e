#pragma once
// LISTA_INICIAL and LISTA_FINAL: the access keys of the first and the last
// coupon the device holds that the authority has not received yet. Both are
// 44 zeros, or empty, when none waits.
#include <cstdint>
#include <optional>
#include <string_view>

namespace health {

struct PendingList {
  // An unreadable list names the field that cannot be read: the first when
  // neither can.
  enum Kind { None, Pending, FirstUnreadable, LastUnreadable } kind = None;
  // Pending: LISTA_FINAL names the last coupon (a device may leave it out,
  // empty or zeros).
  bool lastGiven = false;
  // How many wait, counted by the coupon numbers inside the two keys when
  // both are there and belong to one device.
  std::optional<std::int64_t> count = std::nullopt;
};

// `first` and `last` as the answer holds them; nothing for a field it does not
// have (a device that leaves LISTA_FINAL out). A key is 44 digits; no coupon
// is an empty field or only zeros.
PendingList readPendingList(std::optional<std::string_view> first,
                            std::optional<std::string_view> last);

}  // namespace health
