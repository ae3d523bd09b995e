#include "support/CodeOnlyPageFixture.h"

namespace testing_support {

void CodeOnlyPageFixture::open(const Case& c) {
  main.PageControl.setActivePageIndex(page::kHomePage);
  c.code.setText(u"left over");
  user([&] { c.sideButton.click(); });
}

void CodeOnlyPageFixture::press(const Case& c, std::u16string code, const std::string& answer) {
  c.code.setTextFromUser(std::move(code));
  main.TabLog.MemoLogs.setText(u"log extraído");
  library.answers = {answer};
  if (c.confirms) dialogs.confirmAnswers = {true};
  user([&] { c.button.click(); });
}

void CodeOnlyPageFixture::expectTheSequence(const std::vector<Case>& cases) {
  const struct {
    const char* answer;
    const char16_t* shown;
  } answers[] = {{"1|16000|SAT bloqueado||", u"16000: SAT bloqueado"},
                 {"1|16001|Código inválido||", u"16001: Código inválido"},
                 {"1|16001", nullptr}};
  for (const Case& c : cases) {
    open(c);
    EXPECT_EQ(main.PageControl.activePageIndex(), c.page) << c.name;
    EXPECT_EQ(c.code.text(), u"") << c.name;
    EXPECT_EQ(focused(), &c.code) << c.name;
    for (const auto& [answer, shown] : answers) {
      dialogs.calls.clear();
      library.calls.clear();
      press(c, u"  12345678 ", answer);
      ASSERT_EQ(library.calls.size(), 1u) << c.name;
      EXPECT_EQ(library.calls[0].entry, c.entry) << c.name;
      EXPECT_EQ(library.calls[0].arguments[1], "12345678") << c.name;
      EXPECT_EQ(dialogs.messages(),
                shown ? std::vector<std::u16string>{shown} : std::vector<std::u16string>{})
          << c.name;
      EXPECT_EQ(main.TabLog.MemoLogs.text(), u"") << c.name << ": the log text goes";
      EXPECT_EQ(c.code.text(), u"") << c.name;
    }
    dialogs.calls.clear();
    library.calls.clear();
    press(c, u" 1234567 ", "unused");
    EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{kCodeTooShort}) << c.name;
    EXPECT_EQ(dialogs.texts(DialogKind::Confirm).size(), c.confirms ? 1u : 0u) << c.name;
    EXPECT_TRUE(library.calls.empty()) << c.name;
    EXPECT_EQ(main.TabLog.MemoLogs.text(), u"log extraído") << c.name;
    EXPECT_EQ(c.code.text(), u"") << c.name;
  }
}

}  // namespace testing_support
