#include "platform/Files.h"

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

void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  static std::atomic<unsigned> counter{0};
  std::filesystem::path temporary = path;
  temporary += ".tmp" + std::to_string(++counter);
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) throw FileError(describe("Não foi possível criar o arquivo", path));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      throw FileError(describe("Erro ao gravar o arquivo", path));
    }
  }
  try {
    replaceFile(temporary, path);
  } catch (...) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    throw;
  }
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

}  // namespace platform
