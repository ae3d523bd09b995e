#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/Text.h"
#include "support/ProgramFixture.h"

namespace {

using testing_support::DialogKind;
using testing_support::ProgramFixture;

class NetworkPage : public ProgramFixture {
 protected:
  NetworkPage() : page(main.TabConfRede) { program.start(); }

  void show() {
    main.PageControl.setActivePageIndex(page::kHomePage);
    user([&] { main.BtnConfRede.click(); });
  }
  void send(std::u16string code, const std::string& answer = "1|12000|Rede Configurada||") {
    page.LblEdtCodRede.setTextFromUser(std::move(code));
    library.answers = {answer};
    user([&] { page.BitBtn4.click(); });
  }
  bool addressesEnabled() const { return page.EdtlanIP.enabled() && page.EdtlanDNS2.enabled(); }
  bool proxyEnabled() const { return page.Edtproxy_ip.enabled() && page.Edtproxy_senha.enabled(); }

  provisioning::NetworkPage& page;
};

TEST_F(NetworkPage, ShowsTheRecordThroughTheListRules) {
  const struct {
    const char16_t* tipoInter;
    const char16_t* tipoLan;
    const char16_t* proxy;
    int inter, lan, proxyItem;
    bool addresses, proxySettings;
  } cases[] = {
      {u"ETHE", u"DHCP", u"0", 0, 0, 0, false, false},
      {u"ETHE", u"IPFIX", u"1", 0, 1, 1, true, true},
      {u"WIFI", u"IPFIX", u"2", -1, 1, 2, true, false},
      // A mode that is no item leaves the list as it was: here still "IP FIXO".
      {u"wifi", u"PPPoE", u"1", -1, 1, 1, true, true},
      // The proxy mode must stay 0, 1 or 2: anything else shows as "NENHUM".
      {u"ETHE", u"DHCP", u"x", 0, 0, 0, false, false},
      {u"ETHE", u"DHCP", u"7", 0, 0, 0, false, false},
  };
  for (const auto& c : cases) {
    storeSettings({{"tipoInter", c.tipoInter}, {"tipoLan", c.tipoLan}, {"proxy", c.proxy}});
    show();
    EXPECT_EQ(page.CbotipoInter.itemIndex(), c.inter) << platform::toUtf8(c.tipoInter);
    EXPECT_EQ(page.CbotipoLan.itemIndex(), c.lan) << platform::toUtf8(c.tipoLan);
    EXPECT_EQ(page.cboProxy.itemIndex(), c.proxyItem) << platform::toUtf8(c.proxy);
    EXPECT_EQ(addressesEnabled(), c.addresses) << platform::toUtf8(c.tipoLan);
    EXPECT_EQ(proxyEnabled(), c.proxySettings) << platform::toUtf8(c.proxy);
  }
  EXPECT_TRUE(dialogs.calls.empty());
}

TEST_F(NetworkPage, ChoosingAModeDisablesWithoutClearing) {
  show();
  page.EdtlanIP.setTextFromUser(u"10.0.0.2");
  user([&] { page.CbotipoLan.setItemIndexFromUser(1); });
  EXPECT_TRUE(addressesEnabled());
  user([&] { page.CbotipoLan.setItemIndexFromUser(0); });
  EXPECT_FALSE(addressesEnabled());
  EXPECT_EQ(page.EdtlanIP.text(), u"10.0.0.2");
  for (int item : {1, 2, 0}) {
    user([&] { page.cboProxy.setItemIndexFromUser(item); });
    EXPECT_EQ(proxyEnabled(), item == 1) << item;
  }
  // Unsent edits are lost: the page is reloaded every time it is shown.
  show();
  EXPECT_EQ(page.EdtlanIP.text(), u"");
}

TEST_F(NetworkPage, StoresWritesAndSendsTheDocumentWithTheCodeAsTyped) {
  storeSettings({{"SSID", u"rede"}, {"usuario", u"ppp"}, {"senha", u"segredo"}});
  show();
  user([&] { page.CbotipoLan.setItemIndexFromUser(1); });
  page.EdtlanIP.setTextFromUser(u"192.168.0.10");
  page.EdtlanMask.setTextFromUser(u"255.255.255.0");
  page.EdtlanGW.setTextFromUser(u"192.168.0.1");
  page.EdtlanDNS1.setTextFromUser(u"8.8.8.8");
  page.EdtlanDNS2.setTextFromUser(u"8.8.4.4 mais texto longo");
  user([&] { page.cboProxy.setItemIndexFromUser(2); });
  page.Edtproxy_ip.setTextFromUser(u"10.1.1.1");
  send(u"  12345678  ");

  EXPECT_EQ(program.cds.readText("tipoLan"), u"IPFIX");
  EXPECT_EQ(program.cds.readText("lanDNS2"), u"8.8.4.4 mais te") << "cut to the field's width";
  EXPECT_EQ(program.cds.readText("proxy"), u"2");
  EXPECT_EQ(program.cds.readText("proxy_ip"), u"10.1.1.1") << "a disabled edit is stored too";
  EXPECT_EQ(program.cds.readText("SSID"), u"rede");
  EXPECT_EQ(program.cds.readText("usuario"), u"ppp");
  EXPECT_EQ(program.cds.readText("senha"), u"segredo");

  ASSERT_EQ(library.calls.size(), 1u);
  EXPECT_EQ(library.calls[0].entry, satlib::EntryPoint::ConfigurarInterfaceDeRede);
  EXPECT_EQ(library.calls[0].arguments[1], "  12345678  ") << "this command sends blanks too";
  const std::string file = platform::readFile(folder.path() / "ConfRede.xml");
  std::string joined;
  for (char c : file) {
    if (c != '\r' && c != '\n') joined += c;
  }
  EXPECT_EQ(library.calls[0].arguments[2], joined);
  EXPECT_NE(joined.find("<lanIP>192.168.0.10</lanIP>"), std::string::npos) << joined;
  EXPECT_NE(joined.find("<proxy>2</proxy></config>"), std::string::npos) << joined;
  EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{u"12000: Rede Configurada"});
  EXPECT_EQ(main.StatusBar.text(), u"1|12000|Rede Configurada||");
  EXPECT_EQ(page.LblEdtCodRede.text(), u"");
  EXPECT_EQ(page.EdtlanIP.text(), u"192.168.0.10") << "the page keeps its values";
}

