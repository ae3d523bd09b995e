#include "platform/LibraryInspection.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "platform/Text.h"

namespace platform {

namespace {

OpenFailure classify(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR:
      return OpenFailure::NotFound;
    case EACCES:
    case EPERM:
      return OpenFailure::AccessDenied;
    default:
      return OpenFailure::Other;
  }
}

}  // namespace

FileHead readFileHead(const Path& path, std::size_t limit) {
  FileHead head;
  const int descriptor = ::open(toUtf8(path.text()).c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) {
    head.failure = classify(errno);
    return head;
  }
  // One byte past the limit tells whether the file goes on.
  const std::size_t wanted = limit + 1;
  constexpr std::size_t kPiece = 1 << 16;
  std::size_t have = 0;
  for (;;) {
    const std::size_t piece = std::min(kPiece, wanted - have);
    head.bytes.resize(have + piece);
    const ssize_t got = ::read(descriptor, head.bytes.data() + have, piece);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      head.failure = classify(errno);
      head.bytes.clear();
      break;
    }
    have += static_cast<std::size_t>(got);
    head.bytes.resize(have);
    if (got == 0) {
      head.whole = true;
      break;
    }
    if (have == wanted) break;
  }
  ::close(descriptor);
  if (head.bytes.size() > limit) head.bytes.resize(limit);
  return head;
}

LoadError lastLibraryLoadError() {
  LoadError error;
  if (const char* text = dlerror()) error.text = fromUtf8(text);
  return error;
}

std::vector<Path> systemLibraryFolders() {
  return {};
}

}  // namespace platform
