#pragma once
// File services. Every write goes to a temporary file beside the target and is
// renamed over it, so a crash never leaves half a file.
#include <cstdint>
#include <filesystem>
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

// Writes the whole file atomically (temporary file + rename); throws FileError.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Lines of 8-bit text: LF, CR LF or CR end a line; a last line without an
// ending counts.
std::vector<std::string> readLines(const std::filesystem::path& path);

// Writes each line followed by CR LF, atomically; throws FileError.
void writeLines(const std::filesystem::path& path, const std::vector<std::string>& lines);

// Renames a file over another, replacing it in one step; throws FileError.
void replaceFile(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace platform
