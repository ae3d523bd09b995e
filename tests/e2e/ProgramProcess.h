#pragma once
// A program started by the driver. The destructor ends it if it still runs,
// so a failed scenario never leaves a window behind for the next one.
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>

namespace e2e {

class ProgramProcess {
 public:
  // Starts the executable with its folder as the current folder.
  ProgramProcess(const std::filesystem::path& executable, const std::wstring& arguments = {});
  ~ProgramProcess();
  ProgramProcess(const ProgramProcess&) = delete;
  ProgramProcess& operator=(const ProgramProcess&) = delete;

  DWORD id() const { return info_.dwProcessId; }
  bool hasExited() const;
  bool waitForExit(std::chrono::milliseconds timeout) const;
  // Waits until the program first waits for input: its start-up is over and
  // every control of its main window exists.
  bool waitUntilReadyForInput(std::chrono::milliseconds timeout) const;
  // Valid once hasExited().
  DWORD exitCode() const;
  void terminate();

 private:
  PROCESS_INFORMATION info_{};
};

}  // namespace e2e
