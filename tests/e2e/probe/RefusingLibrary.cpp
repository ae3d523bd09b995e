// A SAT.DLL that refuses to start, as a maker's library may when its device
// driver is not installed: Windows gives it up after DllMain.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  return reason != DLL_PROCESS_ATTACH;
}
