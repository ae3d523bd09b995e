#pragma once
// LISTA_INICIAL and LISTA_FINAL: the access keys of the first and the last
// coupon the device holds that the authority has not received yet. Both are
// 44 zeros, or empty, when none waits.
#include <cstdint>
#include <optional>
#include <string_view>

namespace health {

struct PendingList {
  enum Kind { None, Pending, Unreadable } kind = None;
  // How many wait, counted by the coupon numbers inside the two keys when
  // both are there and belong to one device.
  std::optional<std::int64_t> count;
};

// `first` and `last` as the answer holds them; nothing for a field it does not
// have (a device that leaves LISTA_FINAL out).
PendingList readPendingList(std::optional<std::string_view> first,
                            std::optional<std::string_view> last);

// 44 digits.
bool isAccessKey(std::string_view key);
// Empty or only zeros: no coupon.
bool isEmptyKey(std::string_view key);

}  // namespace health
