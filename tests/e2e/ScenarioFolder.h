#pragma once
// A new, empty folder per scenario, so that every start of the program is a
// first start: no settings files, no device state left by another scenario.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace e2e {

class ScenarioFolder {
 public:
  ScenarioFolder();
  // Removes the folder unless keep() was called (a failed scenario keeps it
  // for a look at what the program left behind).
  ~ScenarioFolder();
  ScenarioFolder(const ScenarioFolder&) = delete;
  ScenarioFolder& operator=(const ScenarioFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path file(std::wstring_view name) const { return path_ / name; }

  void copyIn(const std::filesystem::path& source, std::wstring_view name) const;
  void write(std::wstring_view name, std::string_view bytes) const;
  std::optional<std::string> read(std::wstring_view name) const;
  void keep() { keep_ = true; }

 private:
  std::filesystem::path path_;
  bool keep_ = false;
};

// Replaces the file through a temporary one beside it, so that a reader never
// sees half of it.
void writeFileAtomically(const std::filesystem::path& file, std::string_view bytes);

}  // namespace e2e
