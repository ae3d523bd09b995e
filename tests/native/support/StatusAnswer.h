#pragma once
// Operational status answers for tests: a healthy device's full answer at
// 10/12/2026 12:00:00, with the fields a test changes.
#include <map>
#include <string>

#include "health/StatusFields.h"

namespace testing_support {

std::string statusAnswer(const std::map<health::StatusField, std::string>& changes = {});

// 44 zeros: no coupon.
extern const std::string kNoCoupon;

}  // namespace testing_support
