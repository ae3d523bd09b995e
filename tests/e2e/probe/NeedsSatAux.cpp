// A SAT.DLL that needs sataux.dll and has only one of the entry points.
extern "C" __declspec(dllimport) const char* satAuxAnswer();

extern "C" __declspec(dllexport) const char* ConsultarSAT(int) {
  return satAuxAnswer();
}
