// A library that another one needs: where the loader finds it is the test.
extern "C" __declspec(dllexport) int probeValue() {
  return 41;
}
