#pragma once
// A zip archive written entry by entry through a temporary file beside the
// target, renamed over it by commit(): a failure, or a writer dropped without
// commit(), leaves no half archive. Each entry is deflated, or stored when
// deflating would not make it smaller. Names are UTF-8 and flagged so, which
// keeps accented names right in every reader that honours the flag.
//
// There is no zip64: an entry or an archive past 4 GB, or more than 65535
// entries, is refused, since readers without zip64 would take it for damage.
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/Path.h"

namespace platform {

class ZipWriter {
 public:
  // Creates the temporary file; the entries carry the local date and time of
  // this moment, or `stamp`. Throws FileError.
  explicit ZipWriter(const Path& target);
  ZipWriter(const Path& target, const DateTime& stamp);
  ZipWriter(const ZipWriter&) = delete;
  ZipWriter& operator=(const ZipWriter&) = delete;

  // Adds a file named `name` (UTF-8, folders separated by '/'). Throws
  // FileError for a name that is empty, repeated, absolute or not UTF-8, and
  // for an entry that would take the archive past the limits above; the
  // archive is then as before and can go on. A failed write leaves it for
  // good: commit() refuses it.
  void add(std::string_view name, std::string_view bytes);

  // Writes the central directory and puts the archive in place; throws
  // FileError.
  void commit();

 private:
  enum class State { Open, Broken, Committed };

  void write(std::string_view bytes);
  [[noreturn]] void refuse(const std::string& what) const;

  AtomicFileWriter file_;
  std::string targetName_;  // for messages
  std::uint16_t dosTime_ = 0;
  std::uint16_t dosDate_ = 0;
  std::set<std::string, std::less<>> names_;
  std::string centralDirectory_;
  std::uint64_t written_ = 0;
  State state_ = State::Open;
};

}  // namespace platform
