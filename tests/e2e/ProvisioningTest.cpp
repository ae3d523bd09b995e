// A device's provisioning life driven from outside the real program: a
// factory-new device activated (once cancelled), associated with a typed
// signature and then one from a three-line file, a fixed-address network
// sent, locked and unlocked, its code changed with the current code and with
// the emergency code, its software updated and finally deactivated. Every
// message box is read; the settings files are read from the folder.
#include <windows.h>

#include <filesystem>
#include <fstream>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

constexpr std::wstring_view kTaxpayer = L"11222333000181";
constexpr std::wstring_view kSoftwareHouse = L"11222333000009";
constexpr std::wstring_view kSignature = L"U2lnbmF0dXJlRG9BQw==";
constexpr std::wstring_view kLongWaitConfirmation =
    L"Por favor aguarde.\n\rEsta função pode demorar alguns minutos.\n\n\rClique OK para "
    L"continuar.";
constexpr std::wstring_view kDeactivationWarning =
    L"Atenção:\n\r"
    L"Verifique se após finalizar esta função o LED \"SAT Bloqueado\" está piscando.\n\r"
    L"Isto indica que o processo de DESATIVAÇÂO foi concluído na retaguarda da SEFAZ.\n\r"
    L"Para que o SAT recupere as configurações de fábrica você deve agora pressionar o botão "
    L"reset por 5 segundos.\n\r"
    L"Por favor aguarde.\n\r"
    L"Esta função pode demorar alguns minutos.\n\n\r"
    L"Clique OK para continuar.";
constexpr int kSP = 25;

class Provisioning : public QuorvelTest {
 protected:
  // As a user does: a click into the field, then the keys.
  void typeInto(const char* name, std::wstring_view text) {
    HWND field = control(main_, name);
    clickWithMouse(field);
    EXPECT_TRUE(pollFor([&] { return focusedWindow(main_) == field; }))
        << name << " did not take the focus; it is on " << GetDlgCtrlID(focusedWindow(main_));
    type(field, text);
  }

  // The next box: its caption, then its text; OK closes it.
  void expectBox(std::wstring_view caption, std::wstring_view text, bool ok = true) {
    const MessageBoxSeen box = waitForMessageBox();
    if (!box.window) return;
    EXPECT_EQ(toUtf8(box.caption), toUtf8(caption));
    EXPECT_EQ(toUtf8(box.text), toUtf8(text));
    if (ok) {
      pressOk(box.window);
    } else {
      pressCancel(box.window);
    }
    EXPECT_TRUE(pollFor([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); }))
        << "the box stayed open\n"
        << windowsOnScreen();
  }
  void expectMessage(std::wstring_view text) { expectBox(kApplicationTitle, text); }
  void expectConfirmation(std::wstring_view text, bool ok) { expectBox(L"Confirm", text, ok); }

  std::string parametros() const { return folder_->read(L"Parametros.xml").value_or(""); }

  // No activation code is ever written down, except the emulated device's
  // own record of its codes.
  void expectNoFileHolds(const std::vector<std::string>& codes) {
    for (const auto& entry : std::filesystem::directory_iterator(folder_->path())) {
      if (!entry.is_regular_file()) continue;
      std::ifstream file(entry.path(), std::ios::binary);
      std::string line;
      while (std::getline(file, line)) {
        const bool deviceRecord =
            line.starts_with("activationCode =") || line.starts_with("emergencyCode =");
        if (entry.path().filename() == "satemu-state.ini" && deviceRecord) continue;
        for (const std::string& code : codes) {
          EXPECT_EQ(line.find(code), std::string::npos)
              << code << " written in " << entry.path().filename().string() << ": " << line;
        }
      }
    }
  }

  void activate() {
    openPage("BtnAtivacao", "TabAtivar");
    typeInto("EdtCodAtiv2", L"segredo1");
    typeInto("EdtCodAtiv2Conf", L"segredo1");
    typeInto("EdtCNPJContrib", kTaxpayer);
    choose(control(main_, "cbo"), kSP);
  }
};

