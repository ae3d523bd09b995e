#pragma once
// An amount of memory as devices write it: a plain number of bytes
// ("1174929408") or a number and a unit ("260 MB", "4GB", "1,5 GB").
#include <optional>
#include <string_view>

namespace health {

// The amount in bytes (units of 1024); nothing for any other text.
std::optional<double> memoryBytes(std::string_view text);

}  // namespace health
