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

}  // namespace testing_support
