#include <gtest/gtest.h>

#include "codec/Base64.h"
#include "diagnostics/LogView.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "support/ProgramFixture.h"
#include "ui/TextSource.h"

namespace {

using testing_support::DialogKind;
using testing_support::ProgramFixture;

constexpr char kStart[] =
    "20190620125201|SAT|info|================= SuperLog MIREL ==================";
constexpr char kStartPlain[] =
    "20190620125201|SAT|info|==================== SuperLog =====================";
constexpr char kEnd[] =
    "20190620125299|SAT|info|===================================================";
constexpr char16_t kStartShown[] = u"   ================= SuperLog MIREL ==================";
constexpr char16_t kEndShown[] = u"   ===================================================";
const std::u16string kNotFound(diagnostics::kSuperLogNotFound);

// Each view's text as the memo holds it.
std::u16string wholeLogText(std::string_view log) {
  return ui::wholeText(*diagnostics::wholeLogLines({nullptr, log}));
}
std::u16string superLogText(std::string_view log) {
  return ui::wholeText(*diagnostics::superLogLines({nullptr, log}));
}

std::string logOf(std::initializer_list<std::string> lines) {
  std::string log;
  for (const std::string& line : lines) log += line + "\n";
  return log;
}

std::string line(const std::string& text, const char* source = "SAT") {
  return std::string("20190620125210|") + source + "|info|" + text;
}

TEST(LogView, SuperLogShowsTheLastBlockWithoutTheLinePrefix) {
  const struct {
    const char* name;
    std::string log;
    std::u16string shown;
  } cases[] = {
      {"two blocks: the later",
       logOf({kStart, line("primeiro"), kEnd, line("fora"), kStartPlain, line("Recebida mensagem"),
              line("Mensagem do AC", "AC-SAT"), "2019062012521|SAT|info|", kEnd, line("depois")}),
       u"\r\n   ==================== SuperLog =====================\r\n   Recebida mensagem\r\n"
       u"   Mensagem do AC\r\n   \r\n" +
           std::u16string(kEndShown) + u"\r\n"},
      {"start without end after it", logOf({kStart, line("a"), kEnd, kStartPlain, line("b")}),
       kNotFound},
      {"end before start", logOf({kEnd, kStart, line("a")}), kNotFound},
      {"no marker", logOf({line("a"), line("b")}), kNotFound},
      {"last line without LF", logOf({kStart}) + kEnd,
       u"\r\n" + std::u16string(kStartShown) + u"\r\n" + kEndShown + u"\r\n"},
      {"accents", logOf({kStart, line("função concluída", "SAT"), kEnd}),
       u"\r\n" + std::u16string(kStartShown) + u"\r\n   função concluída\r\n" + kEndShown +
           u"\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::toUtf8(superLogText(c.log)), platform::toUtf8(c.shown)) << c.name;
  }
}

// Sources and levels differ in length, so the time, the source and the level
// end at the third "|" of a line of their shape; other lines lose 24 bytes.
// A CR LF line end shows as the view's own CR LF.
TEST(LogView, SuperLogCutsEachLineWhereItsTextBegins) {
  const struct {
    std::string line;
    std::u16string shown;
  } cases[] = {
      {"20190620125210|AC-SAT|info|Mensagem do AC", u"Mensagem do AC"},
      {"20190620125210|SAT-SEFAZ|info|lote aceito", u"lote aceito"},
      {"20190620125210|SAT|debug|conexão aberta", u"conexão aberta"},
      {"20190620125210|SAT_2|erro|texto | com barra", u"texto | com barra"},
      {"20190620125210|AC-SAT|info|", u""},
      {"20190620125210|SAT|info|linha com CR LF\r", u"linha com CR LF"},
      {"20190620125210|AC-SAT|info|\r", u""},
      // Not the shape: no level, a time of another form, a blank in the source.
      {"20190620125210|SAT|texto sem nível|x", u" sem nível|x"},
      {"2019-06-20 12:52:10|SAT|info|abc", u"info|abc"},
      {"20190620125210|SAT SEFAZ|info|abc", u"|info|abc"},
      {"201906201252100|SAT|info|abc", u"|abc"},
  };
  std::string log = std::string(kStart) + "\r\n";
  std::u16string shown = u"\r\n" + std::u16string(kStartShown) + u"\r\n";
  for (const auto& c : cases) {
    log += c.line + "\n";
    shown += u"   " + c.shown + u"\r\n";
  }
  log += std::string(kEnd) + "\r\n";
  shown += std::u16string(kEndShown) + u"\r\n";
  EXPECT_EQ(platform::toUtf8(superLogText(log)), platform::toUtf8(shown));
}

TEST(LogView, WholeLogEndsEveryLineAndTheDashLine) {
  const std::u16string dash(54, u'-');
  EXPECT_EQ(wholeLogText("a\r\nb\r\n\r\n"), u"a\r\nb\r\n\r\n\r\n" + dash + u"\r\n")
      << "a CR LF line end is not doubled";
  EXPECT_EQ(wholeLogText("a\rb\r\r\n"), u"a\rb\r\r\n\r\n" + dash + u"\r\n")
      << "only the CR of the line end goes";
  EXPECT_EQ(wholeLogText("a\nb\n"), u"a\r\nb\r\n\r\n" + dash + u"\r\n");
  EXPECT_EQ(wholeLogText("a\nç\xff"), u"a\r\nç\uFFFD\r\n" + dash + u"\r\n");
  EXPECT_EQ(wholeLogText(""), u"\r\n" + dash + u"\r\n");
  EXPECT_EQ(diagnostics::logUpToNul(std::string("a\nb\0c\n", 6)), "a\nb");
}

// The log is decoded where the answer holds its Base64 and ends at its first
// NUL; each view counts a line's length as it makes the line, malformed bytes
// and all, and no line is longer than the view says.
TEST(LogView, DecodesTheFieldWhereItLiesAndMakesEachLineWhenAsked) {
  const std::string log =
      logOf({line("antes"), kStart, line("ç\xff\xe2\x82 fim\r"), line("\xf0\x9f\x98\x80"), kEnd}) +
      "sem LF";
  const std::string afterNul = std::string(1, '\0') + logOf({kStart, line("depois"), kEnd});
  const auto answer =
      std::make_shared<std::string>("1|15000|ok|||" + codec::encodeBase64(log + afterNul));
  const page::AnswerFields fields(answer);
  const diagnostics::DecodedLog decoded = diagnostics::decodeLog(fields.keep(5));
  EXPECT_EQ(decoded.log, log + afterNul);
  EXPECT_EQ(decoded.log.data(), fields[5].data()) << "a copy of the log was made";
  EXPECT_EQ(ui::wholeText(*diagnostics::wholeLogLines(decoded)), wholeLogText(log));
  EXPECT_EQ(ui::wholeText(*diagnostics::superLogLines(decoded)), superLogText(log))
      << "the block after the NUL is no part of the log";
  for (const auto& view :
       {diagnostics::wholeLogLines(decoded), diagnostics::superLogLines(decoded)}) {
    ASSERT_TRUE(view);
    for (std::size_t index = 0; index < view->lineCount(); ++index) {
      std::u16string made;
      view->appendLine(index, made);
      EXPECT_EQ(view->lineLength(index), made.size()) << platform::toUtf8(made);
      EXPECT_LE(made.size(), view->longestLineBound()) << platform::toUtf8(made);
    }
  }
}

// The whole log's lines and its end at a NUL are found together, a block of
// bytes at a time: a NUL or an LF anywhere in a block, or after the last
// whole block, ends the log or a line there.
TEST(LogView, TheWholeLogEndsAtItsFirstNulWhereverItLies) {
  std::string lines;
  for (int i = 0; lines.size() < 300; ++i)
    lines += std::string(static_cast<std::size_t>(i % 9), 'x') + "\n";
  for (const std::size_t nul : {0, 1, 62, 63, 64, 65, 127, 128, 200, 299}) {
    std::string log = lines;
    log[nul] = '\0';
    std::u16string expected;
    for (std::size_t start = 0;;) {
      const std::size_t end = std::min(log.find('\n', start), nul);
      expected += platform::fromUtf8(log.substr(start, end - start)) + u"\r\n";
      if (end == nul) break;
      start = end + 1;
    }
    expected += std::u16string(54, u'-') + u"\r\n";
    EXPECT_EQ(wholeLogText(log), expected) << "NUL at " << nul;
  }
}

class LogPage : public ProgramFixture {
 protected:
  LogPage() { program.start(); }

  void extract(ui::Button& sideButton, const std::u16string& code, const std::string& answer) {
    answerCodePrompt(code);
    library.answers = {answer};
    user([&] { sideButton.click(); });
  }
  static std::string logAnswer(const std::string& log) {
    return "1|15000|Transferência completa|||" + codec::encodeBase64(log);
  }
  void save(const std::u16string& name) {
    main.TabLog.EdtLogs.setTextFromUser(name);
    user([&] { main.TabLog.BtnLog2.click(); });
  }

  diagnostics::LogPage& page = main.TabLog;
};

TEST_F(LogPage, BothSideButtonsExtractInTheirMode) {
  const std::string log = logOf({line("antes"), kStart, line("dentro"), kEnd});
  extract(main.BitLogs, u" segredo1 ", logAnswer(log));
  ASSERT_EQ(library.calls.size(), 1u);
  EXPECT_EQ(library.calls[0].entry, satlib::EntryPoint::ExtrairLogs);
  EXPECT_EQ(library.calls[0].arguments[1], "segredo1");
  EXPECT_EQ(main.PageControl.activePageIndex(), page::kLogPage);
  EXPECT_EQ(page.frame.header.text(), u"EXTRAÇÃO DOS LOGS");
  EXPECT_EQ(page.frame.header.tag, diagnostics::LogPage::kWholeLog);
  EXPECT_EQ(ui::wholeText(page.MemoLogs), wholeLogText(log));
  EXPECT_TRUE(dialogs.messages().empty()) << "a transferred log shows no message";

  extract(main.BitSuperLog, u"segredo1", logAnswer(log));
  EXPECT_EQ(page.frame.header.text(), u"SuperLog MIREL");
  EXPECT_EQ(page.frame.header.tag, diagnostics::LogPage::kSuperLog);
  EXPECT_EQ(ui::wholeText(page.MemoLogs),
            u"\r\n" + std::u16string(kStartShown) + u"\r\n   dentro\r\n" + kEndShown + u"\r\n");
}

TEST_F(LogPage, WhatEndsAnExtraction) {
  const struct {
    const char* name;
    const char16_t* code;
    const char* answer;
    std::vector<std::u16string> messages;
    std::size_t calls;
    std::size_t unexpected;
  } cases[] = {
      {"short code",
       u"1234567",
       "unused",
       {u"Código de Ativação deve ter no mínimo 8 caracteres."},
       0,
       0},
      {"refused",
       u"segredo1",
       "1|15001|Código de ativação inválido||",
       {u"15001: Código de ativação inválido"},
       1,
       0},
      {"no field 5", u"segredo1", "1|15000|ok||", {}, 1, 0},
      {"empty answer", u"segredo1", "", {}, 1, 1},
  };
  for (const auto& c : cases) {
    dialogs.calls.clear();
    library.calls.clear();
    page.MemoLogs.setText(u"old");
    extract(main.BitLogs, c.code, c.answer);
    EXPECT_EQ(dialogs.messages(), c.messages) << c.name;
    EXPECT_EQ(library.calls.size(), c.calls) << c.name;
    EXPECT_EQ(dialogs.texts(DialogKind::Unexpected).size(), c.unexpected) << c.name;
    EXPECT_EQ(ui::wholeText(page.MemoLogs), u"") << c.name;
  }
  // A cancelled prompt still shows the page with the mode's header.
  dialogs.whenShown.clear();
  user([&] { main.BitSuperLog.click(); });
  EXPECT_EQ(page.frame.header.text(), u"SuperLog MIREL");
  EXPECT_EQ(main.PageControl.activePageIndex(), page::kLogPage);
}

TEST_F(LogPage, SavesTheMemoWithCrLfAfterEveryLine) {
  page.MemoLogs.setText(u"primeira\r\nsegunda ç\r\núltima");
  const auto file = folder.path() / "log.txt";
  platform::writeFileAtomically(file, "old content");
  save(file.u16string());
  EXPECT_EQ(platform::readFile(file), "primeira\r\nsegunda \xe7\r\n\xfaltima\r\n");
  EXPECT_EQ(dialogs.messages(),
            std::vector<std::u16string>{u"Arquivo " + file.u16string() + u" salvo com sucesso"});

  const struct {
    std::u16string name;
    std::u16string message;
  } failures[] = {
      {u"", u"O nome do arquivo não foi especificado"},
      {u"   ", u"Erro ao tentar salvar o arquivo:    "},
      {(folder.path() / "no-such-folder" / "log.txt").u16string(),
       u"Erro ao tentar salvar o arquivo: " +
           (folder.path() / "no-such-folder" / "log.txt").u16string()},
  };
  for (const auto& f : failures) {
    dialogs.calls.clear();
    save(f.name);
    EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{f.message});
    if (f.name.empty()) {
      EXPECT_EQ(focused(), &page.BtnLog1);
    }
  }
  EXPECT_EQ(platform::readFile(file), "primeira\r\nsegunda \xe7\r\n\xfaltima\r\n");

  dialogs.fileAnswers = {std::nullopt, u"/tmp/escolhido.txt"};
  user([&] { page.BtnLog1.click(); });
  EXPECT_EQ(page.EdtLogs.text(), (folder.path() / "no-such-folder" / "log.txt").u16string());
  user([&] { page.BtnLog1.click(); });
  EXPECT_EQ(page.EdtLogs.text(), u"/tmp/escolhido.txt");
}

// A log without a SuperLog block: the SuperLog view says so, and saves what
// it says.
TEST_F(LogPage, TheSuperLogViewOfALogWithoutABlockSaysSo) {
  extract(main.BitSuperLog, u"segredo1", logAnswer(logOf({line("antes"), kStart, line("a")})));
  EXPECT_EQ(ui::wholeText(page.MemoLogs), kNotFound);
  const auto file = folder.path() / "log.txt";
  save(file.u16string());
  EXPECT_EQ(platform::readFile(file), platform::toAnsi(kNotFound));
}

// A device that ends its log lines with CR LF: the file holds one CR LF after
// each line, in either view.
TEST_F(LogPage, ALogWithCrLfLineEndsIsSavedWithOneCrLfPerLine) {
  const std::string log = line("antes") + "\r\n" + kStart + "\r\n" + line("dentro", "SAT-SEFAZ") +
                          "\r\n" + kEnd + "\r\n";
  const auto file = folder.path() / "log.txt";
  const struct {
    ui::Button& sideButton;
    std::string saved;
  } views[] = {
      {main.BitLogs, "20190620125210|SAT|info|antes\r\n" + std::string(kStart) + "\r\n" +
                         "20190620125210|SAT-SEFAZ|info|dentro\r\n" + kEnd + "\r\n\r\n" +
                         std::string(54, '-') + "\r\n"},
      {main.BitSuperLog, "\r\n" + platform::toAnsi(kStartShown) + "\r\n   dentro\r\n" +
                             platform::toAnsi(kEndShown) + "\r\n"},
  };
  for (const auto& view : views) {
    extract(view.sideButton, u"segredo1", logAnswer(log));
    save(file.u16string());
    EXPECT_EQ(platform::readFile(file), view.saved) << platform::toUtf8(page.frame.header.text());
  }
}

// What a device's log may hold that is not UTF-8 is shown replaced, and saved
// as the memo shows it, in either view.
TEST_F(LogPage, ALineOfMalformedUtf8IsShownAndSavedReplaced) {
  const std::string log = logOf({kStart,
                                 line("a\xff\xc3(b\xed\xa0\x80"
                                      "c\xf4\x90\x80\x80"),
                                 kEnd});
  const auto file = folder.path() / "log.txt";
  const struct {
    ui::Button& sideButton;
    std::u16string shownLine;
  } views[] = {
      {main.BitLogs, u"20190620125210|SAT|info|a\uFFFD\uFFFD(b\uFFFDc\uFFFD"},
      {main.BitSuperLog, u"   a\uFFFD\uFFFD(b\uFFFDc\uFFFD"},
  };
  for (const auto& view : views) {
    extract(view.sideButton, u"segredo1", logAnswer(log));
    const std::u16string shown = ui::wholeText(page.MemoLogs);
    EXPECT_NE(shown.find(u"\r\n" + view.shownLine + u"\r\n"), std::u16string::npos)
        << platform::toUtf8(shown);
    save(file.u16string());
    EXPECT_EQ(platform::readFile(file), platform::toAnsi(shown));
  }
}

// Tens of megabytes of log: the memo shows the page's view of the answer's
// own bytes, every line of it, and saves it whole.
TEST_F(LogPage, ALogOfTwentyMegabytesIsShownAndSavedWhole) {
  std::string log;
  std::string lastLine;
  for (int i = 0; log.size() < 20'000'000; ++i) {
    lastLine = line("Recebida mensagem nº " + std::to_string(i) + " da Sefaz, lote aceito");
    log += lastLine + "\r\n";
  }
  extract(main.BitLogs, u"segredo1", logAnswer(log));
  ASSERT_TRUE(page.MemoLogs.source());
  const ui::TextSource& shown = *page.MemoLogs.source();
  const std::size_t lines = shown.lineCount();
  std::u16string last;
  shown.appendLine(lines - 3, last);
  EXPECT_EQ(last, platform::fromUtf8(lastLine));
  EXPECT_EQ(page.lastLog(), log);

  const auto file = folder.path() / "log.txt";
  save(file.u16string());
  const std::string saved = platform::readFile(file);
  EXPECT_EQ(saved.size(), platform::toAnsi(ui::wholeText(shown)).size());
  EXPECT_TRUE(saved.ends_with(platform::toAnsi(platform::fromUtf8(lastLine)) + "\r\n\r\n" +
                              std::string(54, '-') + "\r\n"));
}

TEST_F(LogPage, TheSaveDialogOffersTextFilesAndAsksBeforeReplacing) {
  page.EdtLogs.setText(u"C:\\logs\\sat");
  dialogs.fileAnswers = {std::nullopt};
  user([&] { page.BtnLog1.click(); });
  ASSERT_EQ(dialogs.calls.size(), 1u);
  const ui::FileDialogOptions& shown = dialogs.calls[0].fileOptions;
  EXPECT_TRUE(shown.filter.starts_with(u"Arquivos de texto (*.txt)|*.txt"));
  EXPECT_EQ(shown.defaultExtension, u"txt") << "a name without an ending gets .txt";
  EXPECT_EQ(shown.initialName, u"C:\\logs\\sat");
  EXPECT_TRUE(shown.askBeforeReplacing);
}

TEST_F(LogPage, TheFileNameIsNotCarriedFromOneViewToTheOther) {
  const std::string answer = logAnswer(logOf({line("antes"), kStart, line("dentro"), kEnd}));
  extract(main.BitLogs, u"segredo1", answer);
  page.EdtLogs.setTextFromUser(u"C:\\logs\\inteiro.txt");
  extract(main.BitLogs, u"segredo1", answer);
  EXPECT_EQ(page.EdtLogs.text(), u"C:\\logs\\inteiro.txt") << "the same view keeps it";
  extract(main.BitSuperLog, u"segredo1", answer);
  EXPECT_EQ(page.EdtLogs.text(), u"");
}

}  // namespace
