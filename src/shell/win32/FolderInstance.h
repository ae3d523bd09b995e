#pragma once
// One program per folder: two would overwrite each other's settings and talk
// to the same device. The first program started in a folder holds a named
// shared record of its process and main window; a later start in the same
// folder finds it, brings that program's window to the front and ends.
#include <windows.h>

#include "platform/Path.h"

namespace shell::win32 {

class FolderInstance {
 public:
  explicit FolderInstance(const platform::Path& folder);
  ~FolderInstance();
  FolderInstance(const FolderInstance&) = delete;
  FolderInstance& operator=(const FolderInstance&) = delete;

  // False when a program already runs in this folder.
  bool isFirst() const { return first_; }
  // For a later start: the window to bring to the front.
  void announceMainWindow(HWND window) const;
  // Brings the running program's window (or the box it shows) to the front.
  void bringRunningProgramToFront() const;

  struct Record {
    DWORD processId;
    DWORD padding;
    ULONGLONG mainWindow;  // the same size in 32- and 64-bit programs
  };

 private:
  HANDLE mapping_ = nullptr;
  Record* record_ = nullptr;
  bool first_ = true;
};

}  // namespace shell::win32
