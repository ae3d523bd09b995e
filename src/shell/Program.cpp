#include "shell/Program.h"

#include "settings/CheckConfigs.h"

namespace shell {

Program::Program(ui::Dialogs& dialogs, satlib::SatLibrary& library, const platform::Clock& clock,
                 platform::Path programFolder)
    : dialogs_(dialogs),
      sessions(clock),
      calls(clock),
      valida(prompt),
      main({dialogs_, library, calls, sessions, programFolder, prompt, valida, msefaz, fimAFim}),
      fimAFim(prompt, main.cds, dialogs_),
      support(dialogs_, library, calls, main, programFolder),
      programFolder_(std::move(programFolder)) {
  main.systemMenuCommands = {{u"Sobre o Quorvel...", [this] { support.showAbout(); }},
                             {u"Relatório para suporte...", [this] { support.writeReport(); }}};
}

void Program::start() {
  settings::CheckConfigs(programFolder_, dialogs_);
  main.FormCreate();
  valida.FormCreate();
  fimAFim.FormCreate();
}

}  // namespace shell
