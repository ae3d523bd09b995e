// Times programs from CreateProcess to their first visible top-level window
// and to their first wait for input (WaitForInputIdle, what automation waits
// for), in turns, and prints each one's medians and their ratios.
//
//   startup_timer.exe RUNS PROGRAM.exe YARDSTICK.exe
//
// Each program starts in its own folder and is closed (WM_CLOSE, then
// TerminateProcess after 5 s) before the next starts. The order alternates
// from run to run, so a slow moment of the machine falls on both.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

struct Search {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK findVisibleWindow(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
  search->found = window;
  return FALSE;
}

double secondsSince(LARGE_INTEGER start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

struct StartTimes {
  double visible = -1;  // ms to the first visible window; negative: none came
  double ready = -1;    // ms to the first wait for input
};

StartTimes timeOneStart(const std::wstring& program) {
  std::wstring folder = program.substr(0, program.find_last_of(L"\\/"));
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.c_str(), &startup, &process)) {
    std::fwprintf(stderr, L"cannot start %ls (%lu)\n", program.c_str(), GetLastError());
    return {};
  }
  Search search{process.dwProcessId, nullptr};
  StartTimes times;
  while (WaitForSingleObject(process.hProcess, 1) == WAIT_TIMEOUT) {
    EnumWindows(findVisibleWindow, reinterpret_cast<LPARAM>(&search));
    if (search.found) {
      times.visible = secondsSince(start) * 1000;
      break;
    }
  }
  if (search.found && WaitForInputIdle(process.hProcess, 10000) == 0)
    times.ready = secondsSince(start) * 1000;
  if (search.found) PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 5000) == WAIT_TIMEOUT)
    TerminateProcess(process.hProcess, 1);
  WaitForSingleObject(process.hProcess, INFINITE);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return times;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) {
    std::fwprintf(stderr, L"usage: startup_timer RUNS PROGRAM.exe YARDSTICK.exe\n");
    return 2;
  }
  const int runs = std::max(1, _wtoi(argv[1]));
  const std::wstring programs[2] = {argv[2], argv[3]};
  std::vector<double> visible[2];
  std::vector<double> ready[2];
  // One start each before counting: the first start of a program also loads
  // its pages of the executable and the system libraries from disk.
  for (const std::wstring& program : programs) timeOneStart(program);
  for (int run = 0; run < runs; ++run) {
    for (int turn = 0; turn < 2; ++turn) {
      const int which = run % 2 ? 1 - turn : turn;
      const StartTimes times = timeOneStart(programs[which]);
      if (times.visible < 0 || times.ready < 0) {
        std::fwprintf(stderr, L"%ls ended without showing a window and waiting for input\n",
                      programs[which].c_str());
        return 1;
      }
      visible[which].push_back(times.visible);
      ready[which].push_back(times.ready);
    }
  }
  std::printf("runs each:         %d\n", runs);
  std::printf("                   first visible window   ready for input\n");
  const double program[2] = {median(visible[0]), median(ready[0])};
  const double yardstick[2] = {median(visible[1]), median(ready[1])};
  std::printf("program median:    %8.1f ms %18.1f ms\n", program[0], program[1]);
  std::printf("yardstick median:  %8.1f ms %18.1f ms\n", yardstick[0], yardstick[1]);
  std::printf("ratio:             %8.2f %21.2f\n", program[0] / yardstick[0],
              program[1] / yardstick[1]);
  return 0;
}
