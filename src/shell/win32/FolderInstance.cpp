#include "shell/win32/FolderInstance.h"

#include <string>

#include "platform/win32/FolderObjectName.h"

namespace shell::win32 {

namespace {

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
                                platform::folderObjectName(L"Local\\Quorvel-", folder).c_str());
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
