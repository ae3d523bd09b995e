// Every command a page sends, answered in every shape devices give: success,
// refusal, the refusal echoing its session number written otherwise, the
// authority's message, an answer cut short and no answer at all, and each
// layout of the answers that have two. Through each page the user meets the
// same things: the status bar shows the answer, a refusal shows its code and
// message, what cannot be read ends in the report that the answer came
// incomplete and nothing worse, and the next command works.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "codec/Base64.h"
#include "platform/Text.h"
#include "support/ProgramFixture.h"
#include "ui/FailureTexts.h"

namespace {

using testing_support::DialogKind;
using testing_support::ProgramFixture;

// One answer and what the page shows for it. In `answer`, {s} stands for
// the session number the program sent and {S} for the same number written
// otherwise (without its leading zeros, or with one more).
struct AnswerCase {
  const char* name;
  std::string answer;
  std::vector<std::u16string> shown = {};
  // What the authority window holds when it opens.
  std::optional<std::u16string> authority = std::nullopt;
  // Ends with the report that the answer came incomplete.
  bool reported = false;
};

// One command as the user gives it from its page.
struct PageCommand {
  const char* name;
  satlib::EntryPoint entry;
  // Opens the page, fills it and presses the button.
  std::function<void()> issue;
  AnswerCase success;
  // The return code of a refusal; the page shows it with its message.
  std::string refusal;
  // The page opens the authority window for an answer that carries the
  // authority's message (the session queries never do).
  bool authorityWindow = true;
  // The runner shows the authority's message after the page read the
  // answer: an answer without a return code ends in the report.
  bool authorityAfterReading = true;
  // The page cannot do without field 2 (the code change): an answer of the
  // return code alone is reported.
  bool needsMessage = false;
  // The status bar shows the answer after the messages, so a report leaves
  // it empty (the network page).
  bool statusLast = false;
  // Shapes of this command's answers only: its layouts.
  std::vector<AnswerCase> layouts = {};
};

std::string replaced(std::string text, const std::string& placeholder, const std::string& value) {
  for (std::size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + value.size()))
    text.replace(at, placeholder.size(), value);
  return text;
}

std::vector<std::string> utf8(const std::vector<std::u16string>& texts) {
  std::vector<std::string> result;
  for (const std::u16string& text : texts) result.push_back(platform::toUtf8(text));
  return result;
}

// The status bar's text for an answer: 110 characters at most, then " ...".
std::u16string inStatusBar(const std::string& answer) {
  std::u16string text = platform::fromUtf8(answer);
  if (text.size() > 110) text = text.substr(0, 110) + u" ...";
  return text;
}

class EveryAnswer : public ProgramFixture {
 protected:
  EveryAnswer() {
    program.start();
    storeSettings({{"CNPJContribuinte", u"11222333000181"},
                   {"CNPJSH", u"11222333000009"},
                   {"Assinatura", u"U2lnbmF0dXJl"},
                   {"uf", u"25"}});
    answerCodePrompt(u"segredo1");
    dialogs.whenShown["TFFimAFim"] = [](ui::Form& form) {
      auto& dialog = static_cast<diagnostics::TFFimAFim&>(form);
      dialog.EdtIEContrib.setTextFromUser(u"123456789012");
      dialog.BtnOk.click();
    };
  }

  void press(ui::Button& button) {
    user([&] { button.click(); });
  }
  // Opens a page with its side button, types the code and presses the button.
  std::function<void()> codeCommand(ui::Button& side, ui::Edit& code, ui::Button& button,
                                    bool confirms = false) {
    return [this, &side, &code, &button, confirms] {
      press(side);
      code.setTextFromUser(u"segredo1");
      if (confirms) dialogs.confirmAnswers = {true};
      press(button);
    };
  }

  std::vector<PageCommand> commands();

