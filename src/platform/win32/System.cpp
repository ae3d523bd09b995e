#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/DynamicLibrary.h"
#include "platform/Files.h"
#include "platform/LibraryInspection.h"
#include "platform/SystemFacts.h"
#include "platform/Text.h"
#include "platform/VersionResource.h"
#include "platform/win32/LibrarySearch.h"
#include "platform/win32/SystemFunction.h"

namespace platform {

Path executablePath() {
  std::u16string buffer(MAX_PATH, u'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(buffer.data()),
                                            static_cast<DWORD>(buffer.size()));
    if (length < buffer.size()) {
      buffer.resize(length);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  return Path(std::move(buffer));
}

Path executableFolder() {
  return executablePath().parent();
}

const std::u16string_view Path::kSeparators = u"\\/";

namespace {

// The path as the wide text the system's calls take; char16_t and wchar_t
// are the same UTF-16 unit on Windows.
const wchar_t* wide(const Path& path) {
  return reinterpret_cast<const wchar_t*>(path.text().c_str());
}

}  // namespace

namespace {

std::optional<WIN32_FILE_ATTRIBUTE_DATA> attributesOf(const Path& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(wide(path), GetFileExInfoStandard, &data)) return std::nullopt;
  return data;
}

bool isRegular(const WIN32_FILE_ATTRIBUTE_DATA& data) {
  return (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) == 0;
}

}  // namespace

bool fileExists(const Path& path) {
  const auto data = attributesOf(path);
  return data && isRegular(*data);
}

std::uintmax_t fileSize(const Path& path) {
  const auto data = attributesOf(path);
  if (!data || !isRegular(*data))
    throw FileError("Não foi possível ler o tamanho do arquivo: " + utf8Path(path));
  return (std::uintmax_t{data->nFileSizeHigh} << 32) | data->nFileSizeLow;
}

bool removeFile(const Path& path) noexcept {
  return DeleteFileW(wide(path)) != 0;
}

bool renameToFreeName(const Path& from, const Path& to) noexcept {
  // Without MOVEFILE_REPLACE_EXISTING the rename fails when the name is taken.
  return MoveFileExW(wide(from), wide(to), MOVEFILE_WRITE_THROUGH) != 0;
}

std::FILE* openFile(const Path& path, const char* mode) {
  const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
  return _wfopen(wide(path), wideMode.c_str());
}

void flushToDisk(const Path& path) {
  HANDLE file = CreateFileW(wide(path), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  const bool flushed = file != INVALID_HANDLE_VALUE && FlushFileBuffers(file);
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!flushed) throw FileError("Erro ao gravar o arquivo: " + utf8Path(path));
}

void replaceFile(const Path& from, const Path& to) {
  if (!MoveFileExW(wide(from), wide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    throw FileError("Erro ao gravar o arquivo: " + utf8Path(to));
  }
}

FileVersion fileVersionOf(const Path& file) {
  static const auto getSize = requiredSystemFunction<decltype(&GetFileVersionInfoSizeW)>(
      L"version.dll", "GetFileVersionInfoSizeW");
  static const auto getInfo =
      requiredSystemFunction<decltype(&GetFileVersionInfoW)>(L"version.dll", "GetFileVersionInfoW");
  DWORD ignored = 0;
  const DWORD size = getSize(wide(file), &ignored);
  if (size == 0) return {};
  std::vector<char> resource(size);
  if (!getInfo(wide(file), 0, size, resource.data())) return {};
  // Read from the bytes rather than through VerQueryValueW, which finds only
  // the table of the language declared first: makers' resources do not
  // always hold that one.
  const VersionResource parsed = parseVersionResource({resource.data(), resource.size()});
  return {versionString(parsed, u"FileVersion"), versionString(parsed, u"ProductName")};
}

std::u16string operatingSystemDescription() {
  // RtlGetVersion tells the truth whatever the program's manifest says.
  const auto getVersion =
      systemFunction<LONG(WINAPI*)(OSVERSIONINFOW*)>(L"ntdll.dll", "RtlGetVersion");
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  if (!getVersion || getVersion(&version) != 0) return u"Windows (versão desconhecida)";
  wchar_t line[160];
  wsprintfW(line, L"Windows %lu.%lu (build %lu) %s", version.dwMajorVersion, version.dwMinorVersion,
            version.dwBuildNumber, version.szCSDVersion);
  std::u16string description(reinterpret_cast<const char16_t*>(line));
  // Under Wine, which a technician may well use, say so and which one.
  if (const auto wineVersion =
          systemFunction<const char*(CDECL*)()>(L"ntdll.dll", "wine_get_version")) {
    const char* wine = wineVersion();
    description += u" sob Wine ";
    for (const char* c = wine; c && *c; ++c) description += static_cast<char16_t>(*c);
  }
  while (!description.empty() && description.back() == u' ') description.pop_back();
  return description;
}

TimeOfDay localTimeOfDay() {
  return localDateTime().time;
}

DateTime localDateTime() {
  SYSTEMTIME time{};
  GetLocalTime(&time);
  return {time.wYear,
          time.wMonth,
          time.wDay,
          {time.wHour, time.wMinute, time.wSecond, time.wMilliseconds}};
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
  const auto setDefault =
      systemFunction<BOOL(WINAPI*)(DWORD)>(L"kernel32.dll", "SetDefaultDllDirectories");
  if (setDefault) setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  SetDllDirectoryW(L"");
}

SystemProcedure systemProcedure(const wchar_t* library, const char* name) {
  HMODULE module = GetModuleHandleW(library);
  if (!module) {
    // A full path: Windows 7 without its update knows no search flags.
    const std::vector<Path> folders = systemLibraryFolders();
    if (folders.empty()) return nullptr;
    module = LoadLibraryW(wide(folders.front() / reinterpret_cast<const char16_t*>(library)));
  }
  return module ? reinterpret_cast<SystemProcedure>(GetProcAddress(module, name)) : nullptr;
}

bool DynamicLibrary::load(const Path& path) {
  release();
  // The maker's own DLLs beside SAT.DLL and the system's folders are searched,
  // never the current folder or PATH.
  handle_ = LoadLibraryExW(wide(path), nullptr,
                           LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
  // A Windows without those flags refuses them; it searches the folder of
  // SAT.DLL first with the altered search path.
  if (!handle_ && GetLastError() == ERROR_INVALID_PARAMETER)
    handle_ = LoadLibraryExW(wide(path), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
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
