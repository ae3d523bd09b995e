#pragma once
// File services. Every write goes to a temporary file beside the target and is
// renamed over it, so a crash never leaves half a file.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>
#include "platform/Path.h"

namespace platform {

struct FileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A path as UTF-8 text, for messages.
std::string utf8Path(const Path& path);

// The running executable, and the folder that holds it.
Path executablePath();
Path executableFolder();

// The path whole and plain, as the system opens it: from the current folder,
// with "." and ".." resolved; on Windows also with forward slashes turned,
// the trailing dots and blanks Windows ignores dropped, and short (8.3)
// names of what exists made long.
Path fullPath(const Path& path);
// Whether both paths name one file or folder that exists, however each is
// spelt: other letter case, a short name, a link or a share of it.
bool sameFile(const Path& first, const Path& second) noexcept;

// True for a file with contents (not a folder, a device or a pipe).
bool fileExists(const Path& path);

// The size of a regular file in bytes; throws FileError.
std::uintmax_t fileSize(const Path& path);
// Removes a file; false when there was none or it could not be removed.
bool removeFile(const Path& path) noexcept;
// Renames a file to a name no file has yet; false when the name is taken or
// the rename fails.
bool renameToFreeName(const Path& from, const Path& to) noexcept;
// Reads the whole file; throws FileError.
std::string readFile(const Path& path);

// A file written through a temporary file beside it, renamed over the target
// by commit(); dropped without commit() it leaves the target untouched. So a
// large file can be written piece by piece and a failure never destroys the
// old one.
class AtomicFileWriter {
 public:
  // Creates the temporary file; throws FileError.
  explicit AtomicFileWriter(Path target);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  void write(std::string_view bytes);  // throws FileError
  void commit();                       // throws FileError

 private:
  Path target_;
  Path temporary_;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> out_;
  bool committed_ = false;
};

// Writes the whole file atomically (temporary file + rename); throws FileError.
void writeFileAtomically(const Path& path, std::string_view bytes);

// Lines of 8-bit text: LF, CR LF or CR end a line; a last line without an
// ending counts.
std::vector<std::string> readLines(const Path& path);

// Writes each line followed by CR LF, atomically; throws FileError.
void writeLines(const Path& path, const std::vector<std::string>& lines);

// Opens a file with C stdio's mode letters ("rb", "wb"), the path taken as the
// system names it; nullptr when it cannot. Files are read and written through
// stdio rather than streams, which would bring the whole locale machinery
// into the executable.
std::FILE* openFile(const Path& path, const char* mode);

// Makes the file's bytes reach the disk, so a rename after it never leaves an
// empty file behind a power cut; throws FileError.
void flushToDisk(const Path& path);
// Renames a file over another, replacing it in one step; throws FileError.
void replaceFile(const Path& from, const Path& to);

}  // namespace platform
