#include <windows.h>

#include <optional>
#include <string>

#include "platform/Files.h"

namespace platform {

namespace {

const wchar_t* wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

// What one of the system's path calls writes, grown until it fits; empty
// when the call fails.
template <class Call>
std::u16string systemPathText(const std::u16string& path, Call call) {
  std::u16string buffer(MAX_PATH, u'\0');
  for (int attempt = 0; attempt < 4; ++attempt) {
    const DWORD length = call(wide(path), reinterpret_cast<wchar_t*>(buffer.data()),
                              static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(length + 1);  // the size asked for, with its NUL
  }
  return {};
}

std::optional<BY_HANDLE_FILE_INFORMATION> identityOf(const Path& path) {
  // No access asked for: only the file's identity is read, and a file that
  // another program holds open still answers. A folder opens only with
  // backup semantics.
  HANDLE file =
      CreateFileW(wide(path.text()), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                  nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  BY_HANDLE_FILE_INFORMATION facts{};
  const bool read = GetFileInformationByHandle(file, &facts) != 0;
  CloseHandle(file);
  if (!read) return std::nullopt;
  return facts;
}

}  // namespace

Path fullPath(const Path& path) {
  const std::u16string full =
      systemPathText(path.text(), [](const wchar_t* in, wchar_t* out, DWORD size) {
        return GetFullPathNameW(in, size, out, nullptr);
      });
  if (full.empty()) return path;
  const auto longPath = [](const std::u16string& text) {
    return systemPathText(text, [](const wchar_t* in, wchar_t* out, DWORD size) {
      return GetLongPathNameW(in, out, size);
    });
  };
  if (std::u16string whole = longPath(full); !whole.empty()) return Path(std::move(whole));
  // A file that does not exist yet: the folder's short names are made long.
  const std::size_t last = full.find_last_of(Path::kSeparators);
  if (last == std::u16string::npos) return Path(full);
  const std::u16string folder = longPath(full.substr(0, last + 1));
  if (folder.empty()) return Path(full);
  return Path(folder + (folder.back() == u'\\' ? u"" : u"\\") + full.substr(last + 1));
}

bool sameFile(const Path& first, const Path& second) noexcept {
  const auto a = identityOf(first);
  const auto b = identityOf(second);
  return a && b && a->dwVolumeSerialNumber == b->dwVolumeSerialNumber &&
         a->nFileIndexHigh == b->nFileIndexHigh && a->nFileIndexLow == b->nFileIndexLow;
}

}  // namespace platform
