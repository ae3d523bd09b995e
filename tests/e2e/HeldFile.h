#pragma once
#include <windows.h>

#include <filesystem>

namespace e2e {

// A file held open for reading and shared with nobody, as another program
// might hold it.
class HeldFile {
 public:
  explicit HeldFile(const std::filesystem::path& file)
      : handle_(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldFile() {
    if (isOpen()) CloseHandle(handle_);
  }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

}  // namespace e2e
