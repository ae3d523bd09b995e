// Where the program's start-up time goes: the steps of its entry, each timed,
// then the parts inside them that could be slow, timed on their own.
// Run from a folder holding SAT.DLL; prints one line per step in ms.
#include <windows.h>

#include <cstdio>

#include "page/Pictures.h"
#include "platform/DynamicLibrary.h"
#include "platform/Files.h"
#include "platform/win32/LibrarySearch.h"
#include "satlib/LoadedSatLibrary.h"
#include "settings/DataPacket.h"
#include "shell/Program.h"
#include "ui/win32/ControlId.h"
#include "ui/win32/PngDecoder.h"
#include "ui/win32/Win32Ui.h"

namespace {

class StepClock {
 public:
  StepClock() { QueryPerformanceCounter(&last_); }
  void step(const char* name) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    std::printf("%-34s %8.2f ms\n", name,
                1000.0 * static_cast<double>(now.QuadPart - last_.QuadPart) /
                    static_cast<double>(frequency.QuadPart));
    last_ = now;
  }

 private:
  LARGE_INTEGER last_;
};

BOOL CALLBACK countWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

BOOL CALLBACK countWithChildren(HWND window, LPARAM count) {
  countWindow(window, count);
  EnumChildWindows(window, countWindow, count);
  return TRUE;
}

// Every window of this thread, top-level and child.
int windowsOfThisThread() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), countWithChildren, reinterpret_cast<LPARAM>(&count));
  return count;
}

HWND mainWindow = nullptr;
int windowsMade = 0;

// The message loop makes the hidden pages while no input waits; the timer's
// message comes only when the queue is empty, so it looks in between.
void CALLBACK closeOnceEveryControlExists(HWND, UINT, UINT_PTR, DWORD) {
  if (!GetPropW(mainWindow, ui::win32::kControlsCreatedProperty)) return;
  windowsMade = windowsOfThisThread();
  PostMessageW(mainWindow, WM_CLOSE, 0, 0);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  StepClock clock;
  platform::restrictLibrarySearch();
  ui::win32::Win32Ui windows(instance, shell::kApplicationTitle, nullptr);
  clock.step("window classes and fonts");
  const platform::Path folder = platform::executableFolder();
  satlib::LoadedSatLibrary library(folder, windows.messages(), windows.deviceCalls());
  shell::Program program({windows.messages(), windows.files(), windows.deviceCalls()}, library,
                         platform::systemClock(), folder);
  clock.step("pages built (control model)");
  windows.dispatcher().run([&] {
    program.start();
    clock.step("start: settings, SAT.DLL, pages");
    windows.createWindow(program.main, true);
    clock.step("main window's native controls");
    windows.showMain(program.main);
    clock.step("shown and painted");
    mainWindow = windows.mainWindow();
    SetTimer(nullptr, 0, 1, closeOnceEveryControlExists);
    windows.runMessageLoop();
    clock.step("hidden pages made while waiting for input");
  });
  std::printf("(%d windows in all)\n", windowsMade);

  std::printf("-- inside those steps, on their own:\n");
  clock.step("(printing)");
  platform::DynamicLibrary sat;
  sat.load(folder / u"SAT.DLL");
  clock.step("SAT.DLL loaded again");
  const std::string parameters = platform::readFile(folder / u"Parametros.xml");
  (void)settings::readDataPacket(parameters);
  clock.step("Parametros.xml read and parsed");
  (void)ui::win32::decodePng(page::logoPicture());
  (void)ui::win32::decodePng(page::devicePicture());
  clock.step("both pictures decoded");
  std::fflush(stdout);
  return 0;
}
