#pragma once
// File services. Every write goes to a temporary file beside the target and is
// renamed over it, so a crash never leaves half a file.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct FileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A path as UTF-8 text, for messages.
std::string utf8Path(const std::filesystem::path& path);

// The folder that holds the running executable.
std::filesystem::path executableFolder();

bool fileExists(const std::filesystem::path& path);

// The size of a regular file in bytes; throws FileError.
std::uintmax_t fileSize(const std::filesystem::path& path);
// Reads the whole file; throws FileError.
std::string readFile(const std::filesystem::path& path);

// A file written through a temporary file beside it, renamed over the target
// by commit(); dropped without commit() it leaves the target untouched. So a
// large file can be written piece by piece and a failure never destroys the
// old one.
class AtomicFileWriter {
 public:
  // Creates the temporary file; throws FileError.
  explicit AtomicFileWriter(std::filesystem::path target);
  ~AtomicFileWriter();
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;

  void write(std::string_view bytes);  // throws FileError
  void commit();                       // throws FileError

 private:
  std::filesystem::path target_;
  std::filesystem::path temporary_;
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> out_;
  bool committed_ = false;
};

// Writes the whole file atomically (temporary file + rename); throws FileError.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Lines of 8-bit text: LF, CR LF or CR end a line; a last line without an
// ending counts.
std::vector<std::string> readLines(const std::filesystem::path& path);

// Writes each line followed by CR LF, atomically; throws FileError.
void writeLines(const std::filesystem::path& path, const std::vector<std::string>& lines);
// Writes the lines of a text whose lines end in CR LF (a memo's) in the ANSI
// code page, each followed by CR LF, the last one too; streamed through a
// temporary file, atomically. Throws FileError.
void writeTextLines(const std::filesystem::path& path, std::u16string_view text);

// Opens a file with C stdio's mode letters ("rb", "wb"), the path taken as the
// system names it; nullptr when it cannot. Files are read and written through
// stdio rather than streams, which would bring the whole locale machinery
// into the executable.
std::FILE* openFile(const std::filesystem::path& path, const char* mode);

// Makes the file's bytes reach the disk, so a rename after it never leaves an
// empty file behind a power cut; throws FileError.
void flushToDisk(const std::filesystem::path& path);
// Renames a file over another, replacing it in one step; throws FileError.
void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace platform
