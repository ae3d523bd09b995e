#pragma once
// Facts about the machine and its files that a technician asks for.
#include <string>

#include "platform/Path.h"

namespace platform {

// A file's version resource: empty texts where it has none (or the system
// keeps no such thing).
struct FileVersion {
  std::u16string fileVersion;
  std::u16string productName;
};
FileVersion fileVersionOf(const Path& file);

// The operating system's name and version, as one line.
std::u16string operatingSystemDescription();

}  // namespace platform
