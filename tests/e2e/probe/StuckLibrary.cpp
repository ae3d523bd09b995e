// A SAT.DLL whose start never ends, as a maker's library may when it waits in
// DllMain for a device that does not answer.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) Sleep(INFINITE);
  return TRUE;
}
