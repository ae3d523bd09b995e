#include <gtest/gtest.h>

#include "platform/Text.h"
#include "shell/UMSefaz.h"
#include "support/ProgramFixture.h"

namespace {

using testing_support::ProgramFixture;

// A bare code field and a lock command, as a page would run it.
class CommandRunner : public ProgramFixture {
 protected:
  CommandRunner() : codeField("EdtCodigo", nullptr) { program.start(); }

  page::Command lockCommand() {
    page::Command command;
    command.entryPoint = satlib::EntryPoint::BloquearSAT;
    command.call = [](satlib::SatLibrary& device, int sessao, const std::string& codigo) {
      return device.BloquearSAT(sessao, codigo);
    };
    command.codeField = &codeField;
    return command;
  }

  void runWithCode(const std::u16string& code, const std::string& answer) {
    codeField.setText(code);
    library.answers = {answer};
    user([&] { main.runner.run(lockCommand()); });
  }

  ui::Edit codeField;
};

TEST_F(CommandRunner, RunsTheSequenceInOrder) {
  std::u16string statusDuringCall;
  ui::Cursor cursorDuringCall = ui::Cursor::Default;
  library.duringCall = [&] {
    statusDuringCall = main.StatusBar.text();
    cursorDuringCall = main.cursor();
  };
  runWithCode(u"  12345678 \t", "654321|16000|Equipamento SAT bloqueado com sucesso||");

  ASSERT_EQ(library.calls.size(), 1u);
  const auto& sent = library.calls[0].arguments;
  EXPECT_EQ(sent[1], "12345678") << "blanks at both ends are not sent";
  EXPECT_EQ(statusDuringCall, u"Aguardando retorno do SAT ...");
  EXPECT_EQ(cursorDuringCall, ui::Cursor::Wait);
  EXPECT_EQ(main.cursor(), ui::Cursor::Default);
  // Edit1 holds exactly the six digits that were sent.
  EXPECT_EQ(main.TabTeste.Edit1.text().size(), 6u);
  EXPECT_EQ(std::stoi(platform::toUtf8(main.TabTeste.Edit1.text())), std::stoi(sent[0]));
  EXPECT_EQ(main.StatusBar.text(), u"654321|16000|Equipamento SAT bloqueado com sucesso||");
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::u16string>{u"16000: Equipamento SAT bloqueado com sucesso"});
  EXPECT_TRUE(dialogs.texts(testing_support::DialogKind::Modal).empty())
      << "an empty authority code opens no window";
  EXPECT_EQ(codeField.text(), u"");
}

TEST_F(CommandRunner, ShortCodeIsRefusedWithoutDrawingASession) {
  main.TabTeste.Edit1.setText(u"111111");
  runWithCode(u" 1234567 ", "unused");
  EXPECT_TRUE(library.calls.empty());
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::u16string>{u"Código de Ativação deve ter no mínimo 8 caracteres."});
  EXPECT_EQ(codeField.text(), u"");
  EXPECT_EQ(main.TabTeste.Edit1.text(), u"111111");
}

TEST_F(CommandRunner, AuthorityWindowFollowsTheCodeField) {
  const struct {
    const char* answer;
    bool opens;
    const char16_t* memo;
  } cases[] = {
      {"1|16000|ok|0|Mensagem", true, u"Código: 0\r\n\r\nMensagem\r\n"},
      {"1|16000|ok||Mensagem", false, nullptr},
      {"1|16000|ok", false, nullptr},
      // Codes beginning with 130 carry the authority's fields one place right.
      {"1|13000|0000|ok|112|Assinatura registrada", true,
       u"Código: 112\r\n\r\nAssinatura registrada\r\n"},
      {"1|13000|0000|ok||x", false, nullptr},
      {"1|13000|0000|ok|", false, nullptr},
      // An empty or numeric field 2 is the validation code's place; only a
      // message there leaves the authority's fields where other answers have them.
      {"1|13001||Código de ativação inválido||", false, nullptr},
      {"1|13001||recusada|112|x", true, u"Código: 112\r\n\r\nx\r\n"},
      {"1|13001|12345|recusada|112|x", true, u"Código: 112\r\n\r\nx\r\n"},
      {"1|13000|Assinatura registrada|112|x", true, u"Código: 112\r\n\r\nx\r\n"},
  };
  for (const auto& c : cases) {
    dialogs.calls.clear();
    program.msefaz.MemoSefaz.clear();
    runWithCode(u"12345678", c.answer);
    EXPECT_EQ(dialogs.texts(testing_support::DialogKind::Modal).size(), c.opens ? 1u : 0u)
        << c.answer;
    if (c.opens) {
      EXPECT_EQ(program.msefaz.MemoSefaz.text(), c.memo) << c.answer;
    }
  }
}

