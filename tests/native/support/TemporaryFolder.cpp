#include "support/TemporaryFolder.h"

#include <atomic>
#include <string>

#include <unistd.h>

namespace testing_support {

TemporaryFolder::TemporaryFolder() {
  static std::atomic<int> counter{0};
  path_ = std::filesystem::temp_directory_path() /
          ("quorvel-test-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace testing_support
