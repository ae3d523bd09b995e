#include "settings/CheckConfigs.h"

#include "platform/Files.h"
#include "settings/DefaultDocuments.h"

namespace settings {
namespace {

// False when the file was missing and could not be written.
bool writeIfMissing(const platform::Path& file, std::string_view defaultDocument) {
  if (platform::fileExists(file)) return true;
  try {
    platform::writeFileAtomically(file, defaultDocument);
    return true;
  } catch (const platform::FileError&) {
    return false;
  }
}

}  // namespace

void CheckConfigs(const platform::Path& folder, ui::Dialogs& dialogs) {
  if (!writeIfMissing(folder / u"ConfRede.xml", kDefaultConfRede)) {
    dialogs.showMessage(u"Não foi possível criar o arquivo de configuração \"ConfRede.xml\"!");
    return;
  }
  if (!writeIfMissing(folder / u"Parametros.xml", kDefaultParametros)) {
    dialogs.showMessage(u"Não foi possível criar o arquivo de configuração \"Parametros.xml\"!");
  }
}

}  // namespace settings
