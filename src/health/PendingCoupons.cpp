#include "health/PendingCoupons.h"

#include <algorithm>

#include "platform/Text.h"

namespace health {

namespace {

constexpr std::size_t kKeyLength = 44;
// Inside a key: the device's serial number, then the coupon's number.
constexpr std::size_t kSerialStart = 22, kSerialLength = 9;
constexpr std::size_t kNumberStart = 31, kNumberLength = 6;

std::int64_t couponNumber(std::string_view key) {
  std::int64_t number = 0;
  for (const char c : key.substr(kNumberStart, kNumberLength)) number = number * 10 + (c - '0');
  return number;
}

std::optional<std::int64_t> countBetween(std::string_view first, std::string_view last) {
  if (first.substr(kSerialStart, kSerialLength) != last.substr(kSerialStart, kSerialLength))
    return std::nullopt;
  const std::int64_t count = couponNumber(last) - couponNumber(first) + 1;
  if (count < 1) return std::nullopt;
  return count;
}

bool isAccessKey(std::string_view key) {
  return key.size() == kKeyLength && platform::allDigits(key);
}

// Empty or only zeros: no coupon.
bool isEmptyKey(std::string_view key) {
  return std::all_of(key.begin(), key.end(), [](char c) { return c == '0'; });
}

}  // namespace

PendingList readPendingList(std::optional<std::string_view> first,
                            std::optional<std::string_view> last) {
  if (!first) return {.kind = PendingList::FirstUnreadable};
  const bool lastEmpty = !last || isEmptyKey(*last);
  if (isEmptyKey(*first))
    return {.kind = lastEmpty ? PendingList::None : PendingList::LastUnreadable};
  if (!isAccessKey(*first)) return {.kind = PendingList::FirstUnreadable};
  if (lastEmpty) return {.kind = PendingList::Pending};
  if (!isAccessKey(*last)) return {.kind = PendingList::LastUnreadable};
  return {.kind = PendingList::Pending, .lastGiven = true, .count = countBetween(*first, *last)};
}

}  // namespace health
