// Program entry: the start-up order of the program with native windows.
#include <windows.h>

#include "platform/Clock.h"
#include "platform/Files.h"
#include "platform/win32/LibrarySearch.h"
#include "satlib/LoadedSatLibrary.h"
#include "shell/Program.h"
#include "shell/win32/FolderInstance.h"
#include "ui/win32/Win32Ui.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // The current folder is never searched for libraries: SAT.DLL comes from
  // the program's own folder only, its dependencies from beside it.
  platform::restrictLibrarySearch();

  const platform::Path folder = platform::executableFolder();
  const shell::win32::FolderInstance folderInstance(folder);
  if (!folderInstance.isFirst()) {
    folderInstance.bringRunningProgramToFront();
    return 0;
  }

  ui::win32::Win32Ui windows(instance, shell::kApplicationTitle,
                             LoadIconW(instance, MAKEINTRESOURCEW(1)));
  satlib::LoadedSatLibrary library(folder, windows.messages(), windows.deviceCalls());
  shell::Program program({windows.messages(), windows.files(), windows.deviceCalls()}, library,
                         platform::systemClock(), folder);
  // Closing with a device call unanswered ends the process at once: the
  // settings that only memory holds are written first.
  windows.beforeClosingUnanswered([&] { program.main.FormDestroy(); });

  int exitCode = 0;
  windows.dispatcher().run([&] {
    program.start();
    // The prompt, the test-sale dialog and the authority window are created
    // when first shown: a start that needs none of them does not wait for them.
    windows.createWindow(program.main, true);
    // A start that asked to end leaves before the main window appears.
    if (!program.main.terminateRequested()) {
      windows.showMain(program.main);
      folderInstance.announceMainWindow(windows.mainWindow());
      exitCode = windows.runMessageLoop();
    }
  });
  windows.dispatcher().run([&] { program.main.FormDestroy(); });
  return exitCode;
}
