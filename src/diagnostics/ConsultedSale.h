#pragma once
// The coupon inside the stored answer of a sale ("06000") that a session
// query brings back.
#include <string>
#include <string_view>

namespace diagnostics {

// The answer split a second time, at every "|" and every line break (CR LF,
// CR or LF), a separator at the very end adding no field; the fields from
// index 5 to index n - 6 joined and decoded from Base64. Empty when the split
// gives fewer than 11 fields.
std::string consultedCoupon(std::string_view answer);

}  // namespace diagnostics
