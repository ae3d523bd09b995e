// Console program entry: quorvel-cli.exe (32-bit) and quorvel-cli64.exe, for
// scheduled tasks and monitoring agents. Read-only by design: it never
// activates, locks, configures or updates a device.
#include <windows.h>

#include <string>
#include <vector>

#include "cli/ConsoleProgram.h"
#include "cli/win32/Console.h"
#include "cli/win32/ConsoleDeviceCalls.h"
#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/win32/DeviceLock.h"
#include "platform/win32/LibrarySearch.h"
#include "satlib/LoadedSatLibrary.h"

int wmain(int argc, wchar_t** argv) {
  // SAT.DLL comes from the program's folder only, its dependencies from
  // beside it.
  platform::restrictLibrarySearch();

  std::vector<std::u16string> arguments;
  for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i], argv[i] + wcslen(argv[i]));
  cli::win32::Console console;
  const cli::ParsedCommandLine parsed = cli::parseCommandLine(arguments);
  if (!parsed.invocation) return cli::answerCommandLine(parsed, console.streams());

  const platform::Path folder = platform::executableFolder();
  platform::DeviceLock lock(folder);
  cli::CollectedMessages messages;
  cli::ConsoleProgram* program = nullptr;
  // A thread is still inside the library: the process ends here, without
  // unwinding what that thread may still use, and without the library's
  // own clean-up, which could wait for that thread.
  cli::win32::ConsoleDeviceCalls deviceCalls(
      parsed.invocation->timeLimitSeconds, lock, [&](const std::u16string& why) {
        TerminateProcess(GetCurrentProcess(), static_cast<UINT>(program->giveUp(why)));
        for (;;) Sleep(INFINITE);
      });
  satlib::LoadedSatLibrary library(folder, messages, deviceCalls);
  cli::ConsoleProgram running(
      {library, deviceCalls, messages, console, platform::systemClock(), console.streams()});
  program = &running;
  return running.run(*parsed.invocation);
}
