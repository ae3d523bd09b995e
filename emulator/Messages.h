#pragma once
// The device's return codes and their messages (UTF-8, with accents).
#include <string>

namespace satemu {

// "04000" from family 4 and detail 0.
std::string returnCode(int family, int detail);

// The message the device gives with a return code; codes the device does not
// know get the family's unknown-error text.
std::string messageFor(int family, int detail);

constexpr int kSuccess = 0;
constexpr int kWrongCode = 1;
constexpr int kNotActivated = 2;
constexpr int kSessionReused = 97;
constexpr int kBusy = 98;
constexpr int kUnknownError = 99;

}  // namespace satemu
