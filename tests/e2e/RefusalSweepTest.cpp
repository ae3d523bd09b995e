// Every command of every page refused by the device, in the real program:
// the message says the refusal's code and message, the status bar holds the
// answer, and the same command then goes through to the device again. The
// refusals come in the shapes devices give them: the plain one, one after a
// four-digit validation code, one that echoes the session number written
// otherwise, one with the authority's message, and an association refused
// in the layout with the validation code left empty.
#include <windows.h>

#include <cwctype>
#include <functional>
#include <string>
#include <vector>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

// One command as the user gives it, and what it shows when the device
// answers it as it should.
struct PageCommand {
  const char* name;
  std::function<void()> issue;
  // The refusal after "{sessao}" (the session the program sent), and the
  // message the page shows for it.
  std::string refusal;
  std::wstring refused;
  // Whether the authority window follows the message, with this text.
  std::wstring authority = {};
  // What the same command shows when the device does it; nothing for a
  // command that lists its answer instead.
  std::wstring done = {};
  // Where a command that lists its answer shows it, and a part of it.
  const char* listing = nullptr;
  std::wstring listed = {};
};

class RefusalSweep : public QuorvelTest {
 protected:
  void typeCode(const char* field, std::wstring_view code = kActivationCode) {
    typeInto(main_, field, code);
  }
  // Types the text into a field unless the page filled it in already from
  // the settings (a masked field shows its digits among its punctuation).
  void fill(const char* field, std::wstring_view text) {
    std::wstring shown = controlText(main_, field);
    std::erase_if(shown, [](wchar_t c) { return !iswalnum(c); });
    if (shown == text) return;
    EXPECT_EQ(toUtf8(shown), "") << field;
    typeInto(main_, field, text);
  }
  // Answers the confirmation the command asks for with OK.
  void confirm() { EXPECT_NE(answerNextMessage(), L""); }
  // The test dialog, confirmed as it is filled from the settings; the IE is
  // typed once and kept by the dialog.
  void confirmTestDialog() {
    HWND dialog = waitForWindow(kFimAFimCaption);
    if (!dialog) return;
    HWND ie = control(dialog, "EdtIEContrib");
    std::wstring digits = windowText(ie);
    std::erase_if(digits, [](wchar_t c) { return !iswdigit(c); });
    if (IsWindowEnabled(ie) && digits.empty()) typeInto(dialog, "EdtIEContrib", L"111222333444");
    click(control(dialog, "BtnOk"));
  }

  std::vector<PageCommand> commands();

  // The command refused with its refusal, then done by the device.
  void expectRefusedThenDone(const PageCommand& command) {
    SCOPED_TRACE(command.name);
    ASSERT_EQ(knobs_->forceAnswer(command.refusal), "");
    command.issue();
    expectMessage(command.refused);
    if (!command.authority.empty()) expectAuthorityWindow(command.authority);
    // The answer, its session number as the device wrote it: Edit1 holds
    // the one the program sent.
    const std::wstring session = controlText(main_, "Edit1");
    EXPECT_TRUE(isSixDigits(session)) << toUtf8(session);
    std::wstring answer = widened(command.refusal);
    answer.replace(answer.find(L"{sessao}"), 8, session);
    EXPECT_TRUE(pollFor([&] { return controlText(main_, "StatusBar") == answer; }))
        << "status bar: " << toUtf8(controlText(main_, "StatusBar"))
        << "\nanswer: " << toUtf8(answer);
    EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
    ASSERT_FALSE(program_->hasExited());

    // The next command reaches the device and shows what it did.
    command.issue();
    if (!command.done.empty()) expectMessage(command.done);
    if (command.listing) {
      EXPECT_TRUE(memoHolds(command.listing, command.listed))
          << toUtf8(controlText(main_, command.listing));
    }
    EXPECT_NE(controlText(main_, "Edit1"), session) << "a new session was sent";
    // The device's own answer echoes the new session; a listed stored answer
    // carries the session it was stored under.
    const std::wstring echoed = command.done.empty() ? L"" : controlText(main_, "Edit1") + L"|";
    EXPECT_TRUE(pollFor([&] {
      const std::wstring status = controlText(main_, "StatusBar");
      return !status.empty() && status.starts_with(echoed);
    })) << "status bar: "
        << toUtf8(controlText(main_, "StatusBar"));
    EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
  }
};

