#include "platform/LibraryInspection.h"

#include <windows.h>

#include <algorithm>

namespace platform {

namespace {

const wchar_t* wide(const Path& path) {
  return reinterpret_cast<const wchar_t*>(path.text().c_str());
}

OpenFailure classify(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      return OpenFailure::NotFound;
    case ERROR_ACCESS_DENIED:
      return OpenFailure::AccessDenied;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return OpenFailure::Locked;
    default:
      return OpenFailure::Other;
  }
}

// A folder the system names through a call that takes a buffer and answers
// the length it needs.
template <class Query>
Path systemFolder(Query query) {
  std::u16string buffer(MAX_PATH, u'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const UINT length =
        query(reinterpret_cast<wchar_t*>(buffer.data()), static_cast<UINT>(buffer.size()));
    if (length == 0) return Path();
    if (length < buffer.size()) {
      buffer.resize(length);
      return Path(std::move(buffer));
    }
    buffer.resize(length + 1);
  }
  return Path();
}

}  // namespace

FileHead readFileHead(const Path& path, std::size_t limit) {
  FileHead head;
  // The loader's own sharing: a file someone is writing cannot be loaded, and
  // is reported as in use.
  HANDLE file = CreateFileW(wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    head.failure = classify(GetLastError());
    return head;
  }
  // One byte past the limit tells whether the file goes on.
  const std::size_t wanted = limit + 1;
  constexpr DWORD kPiece = 1 << 16;
  std::size_t have = 0;
  for (;;) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(kPiece, wanted - have));
    head.bytes.resize(have + piece);
    DWORD got = 0;
    if (!ReadFile(file, head.bytes.data() + have, piece, &got, nullptr)) {
      head.failure = classify(GetLastError());
      head.bytes.clear();
      break;
    }
    have += got;
    head.bytes.resize(have);
    if (got == 0) {
      head.whole = true;
      break;
    }
    if (have == wanted) break;
  }
  CloseHandle(file);
  if (head.bytes.size() > limit) head.bytes.resize(limit);
  return head;
}

LoadError lastLibraryLoadError() {
  LoadError error;
  error.code = GetLastError();
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error.code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  if (length != 0 && buffer) error.text.assign(reinterpret_cast<const char16_t*>(buffer), length);
  if (buffer) LocalFree(buffer);
  return error;
}

std::vector<Path> systemLibraryFolders() {
  std::vector<Path> folders;
  for (Path folder : {systemFolder(GetSystemDirectoryW), systemFolder(GetWindowsDirectoryW)}) {
    if (!folder.empty()) folders.push_back(std::move(folder));
  }
  return folders;
}

}  // namespace platform
