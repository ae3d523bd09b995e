#pragma once
// An answer of the device split at its pipes.
#include <string>
#include <vector>

namespace satemu::testing {

inline std::vector<std::string> fields(const std::string& answer) {
  std::vector<std::string> out(1);
  for (const char c : answer) {
    if (c == '|')
      out.emplace_back();
    else
      out.back() += c;
  }
  return out;
}

}  // namespace satemu::testing
