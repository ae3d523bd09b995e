// Every page's command against the device's faults, in the real program: an
// empty answer, a "busy" code of the command's own family, and text that is
// not the UTF-8 it should be with Base64 broken by line breaks. Each command
// shows what it should for the fault, and the program goes on working.
#include <windows.h>

#include <functional>
#include <sstream>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

// What a command showed: the texts of its boxes, in order.
using Shown = std::vector<std::wstring>;

class DeviceFaults : public QuorvelTest {
 protected:
  struct PageCommand {
    const char* name;
    // Drives the page until the device has been called.
    std::function<void()> run;
    // The command reads the answer, or an empty one, under a guard of its own
    // and opens no authority window: an empty answer shows nothing.
    bool guardsEverything;
  };

  void SetUp() override {
    startActivated();
    associate();
  }

  void confirmPrompt() {
    HWND prompt = waitForWindow(kPromptCaption);
    if (!prompt) return;
    typeInto(prompt, "EdtCodigo", kActivationCode);
    pressEnter(control(prompt, "EdtCodigo"));
  }

  std::vector<PageCommand> commands() {
    return {
        {"query", [&] { click(control(main_, "BtnPrincipal")); }, false},
        {"activation",
         [&] {
           openPage("BtnAtivacao", "TabAtivar");
           typeInto(main_, "EdtCodAtiv2", kActivationCode);
           typeInto(main_, "EdtCodAtiv2Conf", kActivationCode);
           typeInto(main_, "EdtCNPJContrib", L"11222333000181");
           choose(control(main_, "cbo"), 25);
           click(control(main_, "BtnAtivar"));
           const MessageBoxSeen confirmation = waitForMessageBox();
           if (confirmation.window) pressOk(confirmation.window);
           waitGone(confirmation.window);
         },
         false},
        {"association",
         [&] {
           openPage("BtnAssocAssin", "TabAssocAss");
           typeInto(main_, "EdtCodAtiv3", kActivationCode);
           typeInto(main_, "EdtCNPJSw", L"11222333000009");
           typeInto(main_, "EdtAssinatura", L"U2lnbmF0dXJl");
           click(control(main_, "BitAssociar"));
         },
         false},
        {"network",
         [&] {
           openPage("BtnConfRede", "TabConfRede");
           typeInto(main_, "LblEdtCodRede", kActivationCode);
           click(control(main_, "BitBtn4"));
         },
         false},
        {"code change",
         [&] {
           openPage("BtnCodAtivacao", "TabCodAtiva");
           if (!IsWindowEnabled(control(main_, "EdtCodigo")))
             click(control(main_, "CheckMudaCodigo"));
           typeInto(main_, "EdtCodigo", kActivationCode);
           typeInto(main_, "EdtNovoCodigo", kActivationCode);
           typeInto(main_, "EdtNovoCodigo2", kActivationCode);
           click(control(main_, "BtnTrocarCod"));
         },
         false},
        {"lock",
         [&] {
           openPage("BtnBloquearSAT", "TabBloq");
           typeInto(main_, "EdtCodAtiv6", kActivationCode);
           click(control(main_, "BitBloquSAT"));
         },
         false},
        {"update",
         [&] {
           openPage("BitAtualizaSW", "TavAtualizaSW");
           typeInto(main_, "EdtCodAtiv7", kActivationCode);
           click(control(main_, "BtnAtualizarSW"));
         },
         false},
        {"status",
         [&] {
           click(control(main_, "BitBtnStatus"));
           confirmPrompt();
         },
         false},
        {"log",
         [&] {
           click(control(main_, "BitLogs"));
           confirmPrompt();
         },
         false},
        {"end-to-end test",
         [&] {
           openPage("BtnTestefimafim", "TabTeste");
           click(control(main_, "BtnTesteAtivacao"));
           confirmPrompt();
           HWND dialog = waitForWindow(kFimAFimCaption);
           if (!dialog) return;
           typeInto(dialog, "EdtCNPJContrib2", L"11222333000181");
           click(control(dialog, "BtnOk"));
         },
         true},
        {"fiscal session",
         [&] {
           openPage("BtnTestefimafim", "TabTeste");
           click(control(main_, "BtnSessaoFiscal"));
           confirmPrompt();
         },
         true},
    };
  }

