#include "ScenarioFolder.h"

#include <windows.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace e2e {
namespace {

std::filesystem::path longTempFolder() {
  wchar_t shortForm[MAX_PATH + 1];
  const DWORD length = GetTempPathW(MAX_PATH + 1, shortForm);
  if (length == 0 || length > MAX_PATH) throw std::runtime_error("GetTempPath failed");
  // The program reports the folder as its executable path spells it; compare
  // like with like by never using 8.3 names.
  wchar_t longForm[MAX_PATH * 2];
  const DWORD longLength = GetLongPathNameW(shortForm, longForm, MAX_PATH * 2);
  if (longLength == 0 || longLength >= MAX_PATH * 2) return shortForm;
  return longForm;
}

}  // namespace

ScenarioFolder::ScenarioFolder() {
  static std::atomic<int> counter{0};
  const std::filesystem::path base = longTempFolder();
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::wstring name = L"quorvel-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                              std::to_wstring(counter++);
    if (CreateDirectoryW((base / name).c_str(), nullptr)) {
      path_ = base / name;
      return;
    }
  }
  throw std::runtime_error("cannot create a scenario folder in the temp folder");
}

ScenarioFolder::~ScenarioFolder() {
  if (keep_) return;
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void ScenarioFolder::copyIn(const std::filesystem::path& source, std::wstring_view name) const {
  std::filesystem::copy_file(source, file(name), std::filesystem::copy_options::overwrite_existing);
}

void ScenarioFolder::write(std::wstring_view name, std::string_view bytes) const {
  writeFileAtomically(file(name), bytes);
}

std::optional<std::string> ScenarioFolder::read(std::wstring_view name) const {
  std::ifstream in(file(name), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
  std::filesystem::path temporary = file;
  temporary += L".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) throw std::runtime_error("cannot write " + temporary.string());
  }
  if (!MoveFileExW(temporary.c_str(), file.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    throw std::runtime_error("cannot replace " + file.string());
  }
}

}  // namespace e2e
