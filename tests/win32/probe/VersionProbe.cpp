// A library that is there only for its version resource (VersionProbe.rc.in).
extern "C" __declspec(dllexport) int versionProbe() {
  return 1;
}
