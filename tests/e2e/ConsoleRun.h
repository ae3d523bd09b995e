#pragma once
// A console program run to its end: its standard input read from a file, its
// output and error streams kept, its exit code.
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

namespace e2e {

struct ConsoleOutcome {
  bool finished = false;  // false: still running at the hang detector's limit, then ended
  DWORD exitCode = 0;
  std::string output;
  std::string error;
};

struct ConsoleInput {
  std::wstring arguments;
  // QUORVEL_CODIGO for this run; nothing: not set.
  std::optional<std::wstring> codeVariable;
  // The bytes standard input gives; nothing: the NUL device.
  std::optional<std::string> standardInput;
};

// Runs the program with its folder as the current folder; the streams go
// through files in `scratch`.
ConsoleOutcome runConsole(const std::filesystem::path& program, const ConsoleInput& input,
                          const std::filesystem::path& scratch);

}  // namespace e2e
