#pragma once
// What the driver needs from its command line: the programs under test and
// the folder for screenshots.
#include <filesystem>
#include <string>

namespace e2e {

struct DriverOptions {
  std::filesystem::path quorvel;
  std::filesystem::path emulator;
  std::filesystem::path emulatorCdecl;
  std::filesystem::path satemuTool;
  std::filesystem::path screenshots;
};

// Reads "--name=value" arguments; the screenshot folder may also come from
// QUORVEL_E2E_SCREENSHOTS. Returns an error text, empty when all is well.
std::wstring parseDriverOptions(int argc, wchar_t** argv, DriverOptions& options);

const DriverOptions& driverOptions();
void setDriverOptions(DriverOptions options);

}  // namespace e2e
