#pragma once
#include <string>

namespace satemu::testing {

// CMake hands the paths over in the build machine's form; Wine maps its root to Z:.
inline std::wstring windowsPath(const std::string& path) {
  std::wstring wide(path.begin(), path.end());
  for (wchar_t& c : wide)
    if (c == L'/') c = L'\\';
  return wide.rfind(L"\\", 0) == 0 ? L"Z:" + wide : wide;
}

}  // namespace satemu::testing
