#include <dlfcn.h>
#include <fcntl.h>
#include <sys/time.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>

#include "platform/Clock.h"
#include "platform/DynamicLibrary.h"
#include "platform/Files.h"

namespace platform {

std::filesystem::path executableFolder() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::current_path() : self.parent_path();
}

std::FILE* openFile(const std::filesystem::path& path, const char* mode) {
  return std::fopen(path.c_str(), mode);
}

void flushToDisk(const std::filesystem::path& path) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  const bool flushed = descriptor >= 0 && ::fsync(descriptor) == 0;
  if (descriptor >= 0) ::close(descriptor);
  if (!flushed) throw FileError("Erro ao gravar o arquivo: " + utf8Path(path));
}

void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    throw FileError("Erro ao gravar o arquivo: " + utf8Path(to));
  }
}

TimeOfDay localTimeOfDay() {
  timeval tv{};
  gettimeofday(&tv, nullptr);
  tm local{};
  localtime_r(&tv.tv_sec, &local);
  return {local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(tv.tv_usec / 1000)};
}

bool DynamicLibrary::load(const std::filesystem::path& path) {
  release();
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  return handle_ != nullptr;
}

void DynamicLibrary::release() {
  if (handle_) dlclose(handle_);
  handle_ = nullptr;
}

void* DynamicLibrary::symbol(const char* name) const {
  return handle_ ? dlsym(handle_, name) : nullptr;
}

}  // namespace platform