TEST_F(CommandRunner, StatusBarShowsAtMost110Characters) {
  // 120 characters after decoding, accents counted once each.
  std::string answer = "1|16000|";
  while (platform::fromUtf8(answer).size() < 120) answer += "é";
  runWithCode(u"12345678", answer);
  const std::u16string decoded = platform::fromUtf8(answer);
  EXPECT_EQ(main.StatusBar.text(), decoded.substr(0, 110) + u" ...");

  runWithCode(u"12345678", std::string(110, 'x'));
  EXPECT_EQ(main.StatusBar.text(), std::u16string(110, u'x'));
}

TEST_F(CommandRunner, MalformedUtf8IsReplacedNotFatal) {
  runWithCode(u"12345678", "1|16000|bloqueado \xff\xfe ok||");
  EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{u"16000: bloqueado \uFFFD\uFFFD ok"});
}

TEST_F(CommandRunner, ShortAnswersAreSilencedButAnEmptyOneIsReported) {
  runWithCode(u"12345678", "1|16000");
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_TRUE(dialogs.texts(testing_support::DialogKind::Unexpected).empty());

  runWithCode(u"12345678", "");
  EXPECT_EQ(dialogs.texts(testing_support::DialogKind::Unexpected).size(), 1u);
  EXPECT_EQ(main.StatusBar.text(), u"");
  EXPECT_EQ(codeField.text(), u"12345678") << "the command ended before clearing the code";
}

TEST_F(CommandRunner, AuthorityMessageMissingFillsTwoLinesThenReports) {
  runWithCode(u"12345678", "1|16000|ok|0");
  EXPECT_TRUE(dialogs.texts(testing_support::DialogKind::Modal).empty());
  EXPECT_EQ(program.msefaz.MemoSefaz.text(), u"Código: 0\r\n\r\n");
  EXPECT_EQ(dialogs.texts(testing_support::DialogKind::Unexpected).size(), 1u);
}

TEST_F(CommandRunner, MissingEntryPointIsAClearErrorAndNoCall) {
  library.missing = {satlib::EntryPoint::BloquearSAT};
  runWithCode(u"12345678", "unused");
  EXPECT_TRUE(library.calls.empty());
  ASSERT_EQ(dialogs.texts(testing_support::DialogKind::Unexpected).size(), 1u);
  EXPECT_NE(dialogs.texts(testing_support::DialogKind::Unexpected)[0].find(u"BloquearSAT"),
            std::u16string::npos);
  EXPECT_EQ(main.cursor(), ui::Cursor::Default);
}

}  // namespace

namespace {

TEST_F(CommandRunner, AFaultInsideTheLibraryIsReportedWithTheEntryPoint) {
  library.duringCall = [] { throw ui::DeviceCallFaulted(); };
  runWithCode(u"12345678", "unused");
  const auto reported = dialogs.texts(testing_support::DialogKind::Unexpected);
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_TRUE(reported[0].starts_with(u"O SAT.DLL falhou ao executar BloquearSAT.\r\n"));
  EXPECT_EQ(main.cursor(), ui::Cursor::Default);
}

TEST_F(CommandRunner, TheWaitIndicationGoesWhenTheCallFails) {
  library.duringCall = [] { throw std::runtime_error("a fault inside the library"); };
  runWithCode(u"12345678", "unused");
  const auto reported = dialogs.texts(testing_support::DialogKind::Unexpected);
  ASSERT_EQ(reported.size(), 1u);
  EXPECT_TRUE(reported[0].ends_with(u"\r\nDetalhe: a fault inside the library"));
  EXPECT_EQ(main.cursor(), ui::Cursor::Default);
  EXPECT_EQ(main.StatusBar.text(), u"");
}

}  // namespace

namespace {

// A long field would take a wrapping window time that grows with the square
// of its length: what a window shows of an answer is cut.
TEST_F(CommandRunner, LongFieldsAreCutForTheWindowsThatShowThem) {
  const std::string longText(1024 * 1024, 'x');
  runWithCode(u"12345678", "1|16000|" + longText + "|0|" + longText);
  ASSERT_EQ(dialogs.messages().size(), 1u);
  EXPECT_EQ(dialogs.messages()[0], u"16000: " + std::u16string(3993, u'x') + u" ...");
  const std::vector<std::u16string> lines = program.msefaz.MemoSefaz.lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2], std::u16string(4000, u'x') + u" ...");
  EXPECT_EQ(main.StatusBar.text().size(), 114u);
}

}  // namespace
