#pragma once
// The whole program without its platform: the windows, the library access and
// the session numbers. The Win32 entry point puts native windows on it; the
// tests drive it headless. Its parts are built in layers (ProgramParts.h); the
// main window and the support report come last.
#include "platform/Path.h"

#include "shell/ProgramParts.h"
#include "shell/SupportReport.h"
#include "shell/UAtivacao_V4.h"

namespace shell {

inline constexpr char16_t kApplicationTitle[] = u"Mirel - Programa de Ativação S@T";

class Program : public ProgramDialogs {
 public:
  Program(PlatformServices platform, satlib::SatLibrary& library, const platform::Clock& clock,
          const platform::Path& programFolder);

  // Creates the settings files that are missing, then the windows, each once.
  void start();

  TFAtivacao main;
  // Keeps a reference to the main window, which it reads only when asked.
  SupportReport support;
};

}  // namespace shell
