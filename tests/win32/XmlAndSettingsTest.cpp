// What only the Windows build can show about XML and the settings files: the
// system's XmlLite reader behind parseXml, and the files in a folder whose name
// is not in the ANSI code page. The shared native cases are compiled into this
// program as well (see CMakeLists.txt).
#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/Xml.h"
#include "settings/CheckConfigs.h"
#include "settings/DefaultDocuments.h"
#include "settings/NetworkDocument.h"
#include "settings/ParameterDataset.h"
#include "support/RecordingDialogs.h"
#include "support/TemporaryFolder.h"

namespace {

TEST(XmlLite, ReadsAUtf16DocumentWithAByteOrderMark) {
  const std::u16string document =
      u"\uFEFF<?xml version=\"1.0\" encoding=\"utf-16\"?><a v=\"Ω\">ação</a>";
  const std::string bytes(reinterpret_cast<const char*>(document.data()),
                          document.size() * sizeof(char16_t));
  const platform::XmlElement root = platform::parseXml(bytes);
  EXPECT_EQ(*root.attribute("v"), "\xCE\xA9");
  EXPECT_EQ(root.text, "a\xC3\xA7\xC3\xA3o");
}

TEST(XmlAndSettings, TheSettingsRoundTripInAFolderWithAUnicodeName) {
  testing_support::TemporaryFolder temporary;
  const std::filesystem::path folder = temporary.path() / u"Configurações Ω";
  std::filesystem::create_directory(folder);
  testing_support::RecordingDialogs dialogs;

  settings::CheckConfigs(folder, dialogs.settingsNotices());
  EXPECT_EQ(platform::readFile(folder / "Parametros.xml"), settings::kDefaultParametros);
  {
    settings::ParameterDataset cds(folder, dialogs.settingsNotices());
    cds.open();
    cds.edit();
    cds.setText("SSID", u"Café Ω");
    cds.setText("tipoInter", u"WIFI");
    cds.setText("seg", u"NONE");
    cds.setText("Assinatura", u"Ω日本");
    cds.post();
    settings::geraxml(cds, folder);
  }
  settings::ParameterDataset cds(folder, dialogs.settingsNotices());
  cds.open();
  EXPECT_EQ(cds.readText("SSID"), u"Café ?");
  EXPECT_EQ(cds.readText("Assinatura"), u"Ω日本");
  EXPECT_EQ(platform::readFile(folder / "ConfRede.xml"),
            "<?xml version=\"1.0\" encoding=\"utf-8\"?><config><tipoInter>WIFI</tipoInter>"
            "<SSID>Caf\xC3\xA9 ?</SSID><seg>NONE</seg><tipoLan>DHCP</tipoLan><proxy>0</proxy>"
            "</config>\r\n");
  EXPECT_TRUE(dialogs.calls.empty());
}

}  // namespace
