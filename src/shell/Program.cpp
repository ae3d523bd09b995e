#include "shell/Program.h"

#include "settings/CheckConfigs.h"
#include "shell/SettingsDialogs.h"

namespace shell {

ProgramServices::ProgramServices(PlatformServices platform, satlib::SatLibrary& library,
                                 const platform::Clock& clock, const platform::Path& programFolder)
    : messages(platform.messages),
      files(platform.files),
      deviceCalls(platform.deviceCalls),
      library(library),
      clock(clock),
      sessions(clock),
      calls(clock),
      cds(programFolder, settingsDialogs(messages, files)),
      programFolder(programFolder) {}

ProgramDialogs::ProgramDialogs(PlatformServices platform, satlib::SatLibrary& library,
                               const platform::Clock& clock, const platform::Path& programFolder)
    : ProgramServices(platform, library, clock, programFolder),
      valida(prompt),
      fimAFim(prompt, cds, files) {}

Program::Program(PlatformServices platform, satlib::SatLibrary& library,
                 const platform::Clock& clock, const platform::Path& programFolder)
    : ProgramDialogs(platform, library, clock, programFolder),
      main(*this),
      support(messages, files, library, calls, main, programFolder) {
  main.systemMenuCommands = {{u"Sobre o Quorvel...", [this] { support.showAbout(); }},
                             {u"Relatório para suporte...", [this] { support.writeReport(); }}};
}

void Program::start() {
  settings::CheckConfigs(programFolder, settingsDialogs(messages, files));
  main.FormCreate();
  valida.FormCreate();
  fimAFim.FormCreate();
}

}  // namespace shell
