#include "ProgramProcess.h"

#include <stdexcept>
#include <vector>

namespace e2e {

ProgramProcess::ProgramProcess(const std::filesystem::path& executable,
                               const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + executable.wstring() + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  const std::wstring folder = executable.parent_path().wstring();
  if (!CreateProcessW(executable.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &info_)) {
    throw std::runtime_error("CreateProcess failed for " + executable.string() + " (error " +
                             std::to_string(GetLastError()) + ")");
  }
}

ProgramProcess::~ProgramProcess() {
  terminate();
  CloseHandle(info_.hThread);
  CloseHandle(info_.hProcess);
}

bool ProgramProcess::hasExited() const {
  return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0;
}

bool ProgramProcess::waitForExit(std::chrono::milliseconds timeout) const {
  return WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_OBJECT_0;
}

bool ProgramProcess::waitUntilReadyForInput(std::chrono::milliseconds timeout) const {
  return WaitForInputIdle(info_.hProcess, static_cast<DWORD>(timeout.count())) == 0;
}

DWORD ProgramProcess::exitCode() const {
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(info_.hProcess, &code);
  return code;
}

void ProgramProcess::terminate() {
  if (hasExited()) return;
  TerminateProcess(info_.hProcess, 1);
  WaitForSingleObject(info_.hProcess, 10000);
}

}  // namespace e2e
