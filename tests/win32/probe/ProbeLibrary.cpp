// A library that needs another one, as a maker's SAT.DLL often does.
extern "C" __declspec(dllimport) int probeValue();

extern "C" __declspec(dllexport) int probe() {
  return probeValue() + 1;
}