TEST_F(NetworkPage, AShortCodeStoresNothing) {
  show();
  page.EdtlanIP.setTextFromUser(u"1.2.3.4");
  const std::string before = parametersFile();
  send(u"        ");
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::u16string>{u"Código de Ativação deve ter no mínimo 8 caracteres."});
  EXPECT_EQ(page.LblEdtCodRede.text(), u"");
  EXPECT_TRUE(library.calls.empty());
  EXPECT_EQ(parametersFile(), before);
  EXPECT_FALSE(platform::readFile(folder.path() / "ConfRede.xml").find("1.2.3.4") !=
               std::string::npos);
}

TEST_F(NetworkPage, ShowsTheAnswerThenTheStatusBar) {
  const struct {
    const char* answer;
    std::vector<std::u16string> messages;
    std::size_t unexpected;
    const char16_t* status;
    const char16_t* codeAfter;
  } cases[] = {
      {"1|12000|1234|Rede Configurada||",
       {u"12000: Rede Configurada"},
       0,
       u"1|12000|1234|Rede Configurada||",
       u""},
      {"1|12001|123|Código inválido||", {u"12001: 123"}, 0, u"1|12001|123|Código inválido||", u""},
      {"1|12003|12345|Falha||", {u"12003: 12345"}, 0, u"1|12003|12345|Falha||", u""},
      {"1|12002", {}, 0, u"1|12002", u""},
      // MostraMSefaz fails on the missing field 1: the status bar stays empty
      // and the code keeps its text.
      {"", {}, 1, u"", u"12345678"},
  };
  show();
  for (const auto& c : cases) {
    dialogs.calls.clear();
    send(u"12345678", c.answer);
    EXPECT_EQ(dialogs.messages(), c.messages) << c.answer;
    EXPECT_EQ(dialogs.texts(DialogKind::Unexpected).size(), c.unexpected) << c.answer;
    EXPECT_EQ(main.StatusBar.text(), c.status) << c.answer;
    EXPECT_EQ(page.LblEdtCodRede.text(), c.codeAfter) << c.answer;
  }
}

}  // namespace
