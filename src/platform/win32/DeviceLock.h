#pragma once
// One caller of a device library at a time, across programs: the window
// program and the console program take this lock around every library call,
// so a scheduled check never runs in the middle of a technician's
// activation. It is a mutex named after the library's folder in the global
// namespace, so that programs of other users and sessions (a scheduled task
// running under a service account) meet it too; every signed-in user may
// wait for it and release it, none may change it.
#include <windows.h>

#include <string>

#include "platform/Path.h"

namespace platform {

class DeviceLock {
 public:
  enum class Outcome { Taken, TimedOut, Unavailable };

  // The lock of the library in this folder; nothing is made before the first
  // take(), so a program that never calls the library never touches it.
  explicit DeviceLock(Path libraryFolder) : folder_(std::move(libraryFolder)) {}
  ~DeviceLock();
  DeviceLock(const DeviceLock&) = delete;
  DeviceLock& operator=(const DeviceLock&) = delete;

  // Waits up to `milliseconds` (INFINITE: as long as it takes). A holder that
  // ended without releasing it hands it on. Unavailable: the lock could not
  // be made or opened; error() has the system's code.
  Outcome take(DWORD milliseconds);
  // Only by the thread that took it.
  void release();
  DWORD error() const { return error_; }

 private:
  Path folder_;
  HANDLE mutex_ = nullptr;
  DWORD error_ = 0;
};

// "Global\Quorvel.SAT.<16 hex digits>": the folder's full path, folded to one
// case as the file system compares names, hashed, since a path may be longer
// than an object's name may be.
std::wstring deviceLockName(const Path& libraryFolder);

}  // namespace platform
