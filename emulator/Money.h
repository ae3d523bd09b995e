#pragma once
// Amounts in the coupon: decimal texts in, rounded decimal texts out.
#include <optional>
#include <string>
#include <string_view>

namespace satemu {

// A decimal with a dot, no sign, no exponent; nullopt otherwise.
std::optional<double> parseAmount(std::string_view text);

double roundTo(double value, int decimals);
double truncateTo(double value, int decimals);

// The amount with the given number of decimals ("12.50").
std::string formatAmount(double value, int decimals = 2);

}  // namespace satemu
