// Program entry: the start-up order of the program with native windows.
#include <windows.h>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/win32/LibrarySearch.h"
#include "satlib/LoadedSatLibrary.h"
#include "shell/Program.h"
#include "ui/win32/Win32Ui.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // The current folder is never searched for libraries: SAT.DLL comes from
  // the program's own folder only, its dependencies from beside it.
  platform::restrictLibrarySearch();

  ui::win32::Win32Ui windows(instance, shell::kApplicationTitle,
                             LoadIconW(instance, MAKEINTRESOURCEW(1)));
  const platform::Path folder = platform::executableFolder();
  satlib::LoadedSatLibrary library(folder, windows.dialogs());
  shell::Program program(windows.dialogs(), library, platform::systemClock(), folder);

  int exitCode = 0;
  windows.dispatcher().run([&] {
    program.start();
    // The prompt, the test-sale dialog and the authority window are created
    // when first shown: a start that needs none of them does not wait for them.
    windows.createWindow(program.main, true);
    // A start that asked to end leaves before the main window appears.
    if (!program.main.terminateRequested()) {
      windows.showMain(program.main);
      exitCode = windows.runMessageLoop();
    }
  });
  windows.dispatcher().run([&] { program.main.FormDestroy(); });
  return exitCode;
}
