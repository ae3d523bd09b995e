// First start: the two settings files, byte for byte, and the state table.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/Files.h"
#include "settings/CheckConfigs.h"
#include "settings/TabelaUF.h"
#include "support/RecordingDialogs.h"
#include "support/TemporaryFolder.h"

namespace settings {
namespace {

using platform::readFile;
using platform::writeFileAtomically;

// Typed here from the documented default, independently of the program's own
// copy.
const std::string kExpectedConfRede =
    "<?xml version=\"1.0\" encoding=\"utf-8\"?><config><tipoInter>ETHE</tipoInter>"
    "<tipoLan>DHCP</tipoLan><proxy>0</proxy></config>\r\n";

std::string expectedParametros() {
  std::string text =
      "<?xml version=\"1.0\" standalone=\"yes\"?>  <DATAPACKET Version=\"2.0\"><METADATA><FIELDS>";
  const std::pair<const char*, const char*> fields[] = {
      {"tipoInter", "4"},   {"SSID", "32"},        {"seg", "8"},
      {"codigo", "64"},     {"tipoLan", "8"},      {"lanIP", "15"},
      {"lanMask", "15"},    {"lanGW", "15"},       {"lanDNS1", "15"},
      {"lanDNS2", "15"},    {"usuario", "64"},     {"senha", "64"},
      {"proxy", "1"},       {"proxy_ip", "15"},    {"proxy_porta", "5"},
      {"proxy_user", "64"}, {"proxy_senha", "64"}, {"CNPJContribuinte", "14"},
      {"uf", "2"},
  };
  for (const auto& [name, width] : fields) {
    text += std::string("<FIELD attrname=\"") + name + "\" fieldtype=\"string\" WIDTH=\"" + width +
            "\"/>";
  }
  text +=
      "<FIELD attrname=\"TipoCert\" fieldtype=\"i4\"/>"
      "<FIELD attrname=\"CSR\" fieldtype=\"bin.hex\" SUBTYPE=\"Text\" WIDTH=\"1024\"/>"
      "<FIELD attrname=\"Assinatura\" fieldtype=\"string.uni\" WIDTH=\"688\"/>"
      "<FIELD attrname=\"CNPJSH\" fieldtype=\"string\" WIDTH=\"14\"/>"
      "</FIELDS><PARAMS CHANGE_LOG=\"1 0 4\"/></METADATA><ROWDATA>"
      "<ROW RowState=\"4\" tipoInter=\"ETHE\" SSID=\"\" codigo=\"\" tipoLan=\"DHCP\" "
      "lanIP=\"\" lanMask=\"\" lanGW=\"\" lanDNS1=\"\" lanDNS2=\"\" usuario=\"\" senha=\"\" "
      "proxy=\"0\" proxy_ip=\"\" proxy_porta=\"\" proxy_user=\"\" proxy_senha=\"\" uf=\"35\"/>"
      "</ROWDATA></DATAPACKET>\r\n";
  return text;
}

TEST(CheckConfigs, WritesBothDefaultsByteForByteIntoAnEmptyFolder) {
  testing_support::TemporaryFolder folder;
  testing_support::RecordingDialogs dialogs;
  CheckConfigs(folder.path(), dialogs.settingsNotices());
  EXPECT_EQ(readFile(folder.path() / "ConfRede.xml"), kExpectedConfRede);
  EXPECT_EQ(readFile(folder.path() / "Parametros.xml"), expectedParametros());
  EXPECT_TRUE(dialogs.calls.empty());
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 2)
      << "no temporary file is left behind";
}

TEST(CheckConfigs, WritesOnlyTheMissingFileAndNeverTouchesAnExistingOne) {
  const std::string existing = "not even XML";
  for (const bool confRedePresent : {false, true}) {
    for (const bool parametrosPresent : {false, true}) {
      testing_support::TemporaryFolder folder;
      testing_support::RecordingDialogs dialogs;
      if (confRedePresent) writeFileAtomically(folder.path() / "ConfRede.xml", existing);
      if (parametrosPresent) writeFileAtomically(folder.path() / "Parametros.xml", existing);
      CheckConfigs(folder.path(), dialogs.settingsNotices());
      EXPECT_EQ(readFile(folder.path() / "ConfRede.xml"),
                confRedePresent ? existing : kExpectedConfRede);
      EXPECT_EQ(readFile(folder.path() / "Parametros.xml"),
                parametrosPresent ? existing : expectedParametros());
      EXPECT_TRUE(dialogs.calls.empty());
    }
  }
}

// The file's own line first, then what is wrong with the folder and the
// system's reason.
void expectNotCreated(const std::u16string& message, std::u16string_view name,
                      const std::filesystem::path& folder) {
  const std::u16string first =
      u"Não foi possível criar o arquivo de configuração \"" + std::u16string(name) + u"\"!\r\n";
  EXPECT_TRUE(message.starts_with(first));
  EXPECT_NE(message.find(u"\"" + folder.u16string() + u"\""), std::u16string::npos);
  EXPECT_NE(message.find(u"Detalhe: "), std::u16string::npos);
}

TEST(CheckConfigs, AConfRedeThatCannotBeWrittenGivesOneMessageAndNoParametros) {
  testing_support::TemporaryFolder folder;
  testing_support::RecordingDialogs dialogs;
  // A folder under the file's name: the file can be neither found nor written.
  std::filesystem::create_directory(folder.path() / "ConfRede.xml");
  CheckConfigs(folder.path(), dialogs.settingsNotices());
  ASSERT_EQ(dialogs.calls.size(), 1u);
  expectNotCreated(dialogs.messages().at(0), u"ConfRede.xml", folder.path());
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "Parametros.xml"));
}

TEST(CheckConfigs, AParametrosThatCannotBeWrittenIsReportedAfterConfRedeWasWritten) {
  testing_support::TemporaryFolder folder;
  testing_support::RecordingDialogs dialogs;
  std::filesystem::create_directory(folder.path() / "Parametros.xml");
  CheckConfigs(folder.path(), dialogs.settingsNotices());
  EXPECT_EQ(readFile(folder.path() / "ConfRede.xml"), kExpectedConfRede);
  ASSERT_EQ(dialogs.calls.size(), 1u);
  expectNotCreated(dialogs.messages().at(0), u"Parametros.xml", folder.path());
}

TEST(TabelaUF, ListsTheStatesInAlphabeticalOrderWithTheirIbgeCodes) {
  ASSERT_EQ(TabelaUF.size(), 27u);
  EXPECT_EQ(TabelaUF[0].abbreviation, u"AC");
  EXPECT_EQ(TabelaUF[0].ibgeCode, u"12");
  EXPECT_EQ(TabelaUF[25].abbreviation, u"SP");
  EXPECT_EQ(TabelaUF[25].ibgeCode, u"35");
  EXPECT_EQ(TabelaUF[26].abbreviation, u"TO");
  EXPECT_EQ(TabelaUF[26].ibgeCode, u"17");
  EXPECT_TRUE(std::is_sorted(TabelaUF.begin(), TabelaUF.end(), [](const auto& a, const auto& b) {
    return a.abbreviation < b.abbreviation;
  }));
  std::vector<std::u16string_view> codes;
  for (const FederativeUnit& state : TabelaUF) {
    EXPECT_EQ(state.ibgeCode.size(), 2u);
    codes.push_back(state.ibgeCode);
  }
  std::sort(codes.begin(), codes.end());
  EXPECT_EQ(std::adjacent_find(codes.begin(), codes.end()), codes.end()) << "codes are unique";
}

}  // namespace
}  // namespace settings