  // Runs the command with the device answering this case's answer, and
  // checks what the user met.
  void expectAnswerShown(const PageCommand& command, const AnswerCase& c) {
    SCOPED_TRACE(std::string(command.name) + ", " + c.name);
    dialogs.calls.clear();
    library.calls.clear();
    std::string sent;
    library.answers.clear();
    library.duringCall = [&] {
      const std::string six = library.lastSession();
      const std::string otherwise =
          six.starts_with('0') ? six.substr(six.find_first_not_of('0')) : "0" + six;
      sent = replaced(replaced(c.answer, "{s}", six), "{S}", otherwise);
      library.answers = {sent};
    };
    command.issue();
    library.duringCall = {};

    ASSERT_EQ(library.calls.size(), 1u) << dialogs.describe();
    EXPECT_EQ(library.calls[0].entry, command.entry);
    EXPECT_EQ(utf8(dialogs.messages()), utf8(c.shown)) << dialogs.describe();
    const std::vector<std::u16string> windows = dialogs.texts(DialogKind::Modal);
    const bool authorityShown =
        std::find(windows.begin(), windows.end(), u"TFMSefaz") != windows.end();
    EXPECT_EQ(authorityShown, c.authority.has_value()) << dialogs.describe();
    if (authorityShown && c.authority) {
      EXPECT_EQ(platform::toUtf8(program.msefaz.MemoSefaz.text()), platform::toUtf8(*c.authority));
    }
    const std::vector<std::u16string> reports = dialogs.texts(DialogKind::Unexpected);
    if (c.reported) {
      ASSERT_EQ(reports.size(), 1u) << dialogs.describe();
      EXPECT_TRUE(reports[0].starts_with(ui::failureMessage(ui::FailureKind::DeviceAnswer, {})))
          << dialogs.describe();
    } else {
      EXPECT_TRUE(reports.empty()) << dialogs.describe();
    }
    const std::u16string status = c.reported && command.statusLast ? u"" : inStatusBar(sent);
    EXPECT_EQ(platform::toUtf8(main.StatusBar.text()), platform::toUtf8(status));
  }

  // Every shape of the command's answers, each followed by the command
  // answered with success.
  void sweep(const PageCommand& command) {
    const std::string& code = command.refusal;
    const std::u16string refused = platform::fromUtf8(code + ": Mensagem do SAT");
    const std::vector<std::u16string> shown{refused};
    const bool unreadReported = command.authorityAfterReading;
    const std::optional<std::u16string> window =
        command.authorityWindow
            ? std::optional<std::u16string>(u"Código: 999\r\n\r\nMensagem da SEFAZ\r\n")
            : std::nullopt;
    std::vector<AnswerCase> cases = {
        {"refusal", "{s}|" + code + "|Mensagem do SAT||", shown},
        {"refusal echoing the session written otherwise", "{S}|" + code + "|Mensagem do SAT||",
         shown},
        {"refusal with the authority's message",
         "{s}|" + code + "|Mensagem do SAT|999|Mensagem da SEFAZ", shown, window},
        // Some devices put a validation code after the return code of any
        // answer, as a busy device does.
        {"refusal after a validation code", "{s}|" + code + "|0000|Mensagem do SAT||", shown},
        {"refusal after a validation code, with the authority's message",
         "{s}|" + code + "|0000|Mensagem do SAT|999|Mensagem da SEFAZ", shown, window},
        {"the return code alone", "{s}|" + code, {}, std::nullopt, command.needsMessage},
        {"the authority's code without its message", "{s}|" + code + "|Mensagem do SAT|999", shown,
         std::nullopt, unreadReported},
        {"no answer", "", {}, std::nullopt, unreadReported},
    };
    cases.insert(cases.end(), command.layouts.begin(), command.layouts.end());
    for (const AnswerCase& c : cases) {
      expectAnswerShown(command, c);
      expectAnswerShown(command, command.success);
    }
  }
};