  void waitGone(HWND window) {
    pollFor([&] { return !window || !IsWindow(window) || !IsWindowVisible(window); });
  }
  // The boxes the command showed until the program is idle again; the
  // authority window, when it opens, is closed.
  Shown collect() {
    Shown shown;
    for (;;) {
      HWND box{};
      const bool more = pollFor(
          [&] {
            const auto boxes = messageBoxes(program_->id());
            box = boxes.empty() ? HWND{} : boxes.front();
            HWND sefaz = findTopLevelWindow(program_->id(), kSefazCaption);
            if (sefaz) close(sefaz);
            return box != nullptr;
          },
          std::chrono::milliseconds(1000));
      if (!more) break;
      pollFor([&] { return !messageBoxText(box).empty(); }, std::chrono::seconds(2));
      shown.push_back(messageBoxText(box));
      pressOk(box);
      waitGone(box);
    }
    return shown;
  }
  // After a fault the next command still works.
  void expectTheProgramGoesOn(const char* after) {
    ASSERT_EQ(knobs_->set(
                  {"knobs.answer", "normal", "knobs.encoding", "utf-8", "knobs.crlfInBase64", "0"}),
              "");
    click(control(main_, "BtnPrincipal"));
    EXPECT_TRUE(pollFor([&] {
      return controlText(main_, "lbloperante") == L"SAT em operação" &&
             controlText(main_, "StatusBar").find(L"|08000|") != std::wstring::npos;
    })) << "the query after "
        << after << " did not work\n"
        << windowsOnScreen();
    collect();
  }
};

std::string describe(const Shown& shown) {
  std::ostringstream out;
  for (const auto& text : shown) out << "[" << toUtf8(text) << "] ";
  return out.str();
}

// A NULL answer counts as an empty one; the commands take turns with both.
TEST_F(DeviceFaults, AnEmptyAnswerIsReportedOrSilencedAsEachCommandSays) {
  bool null = false;
  for (const PageCommand& command : commands()) {
    SCOPED_TRACE(command.name);
    null = !null;
    ASSERT_EQ(knobs_->set({"knobs.answer", null ? "null" : "empty"}), "");
    command.run();
    const Shown shown = collect();
    // One report of an unexpected failure, or nothing where the command reads
    // its answer under a guard and shows no authority window.
    EXPECT_EQ(shown.size(), command.guardsEverything ? 0u : 1u) << describe(shown);
    expectTheProgramGoesOn(command.name);
  }
}

TEST_F(DeviceFaults, ABusyDeviceIsShownWithItsCodeAndMessage) {
  for (const PageCommand& command : commands()) {
    SCOPED_TRACE(command.name);
    ASSERT_EQ(knobs_->set({"knobs.forcedCode", "098", "knobs.forcedCalls", "1"}), "");
    command.run();
    const Shown shown = collect();
    if (std::string_view(command.name) == "query") {
      EXPECT_TRUE(shown.empty()) << "the query shows busy as inoperante: " << describe(shown);
      EXPECT_EQ(controlText(main_, "lbloperante"), L"SAT inoperante");
    } else {
      ASSERT_EQ(shown.size(), 1u) << describe(shown);
      EXPECT_NE(shown[0].find(L"098: "), std::wstring::npos) << describe(shown);
      EXPECT_NE(shown[0].find(L"SAT em processamento"), std::wstring::npos) << describe(shown);
    }
    expectTheProgramGoesOn(command.name);
  }
}

// Text that is not UTF-8 (malformed, or Windows-1252 from a device that
// ignores the rule), Base64 broken by line breaks.
TEST_F(DeviceFaults, BrokenTextAndBrokenBase64AreSurvived) {
  bool malformed = false;
  for (const PageCommand& command : commands()) {
    SCOPED_TRACE(command.name);
    malformed = !malformed;
    ASSERT_EQ(knobs_->set({"knobs.encoding", malformed ? "invalid-utf-8" : "windows-1252",
                           "knobs.crlfInBase64", "1"}),
              "");
    command.run();
    collect();
    expectTheProgramGoesOn(command.name);
  }
  // The coupon and the log still decode through the line breaks.
  ASSERT_EQ(knobs_->set({"knobs.crlfInBase64", "1"}), "");
  click(control(main_, "BitLogs"));
  confirmPrompt();
  EXPECT_TRUE(pollFor([&] {
    return controlText(main_, "MemoLogs").find(L"Recebida mensagem") != std::wstring::npos;
  })) << toUtf8(controlText(main_, "MemoLogs").substr(0, 400));
}

// Answers with too few fields or with more than the command knows.
TEST_F(DeviceFaults, MissingAndExtraFieldsAreSurvived) {
  bool missing = false;
  int missingFieldReports = 0;
  for (const PageCommand& command : commands()) {
    SCOPED_TRACE(command.name);
    missing = !missing;
    ASSERT_EQ(knobs_->forceAnswer(missing ? "{sessao}|99999"
                                          : "{sessao}|99999|x|||a|b|c|d|e|f|g|h|i|j|k|l|m|n"),
              "");
    command.run();
    const Shown shown = collect();
    for (const auto& text : shown) {
      if (missing) {
        // A report says in words which field the answer lacks, and shows it.
        if (text.find(L"não tem o campo") == std::wstring::npos) continue;
        ++missingFieldReports;
        EXPECT_NE(text.find(L"Resposta recebida: \""), std::wstring::npos) << toUtf8(text);
      } else {
        EXPECT_EQ(text.find(L"não tem o campo"), std::wstring::npos)
            << "extra fields failed a reading";
      }
    }
    expectTheProgramGoesOn(command.name);
  }
  EXPECT_GT(missingFieldReports, 0) << "no command reported a missing field in words";
}

}  // namespace
}  // namespace e2e
