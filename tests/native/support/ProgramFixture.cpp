#include "support/ProgramFixture.h"

#include "platform/Files.h"
#include "ui/EventDispatcher.h"

namespace testing_support {

ProgramFixture::ProgramFixture()
    : program({dialogs, dialogs, dialogs}, library, clock, folder.path()), main(program.main) {
  platform::writeFileAtomically(folder.path() / "SAT.DLL",
                                "not used: the scripted library answers");
}

void ProgramFixture::user(const std::function<void()>& event) const {
  ui::EventDispatcher(const_cast<RecordingDialogs&>(dialogs)).run(event);
}

std::string ProgramFixture::parametersFile() const {
  return platform::readFile(folder.path() / "Parametros.xml");
}

void ProgramFixture::storeSettings(
    std::initializer_list<std::pair<const char*, const char16_t*>> fields) {
  program.cds.edit();
  for (const auto& [name, value] : fields) program.cds.setText(name, value);
  program.cds.post();
}

void ProgramFixture::answerCodePrompt(std::u16string code) {
  dialogs.whenShown["TFValida"] = [code = std::move(code)](ui::Form& form) {
    auto& valida = static_cast<shell::TFValida&>(form);
    valida.EdtCodigo.setTextFromUser(code);
    valida.BtnTrocarCod.click();
  };
}

}  // namespace testing_support
