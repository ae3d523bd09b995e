#include <windows.h>

#include "platform/Clock.h"
#include "platform/DynamicLibrary.h"
#include "platform/Files.h"

namespace platform {

std::filesystem::path executableFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  return std::filesystem::path(buffer).parent_path();
}

void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (!MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    throw FileError("Erro ao gravar o arquivo: " + utf8Path(to));
  }
}

TimeOfDay localTimeOfDay() {
  SYSTEMTIME time{};
  GetLocalTime(&time);
  return {time.wHour, time.wMinute, time.wSecond, time.wMilliseconds};
}

bool DynamicLibrary::load(const std::filesystem::path& path) {
  release();
  // The altered search path lets the maker's own DLLs beside SAT.DLL be found.
  handle_ = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  return handle_ != nullptr;
}

void DynamicLibrary::release() {
  if (handle_) FreeLibrary(static_cast<HMODULE>(handle_));
  handle_ = nullptr;
}

void* DynamicLibrary::symbol(const char* name) const {
  return handle_ ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name))
                 : nullptr;
}

}  // namespace platform
