#include "DriverOptions.h"

#include <windows.h>

#include <cwchar>
#include <vector>

namespace e2e {
namespace {

DriverOptions current;

// Build systems hand over Unix paths; under Wine they resolve through the
// current drive, so make them full Windows paths once here.
std::filesystem::path fullPath(const std::wstring& given) {
  std::vector<wchar_t> buffer(MAX_PATH * 4);
  const DWORD length =
      GetFullPathNameW(given.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  if (length == 0 || length >= buffer.size()) return given;
  return std::filesystem::path(std::wstring(buffer.data(), length));
}

}  // namespace

std::wstring parseDriverOptions(int argc, wchar_t** argv, DriverOptions& options) {
  const struct {
    const wchar_t* name;
    std::filesystem::path DriverOptions::*member;
  } known[] = {{L"--quorvel=", &DriverOptions::quorvel},
               {L"--emulator=", &DriverOptions::emulator},
               {L"--emulator-cdecl=", &DriverOptions::emulatorCdecl},
               {L"--satemu=", &DriverOptions::satemuTool},
               {L"--screenshots=", &DriverOptions::screenshots}};
  for (int i = 1; i < argc; ++i) {
    const std::wstring argument = argv[i];
    bool matched = false;
    for (const auto& option : known) {
      const std::size_t length = std::wcslen(option.name);
      if (argument.compare(0, length, option.name) == 0) {
        options.*option.member = fullPath(argument.substr(length));
        matched = true;
      }
    }
    if (!matched) return L"unknown argument: " + argument;
  }
  if (options.screenshots.empty()) {
    if (const wchar_t* folder = _wgetenv(L"QUORVEL_E2E_SCREENSHOTS")) {
      options.screenshots = fullPath(folder);
    }
  }
  if (options.quorvel.empty() || options.emulator.empty() || options.emulatorCdecl.empty() ||
      options.satemuTool.empty()) {
    return L"usage: quorvel_e2e --quorvel=Quorvel.exe --emulator=SAT.DLL "
           L"--emulator-cdecl=cdecl/SAT.DLL --satemu=satemu.exe [--screenshots=folder]";
  }
  if (options.screenshots.empty()) options.screenshots = fullPath(L"screenshots");
  return {};
}

const DriverOptions& driverOptions() {
  return current;
}
void setDriverOptions(DriverOptions options) {
  current = std::move(options);
}

}  // namespace e2e
