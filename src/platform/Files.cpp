#include "platform/Files.h"

#include "platform/Text.h"

#include <algorithm>
#include <atomic>

namespace platform {

namespace {

std::string describe(const char* what, const Path& path) {
  return std::string(what) + ": " + utf8Path(path);
}

}  // namespace

std::string utf8Path(const Path& path) {
  return toUtf8(path.text());
}

std::string readFile(const Path& path) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(openFile(path, "rb"), std::fclose);
  if (!in) throw FileError(describe("Não foi possível abrir o arquivo", path));
  // Read in pieces rather than by the file's size, which a file still growing
  // (or a device that has none) would not give right.
  constexpr std::size_t kPiece = 1 << 16;
  std::string content;
  for (;;) {
    const std::size_t had = content.size();
    content.resize(had + kPiece);
    const std::size_t got = std::fread(content.data() + had, 1, kPiece, in.get());
    content.resize(had + got);
    if (got < kPiece) break;
  }
  if (std::ferror(in.get())) throw FileError(describe("Erro ao ler o arquivo", path));
  return content;
}

AtomicFileWriter::AtomicFileWriter(Path target)
    : target_(std::move(target)), out_(nullptr, std::fclose) {
  static std::atomic<unsigned> counter{0};
  temporary_ = target_ + (u".tmp" + fromUtf8(std::to_string(++counter)));
  out_.reset(openFile(temporary_, "wb"));
  if (!out_) throw FileError(describe("Não foi possível criar o arquivo", target_));
}

AtomicFileWriter::~AtomicFileWriter() {
  if (committed_) return;
  out_.reset();
  removeFile(temporary_);
}

void AtomicFileWriter::write(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), out_.get()) != bytes.size())
    throw FileError(describe("Erro ao gravar o arquivo", target_));
}

void AtomicFileWriter::commit() {
  const bool written = std::fflush(out_.get()) == 0 && !std::ferror(out_.get());
  const bool closed = std::fclose(out_.release()) == 0;
  if (!written || !closed) throw FileError(describe("Erro ao gravar o arquivo", target_));
  flushToDisk(temporary_);
  replaceFile(temporary_, target_);
  committed_ = true;
}

void writeFileAtomically(const Path& path, std::string_view bytes) {
  AtomicFileWriter file(path);
  file.write(bytes);
  file.commit();
}

std::vector<std::string> readLines(const Path& path) {
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

void writeLines(const Path& path, const std::vector<std::string>& lines) {
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

}  // namespace platform