std::vector<PageCommand> RefusalSweep::commands() {
  const auto codeCommand = [this](const char* side, const char* page, const char* field,
                                  const char* button, bool confirms = false) {
    return [=, this] {
      openPage(side, page);
      typeCode(field);
      click(control(main_, button));
      if (confirms) confirm();
    };
  };
  const auto promptCommand = [this](const char* button) {
    return [=, this] {
      click(control(main_, button));
      confirmPrompt();
    };
  };
  const auto testCommand = [this](const char* button) {
    return [=, this] {
      openPage("BtnTestefimafim", "TabTeste");
      click(control(main_, button));
      confirmPrompt();
      confirmTestDialog();
    };
  };
  return {
      {.name = "Consultar SAT",
       .issue = [this] { click(control(main_, "BitBtn6")); },
       .refusal = "{sessao}|08097|Numero de sessao invalido||",
       .refused = L"08097: Numero de sessao invalido",
       .listing = "lbloperante",
       .listed = L"SAT em operação"},
      {.name = "Ativar",
       .issue =
           [this] {
             openPage("BtnAtivacao", "TabAtivar");
             typeCode("EdtCodAtiv2");
             typeCode("EdtCodAtiv2Conf");
             fill("EdtCNPJContrib", L"11222333000181");
             choose(control(main_, "cbo"), 25);
             click(control(main_, "BtnAtivar"));
             confirm();
           },
       .refusal = "{sessao}|04005|Erro de comunicacao com a SEFAZ|999|Servico paralisado",
       .refused = L"04005: Erro de comunicacao com a SEFAZ",
       .authority = L"Código: 999\r\n\r\nServico paralisado",
       .done = L"04003: SAT já ativado"},
      {.name = "Associar",
       .issue =
           [this] {
             openPage("BtnAssocAssin", "TabAssocAss");
             typeCode("EdtCodAtiv3");
             fill("EdtCNPJSw", L"11222333000009");
             fill("EdtAssinatura", L"U2lnbmF0dXJl");
             click(control(main_, "BitAssociar"));
           },
       .refusal = "{sessao}|13001||Codigo de ativacao invalido||",
       .refused = L"13001: [] Codigo de ativacao invalido",
       .done = L"13000: Assinatura do AC Registrada"},
      {.name = "Enviar ao SAT",
       .issue = codeCommand("BtnConfRede", "TabConfRede", "LblEdtCodRede", "BitBtn4"),
       .refusal = "{sessao}|12002|0000|Dados fora do padrao||",
       .refused = L"12002: Dados fora do padrao",
       .done = L"12000: Rede Configurada com Sucesso"},
      {.name = "Bloquear",
       .issue = codeCommand("BtnBloquearSAT", "TabBloq", "EdtCodAtiv6", "BitBloquSAT"),
       .refusal = "{sessao}|16004|0000|Nao existe parametrizacao de bloqueio||",
       .refused = L"16004: Nao existe parametrizacao de bloqueio",
       .done = L"16000: Equipamento SAT bloqueado com sucesso"},
      {.name = "Desbloquear",
       .issue = codeCommand("BtnBloquearSAT", "TabBloq", "EdtCodAtiv6", "BitBtn5"),
       .refusal = "0{sessao}|17004|Erro de comunicacao com a SEFAZ||",
       .refused = L"17004: Erro de comunicacao com a SEFAZ",
       .done = L"17000: Equipamento SAT desbloqueado com sucesso"},
      {.name = "Atualizar",
       .issue = codeCommand("BitAtualizaSW", "TavAtualizaSW", "EdtCodAtiv7", "BtnAtualizarSW"),
       .refusal = "{sessao}|14003|Erro na atualizacao||",
       .refused = L"14003: Erro na atualizacao",
       .done = L"14000: Software Atualizado com Sucesso"},
      {.name = "Status",
       .issue = promptCommand("BitBtnStatus"),
       .refusal = "{sessao}|10001|Codigo de ativacao invalido||",
       .refused = L"10001: Codigo de ativacao invalido",
       .listing = "MemoStatus",
       .listed = L" ESTADO_OPERACAO .. DESBLOQUEADO"},
      {.name = "FimAFim Ativação",
       .issue = testCommand("BtnTesteAtivacao"),
       .refusal = "{sessao}|09001|0000|Codigo de ativacao invalido|999|Rejeicao",
       .refused = L"09001: Codigo de ativacao invalido",
       .authority = L"Código: 999\r\n\r\nRejeicao",
       .done = L"09000: Emitido com sucesso"},
      {.name = "FimAFim Produção",
       .issue = testCommand("BtnTesteProducao"),
       .refusal = "{sessao}|09098|SAT em processamento. Tente novamente.||",
       .refused = L"09098: SAT em processamento. Tente novamente.",
       .done = L"09000: Emitido com sucesso"},
      // The session asked for is the one of the command before; then the
      // refused query's own, whose stored answer is its refusal.
      {.name = "Consulta Sessão",
       .issue =
           [this] {
             openPage("BtnTestefimafim", "TabTeste");
             click(control(main_, "BtnSessao"));
             confirmPrompt();
           },
       .refusal = "{sessao}|11003|Sessao nao existe|999|x",
       .refused = L"11003: Sessao nao existe",
       .listing = "MemoCFe",
       .listed = L"|11003|Sessao nao existe|999|x"},
      {.name = "Consulta Sessão Fiscal",
       .issue = promptCommand("BtnSessaoFiscal"),
       .refusal = "{sessao}|19003|0000|Nao existe sessao fiscal||",
       .refused = L"19003: Nao existe sessao fiscal",
       .listing = "MemoCFe",
       .listed = L"\r\nChave: CFe"},
      {.name = "Extrair Logs",
       .issue = promptCommand("BitLogs"),
       .refusal = "{sessao}|15002|Transferencia em andamento||",
       .refused = L"15002: Transferencia em andamento",
       .listing = "MemoLogs",
       .listed = L"------------------------------------------------------"},
      {.name = "SuperLog",
       .issue = promptCommand("BitSuperLog"),
       .refusal = "{sessao}|15001|Codigo de ativacao invalido||",
       .refused = L"15001: Codigo de ativacao invalido",
       .listing = "MemoLogs",
       .listed = L"\r\n   "},
      {.name = "Trocar",
       .issue =
           [this] {
             openPage("BtnCodAtivacao", "TabCodAtiva");
             // A refused change leaves the page open for the next try.
             if (!isChecked(control(main_, "CheckMudaCodigo")))
               click(control(main_, "CheckMudaCodigo"));
             EXPECT_TRUE(
                 pollFor([&] { return IsWindowEnabled(control(main_, "EdtCodigo")) != FALSE; }));
             typeCode("EdtCodigo");
             typeCode("EdtNovoCodigo");
             typeCode("EdtNovoCodigo2");
             click(control(main_, "BtnTrocarCod"));
           },
       .refusal = "{sessao}|18002|Codigo de ativacao de emergencia incorreto||",
       .refused = L"18002: Codigo de ativacao de emergencia incorreto",
       .done = L"18000: Código de ativação alterado com sucesso"},
      {.name = "Desativar",
       .issue = codeCommand("BtnBloquearSAT", "TabBloq", "EdtCodAtiv6", "BitDesatSAT", true),
       .refusal = "{sessao}|16003|Erro de comunicacao com a SEFAZ||",
       .refused = L"16003: Erro de comunicacao com a SEFAZ",
       .done = L"16000: Equipamento SAT bloqueado com sucesso"},
  };
}

TEST_F(RefusalSweep, EveryPagesCommandRefusedThenDone) {
  startActivated();
  // The device is associated with the application that sells on it, and has
  // sold once, so the last fiscal session holds a sale.
  associateAndSell();
  for (const PageCommand& command : commands()) expectRefusedThenDone(command);
  EXPECT_FALSE(program_->hasExited());
}

}  // namespace
}  // namespace e2e
