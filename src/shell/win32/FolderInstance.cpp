#include "shell/win32/FolderInstance.h"

#include <cstdint>
#include <string>

namespace shell::win32 {

namespace {

// The folder's full path, folded to one case as the file system compares
// names, hashed into a name for the shared record: the path itself may be
// longer than an object name may be.
std::wstring recordName(const platform::Path& folder) {
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
  wchar_t name[64];
  wsprintfW(name, L"Local\\Quorvel-%08lx%08lx", static_cast<unsigned long>(hash >> 32),
            static_cast<unsigned long>(hash & 0xFFFFFFFFu));
  return name;
}

struct WindowSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK takeVisibleWindowOf(HWND window, LPARAM search) {
  auto& wanted = *reinterpret_cast<WindowSearch*>(search);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != wanted.processId || !IsWindowVisible(window)) return TRUE;
  wanted.found = window;
  return FALSE;
}

void bringToFront(HWND window) {
  // The window's own popup (a message box, the code prompt) goes first.
  HWND shown = GetLastActivePopup(window);
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  SetForegroundWindow(shown ? shown : window);
}

}  // namespace

FolderInstance::FolderInstance(const platform::Path& folder) {
  mapping_ = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(Record),
                                recordName(folder).c_str());
  if (!mapping_) return;  // nothing to coordinate with: this program runs
  first_ = GetLastError() != ERROR_ALREADY_EXISTS;
  record_ = static_cast<Record*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, sizeof(Record)));
  if (record_ && first_) {
    record_->processId = GetCurrentProcessId();
    record_->mainWindow = 0;
  }
}

FolderInstance::~FolderInstance() {
  if (record_) UnmapViewOfFile(record_);
  if (mapping_) CloseHandle(mapping_);
}

void FolderInstance::announceMainWindow(HWND window) const {
  if (record_ && first_)
    InterlockedExchange64(reinterpret_cast<volatile LONG64*>(&record_->mainWindow),
                          static_cast<LONG64>(reinterpret_cast<std::uintptr_t>(window)));
}

void FolderInstance::bringRunningProgramToFront() const {
  if (!record_) return;
  // The running program may still be starting: its window, or a box it
  // shows before it, appears within moments.
  for (int attempt = 0; attempt < 50; ++attempt) {
    const auto announced = static_cast<std::uintptr_t>(InterlockedCompareExchange64(
        reinterpret_cast<volatile LONG64*>(&record_->mainWindow), 0, 0));
    HWND main = reinterpret_cast<HWND>(announced);
    if (main && IsWindow(main)) return bringToFront(main);
    WindowSearch search{record_->processId, nullptr};
    EnumWindows(takeVisibleWindowOf, reinterpret_cast<LPARAM>(&search));
    if (search.found) return bringToFront(search.found);
    Sleep(100);
  }
}

}  // namespace shell::win32
