#include "settings/CheckConfigs.h"

#include <optional>
#include <string>

#include "platform/Files.h"
#include "settings/DefaultDocuments.h"
#include "settings/SettingsFolder.h"

namespace settings {
namespace {

// Why the file was missing and could not be written; nothing when it is
// there now.
std::optional<std::string> writeIfMissing(const platform::Path& file,
                                          std::string_view defaultDocument) {
  if (platform::fileExists(file)) return std::nullopt;
  try {
    platform::writeFileAtomically(file, defaultDocument);
    return std::nullopt;
  } catch (const platform::FileError& error) {
    return error.what();
  }
}

void tellNotCreated(const SettingsNotices& notices, const platform::Path& file,
                    std::u16string_view name, const std::string& failure) {
  notices.tell(u"Não foi possível criar o arquivo de configuração \"" + std::u16string(name) +
               u"\"!\r\n" + unwritableSettingsFolder(file, failure));
}

}  // namespace

void CheckConfigs(const platform::Path& folder, const SettingsNotices& notices) {
  const platform::Path confRede = folder / u"ConfRede.xml";
  if (const auto failure = writeIfMissing(confRede, kDefaultConfRede)) {
    tellNotCreated(notices, confRede, u"ConfRede.xml", *failure);
    return;
  }
  const platform::Path parametros = folder / u"Parametros.xml";
  if (const auto failure = writeIfMissing(parametros, kDefaultParametros))
    tellNotCreated(notices, parametros, u"Parametros.xml", *failure);
}

}  // namespace settings
