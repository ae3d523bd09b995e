// A library a maker's SAT.DLL needs beside it; the scenarios leave it out to
// see it named.
extern "C" __declspec(dllexport) const char* satAuxAnswer() {
  return "000000|08000|SAT em operacao||";
}
