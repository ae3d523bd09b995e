#include "Money.h"

#include <cmath>
#include <cstdio>

namespace satemu {
namespace {

// Keeps 0.1 * 3 from truncating to 0.29.
constexpr double kNudge = 1e-9;

}  // namespace

std::optional<double> parseAmount(std::string_view text) {
  if (text.empty() || text.size() > 20) return std::nullopt;
  double whole = 0;
  double scale = 0;
  bool digits = false;
  for (const char c : text) {
    if (c == '.' && scale == 0) {
      scale = 1;
    } else if (c >= '0' && c <= '9') {
      digits = true;
      whole = whole * 10 + (c - '0');
      if (scale != 0) scale *= 10;
    } else {
      return std::nullopt;
    }
  }
  if (!digits) return std::nullopt;
  return scale == 0 ? whole : whole / scale;
}

double roundTo(double value, int decimals) {
  const double factor = std::pow(10.0, decimals);
  return std::round(value * factor + (value >= 0 ? kNudge : -kNudge)) / factor;
}

double truncateTo(double value, int decimals) {
  const double factor = std::pow(10.0, decimals);
  return std::trunc(value * factor + (value >= 0 ? kNudge : -kNudge)) / factor;
}

std::string formatAmount(double value, int decimals) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, roundTo(value, decimals) + 0.0);
  return text;
}

}  // namespace satemu
