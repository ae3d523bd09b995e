// geraxml: which elements ConfRede.xml holds for which record.
#include <gtest/gtest.h>

#include <map>

#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/Xml.h"
#include "settings/DefaultDocuments.h"
#include "settings/NetworkDocument.h"
#include "support/RecordingDialogs.h"
#include "support/TemporaryFolder.h"

namespace settings {
namespace {

class GeraxmlTest : public ::testing::Test {
 protected:
  GeraxmlTest() {
    platform::writeFileAtomically(folder.path() / "Parametros.xml", kDefaultParametros);
    cds.open();
  }

  void store(const std::map<std::string, std::u16string>& values) {
    cds.edit();
    for (const auto& [field, value] : values) cds.setText(field, value);
    cds.post();
  }

  platform::XmlElement written() const {
    return platform::parseXml(platform::readFile(folder.path() / "ConfRede.xml"));
  }

  testing_support::TemporaryFolder folder;
  testing_support::RecordingDialogs dialogs;
  ParameterDataset cds{folder.path(), dialogs.settingsNotices()};
};

TEST_F(GeraxmlTest, TheDefaultRecordGivesTheFirstStartDocumentByteForByte) {
  geraxml(cds, folder.path());
  EXPECT_EQ(platform::readFile(folder.path() / "ConfRede.xml"), kDefaultConfRede);
}

TEST_F(GeraxmlTest, ChildrenFollowTheRecordsSettings) {
  const std::map<std::string, std::u16string> addresses = {
      {"lanIP", u"10.0.0.2"},   {"lanMask", u"255.0.0.0"}, {"lanGW", u"10.0.0.1"},
      {"lanDNS1", u"8.8.8.8"},  {"SSID", u"rede"},         {"seg", u"WEP"},
      {"codigo", u"k"},         {"usuario", u"u"},         {"senha", u"s"},
      {"proxy_ip", u"1.2.3.4"}, {"proxy_porta", u"3128"}};
  struct Case {
    std::map<std::string, std::u16string> record;
    std::vector<std::string> children;
  };
  const Case cases[] = {
      {{{"tipoInter", u"ETHE"}, {"tipoLan", u"DHCP"}, {"proxy", u"0"}},
       {"tipoInter", "tipoLan", "proxy"}},
      {{{"tipoInter", u"WIFI"}, {"seg", u"NONE"}},
       {"tipoInter", "SSID", "seg", "tipoLan", "proxy"}},
      {{{"tipoInter", u"WIFI"}, {"seg", u"WPA PROF"}},
       {"tipoInter", "SSID", "seg", "codigo", "tipoLan", "proxy"}},
      {{{"tipoInter", u"WIFI"}, {"seg", u"none"}},
       {"tipoInter", "SSID", "seg", "codigo", "tipoLan", "proxy"}},
      {{{"tipoInter", u"wifi"}}, {"tipoInter", "tipoLan", "proxy"}},
      {{{"tipoLan", u"IPFIX"}},
       {"tipoInter", "tipoLan", "lanIP", "lanMask", "lanGW", "lanDNS1", "lanDNS2", "proxy"}},
      {{{"tipoLan", u"ipfix"}}, {"tipoInter", "tipoLan", "proxy"}},
      {{{"tipoLan", u"PPPoE"}}, {"tipoInter", "tipoLan", "usuario", "senha", "proxy"}},
      {{{"tipoLan", u"PPPOE"}}, {"tipoInter", "tipoLan", "proxy"}},
      {{{"proxy", u"1"}},
       {"tipoInter", "tipoLan", "proxy", "proxy_ip", "proxy_porta", "proxy_user", "proxy_senha"}},
      {{{"proxy", u"2"}}, {"tipoInter", "tipoLan", "proxy"}},
  };
  for (const Case& c : cases) {
    store(addresses);
    store({{"tipoInter", u"ETHE"}, {"tipoLan", u"DHCP"}, {"proxy", u"0"}});
    store(c.record);
    geraxml(cds, folder.path());
    const platform::XmlElement config = written();
    EXPECT_EQ(config.name, "config");
    std::vector<std::string> names;
    for (const platform::XmlElement& child : config.children) {
      names.push_back(child.name);
      EXPECT_TRUE(child.attributes.empty());
      EXPECT_EQ(platform::fromUtf8(child.text), cds.readText(child.name)) << child.name;
    }
    EXPECT_EQ(names, c.children);
  }
}

TEST_F(GeraxmlTest, ValuesAreWrittenAsStoredInUtf8) {
  store({{"tipoInter", u"WIFI"},
         {"SSID", u" Café & <Lá> "},
         {"seg", u"WPA-PERS"},
         {"codigo", u"\"chave\""},
         {"tipoLan", u"IPFIX"},
         {"lanIP", u"192.168.100.1000"}});
  geraxml(cds, folder.path());
  const std::string bytes = platform::readFile(folder.path() / "ConfRede.xml");
  EXPECT_TRUE(bytes.starts_with("<?xml version=\"1.0\" encoding=\"utf-8\"?><config>"));
  EXPECT_NE(bytes.find("<SSID> Caf\xC3\xA9 &amp; &lt;L\xC3\xA1&gt; </SSID>"), std::string::npos);
  EXPECT_NE(bytes.find("<lanIP>192.168.100.100</lanIP>"), std::string::npos) << "cut to 15";
  EXPECT_NE(bytes.find("<lanDNS2/>"), std::string::npos) << "an empty field, an empty element";
  EXPECT_EQ(written().child("codigo")->text, "\"chave\"");
}

TEST_F(GeraxmlTest, AProxyThatIsNotANumberFailsAndLeavesTheFileAlone) {
  platform::writeFileAtomically(folder.path() / "ConfRede.xml", "anterior");
  for (const std::u16string proxy : {u"", u"x"}) {
    store({{"proxy", proxy}});
    EXPECT_THROW(geraxml(cds, folder.path()), ConversionError);
    EXPECT_EQ(platform::readFile(folder.path() / "ConfRede.xml"), "anterior");
    EXPECT_EQ(cds.readText("proxy"), proxy) << "the record stays committed";
  }
}

TEST_F(GeraxmlTest, AFileThatCannotBeWrittenFails) {
  EXPECT_THROW(geraxml(cds, folder.path() / "sem-pasta"), platform::FileError);
}

}  // namespace
}  // namespace settings
