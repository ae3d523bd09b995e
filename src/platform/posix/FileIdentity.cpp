#include <sys/stat.h>

#include <filesystem>

#include "platform/Files.h"
#include "platform/Text.h"

namespace platform {

Path fullPath(const Path& path) {
  std::error_code error;
  const std::filesystem::path absolute =
      std::filesystem::absolute(std::filesystem::path(toUtf8(path.text())), error);
  if (error) return path;
  return Path(absolute.lexically_normal());
}

bool sameFile(const Path& first, const Path& second) noexcept {
  struct stat firstFacts {};
  struct stat secondFacts {};
  return ::stat(toUtf8(first.text()).c_str(), &firstFacts) == 0 &&
         ::stat(toUtf8(second.text()).c_str(), &secondFacts) == 0 &&
         firstFacts.st_dev == secondFacts.st_dev && firstFacts.st_ino == secondFacts.st_ino;
}

}  // namespace platform
