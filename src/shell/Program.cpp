#include "shell/Program.h"

#include "settings/CheckConfigs.h"

namespace shell {

ProgramServices::ProgramServices(ui::Dialogs& platformDialogs, satlib::SatLibrary& library,
                                 const platform::Clock& clock, const platform::Path& programFolder)
    : dialogs(platformDialogs),
      library(library),
      sessions(clock),
      calls(clock),
      cds(programFolder, dialogs),
      programFolder(programFolder) {}

ProgramDialogs::ProgramDialogs(ui::Dialogs& platformDialogs, satlib::SatLibrary& library,
                               const platform::Clock& clock, const platform::Path& programFolder)
    : ProgramServices(platformDialogs, library, clock, programFolder),
      valida(prompt),
      fimAFim(prompt, cds, dialogs) {}

Program::Program(ui::Dialogs& platformDialogs, satlib::SatLibrary& library,
                 const platform::Clock& clock, const platform::Path& programFolder)
    : ProgramDialogs(platformDialogs, library, clock, programFolder),
      main(
          {dialogs, library, calls, sessions, cds, programFolder, prompt, valida, msefaz, fimAFim}),
      support(dialogs, library, calls, main, programFolder) {
  main.systemMenuCommands = {{u"Sobre o Quorvel...", [this] { support.showAbout(); }},
                             {u"Relatório para suporte...", [this] { support.writeReport(); }}};
}

void Program::start() {
  settings::CheckConfigs(programFolder, dialogs);
  main.FormCreate();
  valida.FormCreate();
  fimAFim.FormCreate();
}

}  // namespace shell
