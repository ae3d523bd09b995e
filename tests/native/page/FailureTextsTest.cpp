// The program's own failure messages: each says what happened, gives one
// next step and keeps the technical detail on a line of its own.
#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

#include "page/AnswerFields.h"
#include "page/CommandRunner.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "satlib/SatLibrary.h"
#include "settings/ParameterDataset.h"
#include "ui/FailureTexts.h"

namespace {

using ui::FailureKind;

std::vector<std::u16string> lines(const std::u16string& text) {
  std::vector<std::u16string> result;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(u"\r\n", start)) != std::u16string::npos; start = end + 2)
    result.push_back(text.substr(start, end - start));
  result.push_back(text.substr(start));
  return result;
}

TEST(FailureTexts, EachKindHasItsOwnPlainTextAndOneNextStep) {
  std::set<FailureKind> kinds;
  for (const ui::FailureText& text : ui::kFailureTexts) {
    EXPECT_TRUE(kinds.insert(text.kind).second) << "one row a kind";
    EXPECT_FALSE(text.nextStep.empty());
    EXPECT_EQ(text.nextStep.find(u"\r\n"), std::u16string_view::npos) << "one line";
    EXPECT_EQ(text.happened.find(u"\r\n"), std::u16string_view::npos) << "one line";
  }
  EXPECT_EQ(kinds.size(), ui::kFailureTexts.size());
}

TEST(FailureTexts, ExceptionsAreToldInTheWordsOfTheirKind) {
  const struct {
    const char* name;
    std::function<void()> fail;
    FailureKind kind;
  } cases[] = {
      {"library fault", [] { throw page::DeviceCallFailed(satlib::EntryPoint::ConsultarSAT); },
       FailureKind::DeviceCall},
      {"short answer", [] { page::AnswerFields("123456")[1]; }, FailureKind::DeviceAnswer},
      {"missing entry point",
       [] { throw satlib::MissingEntryPoint(satlib::EntryPoint::ExtrairLogs); },
       FailureKind::DeviceLibrary},
      {"file", [] { throw platform::FileError("Erro ao gravar o arquivo: C:\\x\\CFe.xml"); },
       FailureKind::File},
      {"stored number", [] { throw settings::ConversionError("O campo \"uf\" ..."); },
       FailureKind::Settings},
      {"anything else", [] { throw std::runtime_error("vector::at"); }, FailureKind::Unexpected},
  };
  for (const auto& c : cases) {
    try {
      c.fail();
      ADD_FAILURE() << c.name << " did not fail";
    } catch (const std::exception& failure) {
      EXPECT_EQ(ui::failureKindOf(failure), c.kind) << c.name;
      const std::u16string detail = platform::fromUtf8(failure.what());
      const std::vector<std::u16string> shown =
          lines(ui::failureMessage(ui::failureKindOf(failure), detail));
      if (c.kind == FailureKind::DeviceCall) {
        // Its own text says what happened: "O SAT.DLL falhou ao executar X."
        EXPECT_EQ(shown, (std::vector<std::u16string>{detail, shown.at(1)})) << c.name;
        EXPECT_EQ(shown[0], u"O SAT.DLL falhou ao executar ConsultarSAT.");
      } else {
        ASSERT_GE(shown.size(), 3u) << c.name;
        EXPECT_NE(shown[0], detail) << c.name << ": what happened, in plain words";
        const std::u16string message = ui::failureMessage(c.kind, detail);
        EXPECT_TRUE(message.ends_with(u"\r\nDetalhe: " + detail)) << c.name;
        EXPECT_TRUE(shown[2].starts_with(u"Detalhe: ")) << c.name << ": one next step";
      }
    }
  }
}

}  // namespace