TEST_F(Provisioning, AFactoryNewDeviceThroughItsWholeLife) {
  start(DeviceLibrary::Emulator);
  main_ = waitForMainWindow();
  ASSERT_TRUE(main_);

  // Activation, cancelled once: the CNPJ and the state stay stored.
  activate();
  screenshot(main_, L"filled-2-TabAtivar.png");
  pressAlt(control(main_, "EdtCodAtiv2"), L'a');
  expectConfirmation(kLongWaitConfirmation, false);
  EXPECT_TRUE(pollFor([&] { return controlText(main_, "EdtCodAtiv2").empty(); }));
  EXPECT_NE(parametros().find("CNPJContribuinte=\"11222333000181\""), std::string::npos);
  EXPECT_NE(parametros().find("uf=\"25\""), std::string::npos);
  activate();
  EXPECT_EQ(toUtf8(controlText(main_, "EdtCNPJContrib")), "11.222.333/0001-81");
  click(control(main_, "BtnAtivar"));
  expectConfirmation(kLongWaitConfirmation, true);
  expectMessage(L"SAT Ativado corretamente, faltando associá-lo ao Aplic. Comercial.");
  EXPECT_TRUE(isSixDigits(controlText(main_, "Edit1")));

  // The signature, typed and then from a file of three lines.
  openPage("BtnAssocAssin", "TabAssocAss");
  EXPECT_EQ(toUtf8(controlText(main_, "EdtCNPJContrib2")), "11.222.333/0001-81");
  typeInto("EdtCodAtiv3", L"segredo1");
  typeInto("EdtCNPJSw", kSoftwareHouse);
  typeInto("EdtAssinatura", kSignature);
  screenshot(main_, L"filled-3-TabAssocAss.png");
  pressAlt(control(main_, "EdtAssinatura"), L's');
  expectMessage(L"13000: Assinatura do AC Registrada");

  folder_->write(L"assinatura.txt", "QUJD\r\nREVG\r\nR0hJ\r\n");
  pickRadio(control(main_, "rgAssinatura"), 1);
  EXPECT_TRUE(pollFor([&] { return IsWindowVisible(control(main_, "Button3")) != FALSE; }));
  EXPECT_EQ(controlText(main_, "EdtAssinatura"), L"") << "switching clears the box";
  typeInto("EdtAssinatura", folder_->file(L"assinatura.txt").wstring());
  screenshot(main_, L"filled-3-TabAssocAss-arquivo.png");
  click(control(main_, "BitAssociar"));
  expectMessage(L"QUJDREVGR0hJ");
  expectMessage(L"13000: Assinatura do AC Registrada");
  pickRadio(control(main_, "rgAssinatura"), 0);

  // A fixed address: the record and ConfRede.xml carry it.
  openPage("BtnConfRede", "TabConfRede");
  choose(control(main_, "CbotipoLan"), 1);
  EXPECT_TRUE(pollFor([&] { return IsWindowEnabled(control(main_, "EdtlanIP")) != FALSE; }));
  typeInto("EdtlanIP", L"192.168.0.50");
  typeInto("EdtlanMask", L"255.255.255.0");
  typeInto("EdtlanGW", L"192.168.0.1");
  typeInto("EdtlanDNS1", L"8.8.8.8");
  typeInto("EdtlanDNS2", L"8.8.4.4");
  typeInto("LblEdtCodRede", L"segredo1");
  screenshot(main_, L"filled-6-TabConfRede.png");
  pressEnter(control(main_, "LblEdtCodRede"));
  expectMessage(L"12000: Rede Configurada com Sucesso");
  EXPECT_TRUE(pollFor(
      [&] { return controlText(main_, "StatusBar").find(L"|12000|") != std::wstring::npos; }));
  EXPECT_EQ(folder_->read(L"ConfRede.xml").value_or(""),
            "<?xml version=\"1.0\" encoding=\"utf-8\"?><config><tipoInter>ETHE</tipoInter>"
            "<tipoLan>IPFIX</tipoLan><lanIP>192.168.0.50</lanIP><lanMask>255.255.255.0</lanMask>"
            "<lanGW>192.168.0.1</lanGW><lanDNS1>8.8.8.8</lanDNS1><lanDNS2>8.8.4.4</lanDNS2>"
            "<proxy>0</proxy></config>\r\n");

  // Lock, then Enter in the code field unlocks.
  openPage("BtnBloquearSAT", "TabBloq");
  typeInto("EdtCodAtiv6", L"segredo1");
  screenshot(main_, L"filled-4-TabBloq.png");
  click(control(main_, "BitBloquSAT"));
  expectMessage(L"16000: Equipamento SAT bloqueado com sucesso");
  EXPECT_EQ(controlText(main_, "EdtCodAtiv6"), L"");
  typeInto("EdtCodAtiv6", L"segredo1");
  pressEnter(control(main_, "EdtCodAtiv6"));
  expectMessage(L"17000: Equipamento SAT desbloqueado com sucesso");

  // The code, changed with the current code and then with the emergency code.
  openPage("BtnCodAtivacao", "TabCodAtiva");
  EXPECT_FALSE(IsWindowEnabled(control(main_, "EdtCodigo")));
  click(control(main_, "CheckMudaCodigo"));
  EXPECT_TRUE(pollFor([&] { return IsWindowEnabled(control(main_, "EdtCodigo")) != FALSE; }));
  typeInto("EdtCodigo", L"segredo1");
  typeInto("EdtNovoCodigo", L"segredo2");
  typeInto("EdtNovoCodigo2", L"segredo2");
  screenshot(main_, L"filled-1-TabCodAtiva.png");
  click(control(main_, "BtnTrocarCod"));
  expectMessage(L"18000: Código de ativação alterado com sucesso");
  EXPECT_TRUE(pollFor([&] { return !IsWindowEnabled(control(main_, "EdtCodigo")); }))
      << "a changed code locks the page again";
  EXPECT_FALSE(isChecked(control(main_, "CheckMudaCodigo")));

  const std::string emergency = knobs_->stateValue("emergencyCode");
  ASSERT_FALSE(emergency.empty());
  click(control(main_, "CheckMudaCodigo"));
  click(control(main_, "Checkemergencia"));
  EXPECT_TRUE(pollFor([&] {
    return controlText(main_, "LabelCodigo") == L"Digite o Código de Ativação de Emergência:";
  }));
  typeInto("EdtCodigo", widened(emergency));
  typeInto("EdtNovoCodigo", L"segredo3");
  typeInto("EdtNovoCodigo2", L"segredo3");
  screenshot(main_, L"filled-1-TabCodAtiva-emergencia.png");
  pressEnter(control(main_, "EdtNovoCodigo2"));
  expectMessage(L"18000: Código de ativação alterado com sucesso");
  EXPECT_TRUE(pollFor(
      [&] { return controlText(main_, "LabelCodigo") == L"Digite o Código de Ativação atual:"; }));

  // The software update.
  openPage("BitAtualizaSW", "TavAtualizaSW");
  typeInto("EdtCodAtiv7", L"segredo3");
  screenshot(main_, L"filled-10-TavAtualizaSW.png");
  pressEnter(control(main_, "EdtCodAtiv7"));
  expectMessage(L"14000: Software Atualizado com Sucesso");

  // Deactivation after its warning.
  openPage("BtnBloquearSAT", "TabBloq");
  typeInto("EdtCodAtiv6", L"segredo3");
  click(control(main_, "BitDesatSAT"));
  expectConfirmation(kDeactivationWarning, true);
  expectMessage(L"16000: Equipamento SAT bloqueado com sucesso");

  const std::string stored = parametros();
  for (const char* field :
       {"CNPJContribuinte=\"11222333000181\"", "uf=\"25\"", "Assinatura=\"QUJDREVGR0hJ\"",
        "CNPJSH=\"11222333000009\"", "tipoLan=\"IPFIX\"", "lanIP=\"192.168.0.50\""}) {
    EXPECT_NE(stored.find(field), std::string::npos) << field << " in\n" << stored;
  }
  EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
  expectNoFileHolds({"segredo1", "segredo2", "segredo3", emergency});
}

