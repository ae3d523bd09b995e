#include "health/MemoryAmount.h"

#include <array>
#include <cctype>
#include <string>

#include "health/StatusFields.h"

namespace health {

namespace {

struct Unit {
  std::string_view name;
  double bytes;
};

constexpr double kKilo = 1024;
constexpr std::array<Unit, 13> kUnits{{{"", 1},
                                       {"B", 1},
                                       {"BYTES", 1},
                                       {"K", kKilo},
                                       {"KB", kKilo},
                                       {"KIB", kKilo},
                                       {"M", kKilo* kKilo},
                                       {"MB", kKilo* kKilo},
                                       {"MIB", kKilo* kKilo},
                                       {"G", kKilo* kKilo* kKilo},
                                       {"GB", kKilo* kKilo* kKilo},
                                       {"GIB", kKilo* kKilo* kKilo},
                                       {"TB", kKilo* kKilo* kKilo* kKilo}}};

constexpr std::size_t kLongestNumber = 20;

}  // namespace

std::optional<double> memoryBytes(std::string_view text) {
  text = trimmedField(text);
  std::size_t i = 0;
  double whole = 0, fraction = 0, scale = 1;
  bool afterSeparator = false;
  for (; i < text.size() && i < kLongestNumber; ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      if (afterSeparator) {
        scale /= 10;
        fraction += (c - '0') * scale;
      } else {
        whole = whole * 10 + (c - '0');
      }
    } else if ((c == '.' || c == ',') && !afterSeparator && i > 0) {
      afterSeparator = true;
    } else {
      break;
    }
  }
  if (i == 0 || text[i - 1] == '.' || text[i - 1] == ',') return std::nullopt;
  // Blanks, and only blanks, may stand between the number and its unit.
  while (i < text.size() && text[i] == ' ') ++i;
  std::string unit;
  for (const char c : text.substr(i))
    unit += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  for (const Unit& known : kUnits)
    if (unit == known.name) return (whole + fraction) * known.bytes;
  return std::nullopt;
}

}  // namespace health
