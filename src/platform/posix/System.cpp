#include <dlfcn.h>
#include <fcntl.h>
#include <sys/time.h>
#include <sys/utsname.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "platform/Clock.h"
#include "platform/DynamicLibrary.h"
#include "platform/Files.h"
#include "platform/SystemFacts.h"
#include "platform/Text.h"

namespace platform {

Path executablePath() {
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  return Path(error ? std::filesystem::path() : self);
}

Path executableFolder() {
  const Path self = executablePath();
  return self.empty() ? Path(std::filesystem::current_path()) : self.parent();
}

const std::u16string_view Path::kSeparators = u"/";

namespace {

// The path as the UTF-8 bytes the system's calls take.
std::string native(const Path& path) {
  return toUtf8(path.text());
}

}  // namespace

bool fileExists(const Path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(native(path), error);
}

std::uintmax_t fileSize(const Path& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(native(path), error);
  if (error) throw FileError("Não foi possível ler o tamanho do arquivo: " + utf8Path(path));
  return size;
}

bool removeFile(const Path& path) noexcept {
  std::error_code error;
  return std::filesystem::remove(native(path), error);
}

bool renameToFreeName(const Path& from, const Path& to) noexcept {
  // link() fails when the name is taken, so no other file is ever replaced.
  if (link(native(from).c_str(), native(to).c_str()) != 0) return false;
  return unlink(native(from).c_str()) == 0;
}

std::FILE* openFile(const Path& path, const char* mode) {
  return std::fopen(native(path).c_str(), mode);
}

FileVersion fileVersionOf(const Path&) {
  return {};
}

std::u16string operatingSystemDescription() {
  utsname name{};
  if (uname(&name) != 0) return u"(sistema desconhecido)";
  return fromUtf8(std::string(name.sysname) + " " + name.release + " " + name.machine);
}

void flushToDisk(const Path& path) {
  const int descriptor = ::open(native(path).c_str(), O_RDONLY | O_CLOEXEC);
  const bool flushed = descriptor >= 0 && ::fsync(descriptor) == 0;
  if (descriptor >= 0) ::close(descriptor);
  if (!flushed) throw FileError("Erro ao gravar o arquivo: " + utf8Path(path));
}

void replaceFile(const Path& from, const Path& to) {
  if (std::rename(native(from).c_str(), native(to).c_str()) != 0) {
    throw FileError("Erro ao gravar o arquivo: " + utf8Path(to));
  }
}

TimeOfDay localTimeOfDay() {
  return localDateTime().time;
}

DateTime localDateTime() {
  timeval tv{};
  gettimeofday(&tv, nullptr);
  tm local{};
  localtime_r(&tv.tv_sec, &local);
  return {local.tm_year + 1900,
          local.tm_mon + 1,
          local.tm_mday,
          {local.tm_hour, local.tm_min, local.tm_sec, static_cast<int>(tv.tv_usec / 1000)}};
}

bool DynamicLibrary::load(const Path& path) {
  release();
  handle_ = dlopen(native(path).c_str(), RTLD_NOW | RTLD_LOCAL);
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
