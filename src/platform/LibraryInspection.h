#pragma once
// What the program needs from the system to tell why a library would not load:
// the start of the file (and why it could not be opened), the error the
// failed load left, and the folders where the system keeps its libraries.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Path.h"

namespace platform {

enum class OpenFailure {
  None,          // the file was read
  NotFound,      // no such file or folder
  AccessDenied,  // the permissions refuse reading it
  Locked,        // another program holds it open without sharing it
  Other,
};

struct FileHead {
  OpenFailure failure = OpenFailure::None;
  std::string bytes;   // at most the limit asked for
  bool whole = false;  // the file ended within `bytes`
};

// Opens the file for reading as the system's loader does (others may read it,
// not write it) and reads at most `limit` bytes from its start.
FileHead readFileHead(const Path& path, std::size_t limit);

struct LoadError {
  std::uint32_t code = 0;  // the Windows error code; 0 elsewhere
  std::u16string text;     // the system's description, possibly empty
};

// Why the last DynamicLibrary::load on this thread failed. Call it right after
// the load: any other system call (a message box) may overwrite it.
LoadError lastLibraryLoadError();

// Where the system keeps its own libraries: on Windows the system folder and
// the Windows folder; none elsewhere.
std::vector<Path> systemLibraryFolders();

}  // namespace platform
