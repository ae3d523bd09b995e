#include "LibraryLocation.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace satemu {

std::filesystem::path libraryFolder() {
#if defined(_WIN32)
  HMODULE module = nullptr;
  const auto address = reinterpret_cast<LPCWSTR>(&libraryFolder);
  if (!GetModuleHandleExW(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          address, &module))
    return std::filesystem::current_path();
  std::wstring name(32768, L'\0');
  const DWORD length = GetModuleFileNameW(module, name.data(), static_cast<DWORD>(name.size()));
  if (length == 0 || length >= name.size()) return std::filesystem::current_path();
  name.resize(length);
  return std::filesystem::path(name).parent_path();
#else
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&libraryFolder), &info) == 0 || !info.dli_fname)
    return std::filesystem::current_path();
  return std::filesystem::absolute(info.dli_fname).parent_path();
#endif
}

}  // namespace satemu
