#include "ConsoleRun.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "ScopedEnvironment.h"

namespace e2e {

namespace {

// Hang detector only: the program ends long before on any machine.
constexpr DWORD kLongestRunMs = 120000;

HANDLE inheritable(const std::filesystem::path& file, DWORD access, DWORD disposition) {
  SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, TRUE};
  const HANDLE handle = CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    &attributes, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE)
    throw std::runtime_error("cannot open " + file.string() + " for the console program");
  return handle;
}

std::string contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

ConsoleOutcome runConsole(const std::filesystem::path& program, const ConsoleInput& input,
                          const std::filesystem::path& scratch) {
  const std::filesystem::path in = scratch / L"console-in.txt";
  const std::filesystem::path out = scratch / L"console-out.txt";
  const std::filesystem::path err = scratch / L"console-err.txt";
  { std::ofstream(in, std::ios::binary) << input.standardInput.value_or(""); }
  const HANDLE inHandle = input.standardInput ? inheritable(in, GENERIC_READ, OPEN_EXISTING)
                                              : inheritable(L"NUL", GENERIC_READ, OPEN_EXISTING);
  const HANDLE outHandle = inheritable(out, GENERIC_WRITE, CREATE_ALWAYS);
  const HANDLE errHandle = inheritable(err, GENERIC_WRITE, CREATE_ALWAYS);

  std::wstring commandLine = L"\"" + program.wstring() + L"\"";
  if (!input.arguments.empty()) commandLine += L" " + input.arguments;
  std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
  mutableLine.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = inHandle;
  startup.hStdOutput = outHandle;
  startup.hStdError = errHandle;
  PROCESS_INFORMATION process{};
  const std::wstring folder = program.parent_path().wstring();
  BOOL started = FALSE;
  {
    const ScopedEnvironment code(L"QUORVEL_CODIGO",
                                 input.codeVariable ? input.codeVariable->c_str() : nullptr);
    started = CreateProcessW(program.c_str(), mutableLine.data(), nullptr, nullptr, TRUE,
                             CREATE_NO_WINDOW, nullptr, folder.c_str(), &startup, &process);
  }
  CloseHandle(inHandle);
  CloseHandle(outHandle);
  CloseHandle(errHandle);
  if (!started) throw std::runtime_error("CreateProcess failed for " + program.string());

  ConsoleOutcome outcome;
  outcome.finished = WaitForSingleObject(process.hProcess, kLongestRunMs) == WAIT_OBJECT_0;
  if (!outcome.finished) {
    TerminateProcess(process.hProcess, 1);
    WaitForSingleObject(process.hProcess, 10000);
  }
  GetExitCodeProcess(process.hProcess, &outcome.exitCode);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  outcome.output = contents(out);
  outcome.error = contents(err);
  return outcome;
}

}  // namespace e2e
