#include "platform/win32/FolderObjectName.h"

#include <cstdint>

namespace platform {

std::wstring folderObjectName(const wchar_t* prefix, const Path& folder) {
  std::wstring path(folder.text().begin(), folder.text().end());
  wchar_t full[MAX_PATH * 4];
  const DWORD length = GetFullPathNameW(path.c_str(), MAX_PATH * 4, full, nullptr);
  if (length > 0 && length < MAX_PATH * 4) path.assign(full, length);
  while (path.size() > 3 && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
  CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
  std::uint64_t hash = 14695981039346656037ull;
  for (const wchar_t c : path) {
    hash ^= static_cast<std::uint16_t>(c);
    hash *= 1099511628211ull;
  }
  wchar_t digits[17];
  wsprintfW(digits, L"%08lx%08lx", static_cast<unsigned long>(hash >> 32),
            static_cast<unsigned long>(hash & 0xFFFFFFFFu));
  return prefix + std::wstring(digits);
}

}  // namespace platform
