#include "platform/Files.h"

#include "platform/Text.h"

#include <algorithm>
#include <atomic>
#include <fstream>
#include <sstream>

namespace platform {

namespace {

std::string describe(const char* what, const std::filesystem::path& path) {
  return std::string(what) + ": " + utf8Path(path);
}

}  // namespace

std::string utf8Path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

bool fileExists(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

std::uintmax_t fileSize(const std::filesystem::path& path) {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error) throw FileError(describe("Não foi possível ler o tamanho do arquivo", path));
  return size;
}

std::string readFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw FileError(describe("Não foi possível abrir o arquivo", path));
  std::ostringstream content;
  content << in.rdbuf();
  if (in.bad()) throw FileError(describe("Erro ao ler o arquivo", path));
  return std::move(content).str();
}

AtomicFileWriter::AtomicFileWriter(std::filesystem::path target) : target_(std::move(target)) {
  static std::atomic<unsigned> counter{0};
  temporary_ = target_;
  temporary_ += ".tmp" + std::to_string(++counter);
  out_.open(temporary_, std::ios::binary | std::ios::trunc);
  if (!out_) throw FileError(describe("Não foi possível criar o arquivo", target_));
}

AtomicFileWriter::~AtomicFileWriter() {
  if (committed_) return;
  out_.close();
  std::error_code ignored;
  std::filesystem::remove(temporary_, ignored);
}

void AtomicFileWriter::write(std::string_view bytes) {
  out_.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out_) throw FileError(describe("Erro ao gravar o arquivo", target_));
}

void AtomicFileWriter::commit() {
  out_.flush();
  const bool written = static_cast<bool>(out_);
  out_.close();
  if (!written || out_.fail()) throw FileError(describe("Erro ao gravar o arquivo", target_));
  flushToDisk(temporary_);
  replaceFile(temporary_, target_);
  committed_ = true;
}

void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  AtomicFileWriter file(path);
  file.write(bytes);
  file.commit();
}

std::vector<std::string> readLines(const std::filesystem::path& path) {
  const std::string content = readFile(path);
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < content.size()) {
    std::size_t end = content.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(content.substr(start));
      break;
    }
    lines.push_back(content.substr(start, end - start));
    start =
        end +
        ((content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

void writeLines(const std::filesystem::path& path, const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const auto& line : lines) size += line.size() + 2;
  std::string content;
  content.reserve(size);
  for (const auto& line : lines) {
    content += line;
    content += "\r\n";
  }
  writeFileAtomically(path, content);
}

void writeTextLines(const std::filesystem::path& path, std::u16string_view text) {
  // Converted a piece at a time, each piece ending after a line break, so no
  // character is cut in two and the ANSI copy never holds the whole text.
  constexpr std::size_t kPiece = 1 << 20;
  AtomicFileWriter file(path);
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = std::min(text.size(), start + kPiece);
    if (end < text.size()) {
      const std::size_t lineEnd = text.find(u'\n', end);
      end = lineEnd == std::u16string_view::npos ? text.size() : lineEnd + 1;
    }
    file.write(toAnsi(text.substr(start, end - start)));
    start = end;
  }
  if (!text.empty() && !text.ends_with(u"\r\n")) file.write("\r\n");
  file.commit();
}

}  // namespace platform