std::vector<PageCommand> EveryAnswer::commands() {
  provisioning::LockPage& lock = main.TabBloq;
  const std::string testAnswer = "{s}|09000|Emitido com sucesso|||" +
                                 codec::encodeBase64("<CFe><infCFe Id=\"CFe1\"></infCFe></CFe>") +
                                 "|20260101120000|000000|CFe1";
  const std::string storedSale =
      "000000|06000|0000|Emitido com sucesso|||" + codec::encodeBase64("<CFe></CFe>") +
      "|20261210093005|CFe35261211222333000181599000040190000012345678|200.00||QRCODE";
  const std::string logAnswer = "{s}|15000|Transferência completa|||" +
                                codec::encodeBase64(
                                    "20260101120000|SAT|info|================= SuperLog MIREL "
                                    "==================\n");
  return {
      {.name = "Consultar SAT",
       .entry = satlib::EntryPoint::ConsultarSAT,
       .issue = [this] { press(main.TabMirel.BitBtn6); },
       .success = {"success", "{s}|08000|SAT em operação||", {}},
       // Only this refusal is told in a message; the state text tells the rest.
       .refusal = "08097",
       .layouts = {{"busy", "{s}|08098|0000|SAT em processamento. Tente novamente.||", {}}}},
      {.name = "Ativar",
       .entry = satlib::EntryPoint::AtivarSAT,
       .issue =
           [this] {
             provisioning::ActivationPage& page = main.TabAtivar;
             press(main.BtnAtivacao);
             page.EdtCodAtiv2.setTextFromUser(u"segredo1");
             page.EdtCodAtiv2Conf.setTextFromUser(u"segredo1");
             dialogs.confirmAnswers = {true};
             press(page.BtnAtivar);
           },
       .success = {"success",
                   "{s}|04000|Ativado corretamente|||Q1NS",
                   {u"SAT Ativado corretamente, faltando associá-lo ao Aplic. Comercial."}},
       .refusal = "04001"},
      {.name = "Associar",
       .entry = satlib::EntryPoint::AssociarAssinatura,
       .issue =
           [this] {
             press(main.BtnAssocAssin);
             main.TabAssocAss.EdtCodAtiv3.setTextFromUser(u"segredo1");
             press(main.TabAssocAss.BitAssociar);
           },
       .success = {"success",
                   "{s}|13000|0000|Assinatura do AC Registrada||",
                   {u"13000: Assinatura do AC Registrada"}},
       // The generic refusal is the layout without the validation code.
       .refusal = "13001",
       .layouts = {{"refusal after an empty validation code",
                    "{s}|13001||Mensagem do SAT||",
                    {u"13001: [] Mensagem do SAT"}},
                   {"refusal after a validation code, with the authority's message",
                    "{s}|13004|1234|Mensagem do SAT|999|Mensagem da SEFAZ",
                    {u"13004: [1234] Mensagem do SAT"},
                    u"Código: 999\r\n\r\nMensagem da SEFAZ\r\n"},
                   {"refusal after a validation code, the authority's code alone",
                    "{s}|13004|1234|Mensagem do SAT|999",
                    {u"13004: [1234] Mensagem do SAT"},
                    std::nullopt,
                    true}}},
      {.name = "Enviar ao SAT",
       .entry = satlib::EntryPoint::ConfigurarInterfaceDeRede,
       .issue =
           [this] {
             press(main.BtnConfRede);
             main.TabConfRede.LblEdtCodRede.setTextFromUser(u"segredo1");
             press(main.TabConfRede.BitBtn4);
           },
       .success = {"success",
                   "{s}|12000|Rede Configurada com Sucesso||",
                   {u"12000: Rede Configurada com Sucesso"}},
       .refusal = "12002",
       .statusLast = true},
      {.name = "Trocar",
       .entry = satlib::EntryPoint::TrocarCodigoDeAtivacao,
       .issue =
           [this] {
             provisioning::CodeChangePage& page = main.TabCodAtiva;
             press(main.BtnCodAtivacao);
             // A changed code locks the page again.
             if (!page.CheckMudaCodigo.checked())
               user([&] { page.CheckMudaCodigo.setCheckedFromUser(true); });
             page.EdtCodigo.setTextFromUser(u"segredo1");
             page.EdtNovoCodigo.setTextFromUser(u"segredo2");
             page.EdtNovoCodigo2.setTextFromUser(u"segredo2");
             press(page.BtnTrocarCod);
           },
       .success = {"success",
                   "{s}|18000|Código de ativação alterado com sucesso||",
                   {u"18000: Código de ativação alterado com sucesso"}},
       .refusal = "18001",
       .needsMessage = true},
      {.name = "Bloquear",
       .entry = satlib::EntryPoint::BloquearSAT,
       .issue = codeCommand(main.BtnBloquearSAT, lock.EdtCodAtiv6, lock.BitBloquSAT),
       .success = {"success",
                   "{s}|16000|Equipamento SAT bloqueado com sucesso||",
                   {u"16000: Equipamento SAT bloqueado com sucesso"}},
       .refusal = "16004"},
      {.name = "Desbloquear",
       .entry = satlib::EntryPoint::DesbloquearSAT,
       .issue = codeCommand(main.BtnBloquearSAT, lock.EdtCodAtiv6, lock.BitBtn5),
       .success = {"success",
                   "{s}|17000|Equipamento SAT desbloqueado com sucesso||",
                   {u"17000: Equipamento SAT desbloqueado com sucesso"}},
       .refusal = "17002"},
      {.name = "Desativar",
       .entry = satlib::EntryPoint::BloquearSAT,
       .issue = codeCommand(main.BtnBloquearSAT, lock.EdtCodAtiv6, lock.BitDesatSAT, true),
       .success = {"success",
                   "{s}|16000|Equipamento SAT bloqueado com sucesso||",
                   {u"16000: Equipamento SAT bloqueado com sucesso"}},
       .refusal = "16001"},
      {.name = "Atualizar",
       .entry = satlib::EntryPoint::AtualizarSoftwareSAT,
       .issue = codeCommand(main.BitAtualizaSW, main.TavAtualizaSW.EdtCodAtiv7,
                            main.TavAtualizaSW.BtnAtualizarSW),
       .success = {"success",
                   "{s}|14000|Software Atualizado com Sucesso||",
                   {u"14000: Software Atualizado com Sucesso"}},
       .refusal = "14003"},
      {.name = "Status",
       .entry = satlib::EntryPoint::ConsultarStatusOperacional,
       .issue = [this] { press(main.BitBtnStatus); },
       .success = {"success", "{s}|10000|Resposta com Sucesso|||900004019", {}},
       .refusal = "10001"},
      {.name = "FimAFim Ativação",
       .entry = satlib::EntryPoint::TesteFimAFim,
       .issue =
           [this] {
             press(main.BtnTestefimafim);
             press(main.TabTeste.BtnTesteAtivacao);
           },
       .success = {"success", testAnswer, {u"09000: Emitido com sucesso"}},
       .refusal = "09001",
       .authorityAfterReading = false},
      {.name = "FimAFim Produção",
       .entry = satlib::EntryPoint::TesteFimAFim,
       .issue =
           [this] {
             press(main.BtnTestefimafim);
             press(main.TabTeste.BtnTesteProducao);
           },
       .success = {"success", testAnswer, {u"09000: Emitido com sucesso"}},
       .refusal = "09002",
       .authorityAfterReading = false},
      {.name = "Consulta Sessão",
       .entry = satlib::EntryPoint::ConsultarNumeroSessao,
       .issue =
           [this] {
             main.TabTeste.Edit1.setTextFromUser(u"4019");
             press(main.TabTeste.BtnSessao);
           },
       .success = {"success", storedSale, {}},
       .refusal = "11003",
       .authorityWindow = false,
       .authorityAfterReading = false},
      {.name = "Consulta Sessão Fiscal",
       .entry = satlib::EntryPoint::ConsultarUltimaSessaoFiscal,
       .issue = [this] { press(main.TabTeste.BtnSessaoFiscal); },
       .success = {"success", storedSale, {}},
       .refusal = "19003",
       .authorityWindow = false,
       .authorityAfterReading = false},
      {.name = "Extrair Logs",
       .entry = satlib::EntryPoint::ExtrairLogs,
       .issue = [this] { press(main.BitLogs); },
       .success = {"success", logAnswer, {}},
       .refusal = "15001"},
      {.name = "SuperLog",
       .entry = satlib::EntryPoint::ExtrairLogs,
       .issue = [this] { press(main.BitSuperLog); },
       .success = {"success", logAnswer, {}},
       .refusal = "15002"},
  };
}

TEST_F(EveryAnswer, EveryCommandThroughItsPage) {
  for (const PageCommand& command : commands()) sweep(command);
}

}  // namespace
