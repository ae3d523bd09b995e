#include "shell/SettingsDialogs.h"

namespace shell {

settings::SettingsNotices settingsDialogs(ui::Messages& messages, ui::FilePickers& files) {
  return {[&messages](const std::u16string& text) { messages.showMessage(text); },
          [&messages](const std::u16string& question) { return messages.confirm(question); },
          [&files] {
            return files.saveFile({u"Gravar as configurações em", u"Arquivos XML (*.xml)|*.xml",
                                   u"xml", u"Parametros.xml", true});
          }};
}

}  // namespace shell
