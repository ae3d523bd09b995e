// The end-to-end driver: GoogleTest scenarios against the real Quorvel.exe.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>

#include "DriverOptions.h"

namespace {

// Without a window manager Wine leaves the frames undrawn; with this set it
// draws the captions itself, so screenshots show whole windows. Windows
// itself never reads the key.
void letWineDrawWindowFrames() {
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  if (!ntdll || !GetProcAddress(ntdll, "wine_get_version")) return;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Wine\\X11 Driver", 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  const wchar_t no[] = L"N";
  RegSetValueExW(key, L"Decorated", 0, REG_SZ, reinterpret_cast<const BYTE*>(no), sizeof no);
  RegCloseKey(key);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  testing::InitGoogleTest(&argc, argv);
  e2e::DriverOptions options;
  const std::wstring error = e2e::parseDriverOptions(argc, argv, options);
  if (!error.empty()) {
    std::fwprintf(stderr, L"%ls\n", error.c_str());
    return 2;
  }
  e2e::setDriverOptions(std::move(options));
  letWineDrawWindowFrames();
  return RUN_ALL_TESTS();
}
