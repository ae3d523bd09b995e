#pragma once
// A shared library loaded by full path: LoadLibraryExW on Windows, dlopen
// elsewhere. Kept loaded until the object is destroyed.
#include <string>
#include "platform/Path.h"

namespace platform {

class DynamicLibrary {
 public:
  DynamicLibrary() = default;
  ~DynamicLibrary();
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  // Loads the library, releasing any held one first. Returns false when it
  // cannot be loaded.
  bool load(const platform::Path& path);
  void release();
  bool loaded() const { return handle_ != nullptr; }

  // The address of an exported name, or nullptr.
  void* symbol(const char* name) const;

 private:
  void* handle_ = nullptr;
};

}  // namespace platform