// Older devices answer the association without the four-digit code.
TEST_F(Provisioning, AnOlderDevicesAssociationAnswer) {
  start(DeviceLibrary::Emulator);
  main_ = waitForMainWindow();
  ASSERT_TRUE(main_);
  activate();
  click(control(main_, "BtnAtivar"));
  expectConfirmation(kLongWaitConfirmation, true);
  expectMessage(L"SAT Ativado corretamente, faltando associá-lo ao Aplic. Comercial.");
  ASSERT_EQ(knobs_->setLayout("legacy"), "");
  openPage("BtnAssocAssin", "TabAssocAss");
  typeInto("EdtCodAtiv3", L"segredo1");
  typeInto("EdtCNPJSw", kSoftwareHouse);
  typeInto("EdtAssinatura", kSignature);
  click(control(main_, "BitAssociar"));
  expectMessage(L"13000: Assinatura do AC Registrada");
}

// What the user stored before the device was called survives the program
// being killed while the device works.
TEST_F(Provisioning, StoredInputsSurviveAKillDuringTheCall) {
  start(DeviceLibrary::Emulator);
  main_ = waitForMainWindow();
  ASSERT_TRUE(main_);
  ASSERT_EQ(knobs_->slowNextCall(30000), "");
  activate();
  click(control(main_, "BtnAtivar"));
  expectConfirmation(kLongWaitConfirmation, true);
  // The device counts the slow call down as it starts working on it.
  EXPECT_TRUE(pollFor([&] { return knobs_->stateValue("slowCalls") == "0"; })) << windowsOnScreen();
  program_->terminate();
  ASSERT_TRUE(program_->waitForExit(std::chrono::seconds(10)));
  const std::string stored = parametros();
  EXPECT_NE(stored.find("CNPJContribuinte=\"11222333000181\""), std::string::npos) << stored;
  EXPECT_NE(stored.find("uf=\"25\""), std::string::npos) << stored;
}

}  // namespace
}  // namespace e2e
