#include <windows.h>

#include "platform/Clock.h"
#include "platform/DynamicLibrary.h"
#include "platform/Files.h"
#include "platform/win32/LibrarySearch.h"

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

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(path.c_str(), wideMode.c_str());
}

void flushToDisk(const std::filesystem::path& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  const bool flushed = file != INVALID_HANDLE_VALUE && FlushFileBuffers(file);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!flushed) throw FileError("Erro ao gravar o arquivo: " + utf8Path(path));
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

namespace {
#ifndef LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR
constexpr DWORD LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR = 0x00000100;
#endif
#ifndef LOAD_LIBRARY_SEARCH_DEFAULT_DIRS
constexpr DWORD LOAD_LIBRARY_SEARCH_DEFAULT_DIRS = 0x00001000;
#endif
}  // namespace

void restrictLibrarySearch() {
  // Resolved at run time: Windows 7 has it only with an update.
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  const auto setDefault =
      reinterpret_cast<SetDefaultDllDirectoriesFunction>(reinterpret_cast<void*>(
          GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  SetDllDirectoryW(L"");
}

bool DynamicLibrary::load(const std::filesystem::path& path) {
  release();
  // The maker's own DLLs beside SAT.DLL and the system's folders are searched,
  // never the current folder or PATH.
  handle_ = LoadLibraryExW(path.c_str(), nullptr,
                           LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  // A Windows without those flags refuses them; it searches the folder of
  // SAT.DLL first with the altered search path.
  if (!handle_ && GetLastError() == ERROR_INVALID_PARAMETER)
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
