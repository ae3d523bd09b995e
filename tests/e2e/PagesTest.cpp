// A normal first start with the emulator: the home page, both settings files
// as a first start writes them, every side button's page on screen, and "Sair".
#include <filesystem>
#include <optional>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

std::string defaultParametros() {
  const char* const parts[] = {
      R"(<?xml version="1.0" standalone="yes"?>  <DATAPACKET Version="2.0"><METADATA><FIELDS>)",
      R"(<FIELD attrname="tipoInter" fieldtype="string" WIDTH="4"/>)",
      R"(<FIELD attrname="SSID" fieldtype="string" WIDTH="32"/>)",
      R"(<FIELD attrname="seg" fieldtype="string" WIDTH="8"/>)",
      R"(<FIELD attrname="codigo" fieldtype="string" WIDTH="64"/>)",
      R"(<FIELD attrname="tipoLan" fieldtype="string" WIDTH="8"/>)",
      R"(<FIELD attrname="lanIP" fieldtype="string" WIDTH="15"/>)",
      R"(<FIELD attrname="lanMask" fieldtype="string" WIDTH="15"/>)",
      R"(<FIELD attrname="lanGW" fieldtype="string" WIDTH="15"/>)",
      R"(<FIELD attrname="lanDNS1" fieldtype="string" WIDTH="15"/>)",
      R"(<FIELD attrname="lanDNS2" fieldtype="string" WIDTH="15"/>)",
      R"(<FIELD attrname="usuario" fieldtype="string" WIDTH="64"/>)",
      R"(<FIELD attrname="senha" fieldtype="string" WIDTH="64"/>)",
      R"(<FIELD attrname="proxy" fieldtype="string" WIDTH="1"/>)",
      R"(<FIELD attrname="proxy_ip" fieldtype="string" WIDTH="15"/>)",
      R"(<FIELD attrname="proxy_porta" fieldtype="string" WIDTH="5"/>)",
      R"(<FIELD attrname="proxy_user" fieldtype="string" WIDTH="64"/>)",
      R"(<FIELD attrname="proxy_senha" fieldtype="string" WIDTH="64"/>)",
      R"(<FIELD attrname="CNPJContribuinte" fieldtype="string" WIDTH="14"/>)",
      R"(<FIELD attrname="uf" fieldtype="string" WIDTH="2"/>)",
      R"(<FIELD attrname="TipoCert" fieldtype="i4"/>)",
      R"(<FIELD attrname="CSR" fieldtype="bin.hex" SUBTYPE="Text" WIDTH="1024"/>)",
      R"(<FIELD attrname="Assinatura" fieldtype="string.uni" WIDTH="688"/>)",
      R"(<FIELD attrname="CNPJSH" fieldtype="string" WIDTH="14"/>)",
      R"(</FIELDS><PARAMS CHANGE_LOG="1 0 4"/></METADATA><ROWDATA>)",
      R"(<ROW RowState="4" tipoInter="ETHE" SSID="" codigo="" tipoLan="DHCP" )",
      R"(lanIP="" lanMask="" lanGW="" lanDNS1="" lanDNS2="" usuario="" senha="" )",
      R"(proxy="0" proxy_ip="" proxy_porta="" proxy_user="" proxy_senha="" uf="35"/>)",
      R"(</ROWDATA></DATAPACKET>)",
  };
  std::string document;
  for (const char* part : parts) document += part;
  return document + "\r\n";
}

std::string defaultConfRede() {
  return R"(<?xml version="1.0" encoding="utf-8"?><config>)"
         R"(<tipoInter>ETHE</tipoInter><tipoLan>DHCP</tipoLan><proxy>0</proxy></config>)"
         "\r\n";
}

struct SideButton {
  const char* name;
  int pageIndex;
  const char* page;
  bool asksForCode;
};

