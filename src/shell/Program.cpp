#include "shell/Program.h"

#include "settings/CheckConfigs.h"

namespace shell {

Program::Program(ui::Dialogs& dialogs, satlib::SatLibrary& library, const platform::Clock& clock,
                 platform::Path programFolder)
    : dialogs_(dialogs),
      sessions(clock),
      valida(prompt),
      main({dialogs_, library, sessions, programFolder, prompt, valida, msefaz, fimAFim}),
      fimAFim(prompt, main.cds, dialogs_),
      programFolder_(std::move(programFolder)) {}

void Program::start() {
  settings::CheckConfigs(programFolder_, dialogs_);
  main.FormCreate();
  valida.FormCreate();
  fimAFim.FormCreate();
}

}  // namespace shell
