#include "settings/SettingsFolder.h"

#include "platform/Text.h"

namespace settings {

std::u16string unwritableSettingsFolder(const platform::Path& file, std::string_view failure) {
  std::u16string text =
      u"A pasta do programa, \"" + file.parent().text() +
      u"\", não permite gravar o arquivo de configuração: ela pode ser somente leitura, "
      u"estar protegida pelo Windows (como \"Arquivos de Programas\"), o disco pode estar "
      u"cheio, ou outro programa pode estar usando o arquivo.\r\n"
      u"Copie o programa para uma pasta em que você possa gravar (por exemplo C:\\Quorvel) "
      u"ou peça ao administrador permissão de gravação nesta pasta.";
  if (!failure.empty()) text += u"\r\nDetalhe: " + platform::fromUtf8(failure);
  return text;
}

}  // namespace settings