constexpr SideButton kSideButtons[] = {
    {"BtnPrincipal", 0, "TabMirel", false},
    {"BtnConfRede", 6, "TabConfRede", false},
    {"BtnAtivacao", 2, "TabAtivar", false},
    {"BtnAssocAssin", 3, "TabAssocAss", false},
    {"BtnTestefimafim", 5, "TabTeste", false},
    {"BitBtnStatus", 8, "TabStatus", true},
    {"BitLogs", 9, "TabLog", true},
    {"BtnCodAtivacao", 1, "TabCodAtiva", false},
    {"BtnBloquearSAT", 4, "TabBloq", false},
    {"BitAtualizaSW", 10, "TavAtualizaSW", false},
    {"BitSuperLog", 9, "TabLog", true},
};

std::wstring pageShotName(const SideButton& button, const wchar_t* suffix = L"") {
  return L"page-" + std::to_wstring(button.pageIndex) + L"-" + widened(button.name) + suffix +
         L".png";
}

class FirstStart : public QuorvelTest {};

TEST_F(FirstStart, HomePageDefaultsEveryPageAndExit) {
  start(DeviceLibrary::Emulator);
  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);
  EXPECT_TRUE(waitForPage(main, "TabMirel"));
  HWND status = control(main, "StatusBar");
  HWND state = control(main, "lbloperante");
  ASSERT_TRUE(status && state);
  EXPECT_EQ(toUtf8(windowText(status)), "");
  EXPECT_FALSE(IsWindowVisible(state)) << "lbloperante shows before any query";
  EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();

  const auto parametros = folder_->read(L"Parametros.xml");
  ASSERT_TRUE(parametros) << "Parametros.xml was not written";
  EXPECT_EQ(*parametros, defaultParametros());
  const auto confRede = folder_->read(L"ConfRede.xml");
  ASSERT_TRUE(confRede) << "ConfRede.xml was not written";
  EXPECT_EQ(*confRede, defaultConfRede());
  screenshot(main, L"home.png");

  for (const SideButton& button : kSideButtons) {
    SCOPED_TRACE(button.name);
    HWND window = control(main, button.name);
    if (!window) continue;
    click(window);
    if (button.asksForCode) {
      // Closing the prompt cancels: the page shows and nothing is sent.
      if (HWND prompt = waitForWindow(kPromptCaption)) {
        screenshot(prompt, pageShotName(button, L"-prompt"));
        close(prompt);
        waitUntilClosed(kPromptCaption);
      }
    }
    if (!waitForPage(main, button.page)) continue;
    screenshot(main, pageShotName(button));
    EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
  }

  click(control(main, "BtnSair"));
  EXPECT_TRUE(program_->waitForExit(kDefaultTimeout)) << "the program did not end after Sair\n"
                                                      << windowsOnScreen();
  // Nothing was committed during the run, so the file keeps its bytes.
  EXPECT_EQ(folder_->read(L"Parametros.xml").value_or("<missing>"), defaultParametros());
}

// A settings file that cannot be read is not lost: the program says so, keeps
// it under another name and goes on with the first-start record.
TEST_F(FirstStart, DamagedParametrosIsKeptAsideAndReplaced) {
  const std::string damaged = "<DATAPACKET Version=\"2.0\"><METADATA>cut off here";
  layOut(DeviceLibrary::Emulator);
  folder_->write(L"Parametros.xml", damaged);
  launch();

  const MessageBoxSeen box = waitForMessageBox();
  ASSERT_TRUE(box.window);
  EXPECT_EQ(toUtf8(box.caption), toUtf8(kApplicationTitle));
  EXPECT_NE(box.text.find(L"Parametros.xml"), std::wstring::npos) << toUtf8(box.text);
  screenshot(box.window, L"damaged-parametros.png");
  pressOk(box.window);
  ASSERT_TRUE(waitForMainWindow());

  std::optional<std::string> keptAside;
  for (const auto& entry : std::filesystem::directory_iterator(folder_->path())) {
    if (entry.path().filename().wstring().starts_with(L"Parametros.xml.")) {
      keptAside = folder_->read(entry.path().filename().wstring());
    }
  }
  EXPECT_EQ(keptAside.value_or("<no copy kept>"), damaged);
  EXPECT_EQ(folder_->read(L"Parametros.xml").value_or("<missing>"), defaultParametros());
}

}  // namespace
}  // namespace e2e
