#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#include "platform/Text.h"
#include "support/ProgramFixture.h"

namespace {

using testing_support::ProgramFixture;

class HomePage : public ProgramFixture {
 protected:
  HomePage() { program.start(); }
};

TEST_F(HomePage, ShowsTheStateForEachKindOfAnswer) {
  const struct {
    const char* answer;
    bool inOperation;
    std::vector<std::u16string> messages;
    size_t unexpected;
  } cases[] = {
      {"111111|08000|SAT em operação||", true, {}, 0},
      {"111111|08097|Número de sessão inválido||", false, {u"08097: Número de sessão inválido"}, 0},
      {"111111|08098|SAT em processamento. Tente novamente.||", false, {}, 0},
      {"", false, {}, 1},
  };
  for (const auto& c : cases) {
    for (ui::Button* button : {&main.BtnPrincipal, &main.TabMirel.BitBtn6}) {
      dialogs.calls.clear();
      library.answers = {c.answer};
      main.PageControl.setActivePageIndex(page::kActivationPage);
      user([&] { button->click(); });

      const ui::Color expected = c.inOperation ? ui::kGreen : ui::kRed;
      EXPECT_TRUE(main.TabMirel.lbloperante.visible());
      EXPECT_EQ(main.TabMirel.lbloperante.text(),
                c.inOperation ? u"SAT em operação" : u"SAT inoperante")
          << c.answer;
      EXPECT_EQ(main.TabMirel.lbloperante.font().color, expected) << c.answer;
      EXPECT_EQ(main.BtnPrincipal.font().color, expected) << c.answer;
      EXPECT_EQ(dialogs.messages(), c.messages) << c.answer;
      EXPECT_EQ(dialogs.texts(testing_support::DialogKind::Unexpected).size(), c.unexpected)
          << c.answer;
      EXPECT_EQ(main.StatusBar.text(), platform::fromUtf8(c.answer));
      EXPECT_EQ(main.PageControl.activePageIndex(), page::kHomePage);
    }
  }
  EXPECT_TRUE(dialogs.texts(testing_support::DialogKind::Modal).empty())
      << "the query never asks for the code";
}

TEST_F(HomePage, AQueryWithoutAUsableAnswerNeverKeepsTheEarlierState) {
  const struct {
    const char* what;
    std::function<void()> duringCall;
    const char* answer;
  } failures[] = {
      {"the library faulted", [] { throw ui::DeviceCallFaulted(); }, ""},
      {"the library threw", [] { throw std::runtime_error("Resposta nula"); }, ""},
      {"an empty answer", {}, ""},
      {"a short answer", {}, "111111"},
  };
  for (const auto& failure : failures) {
    library.duringCall = {};
    library.answers = {"111111|08000|SAT em operação||"};
    user([&] { main.BtnPrincipal.click(); });
    ASSERT_EQ(main.TabMirel.lbloperante.text(), u"SAT em operação");

    library.duringCall = failure.duringCall;
    library.answers = {failure.answer};
    dialogs.calls.clear();
    user([&] { main.BtnPrincipal.click(); });
    EXPECT_EQ(main.TabMirel.lbloperante.text(), u"SAT inoperante") << failure.what;
    EXPECT_EQ(main.TabMirel.lbloperante.font().color, ui::kRed) << failure.what;
    EXPECT_EQ(main.BtnPrincipal.font().color, ui::kRed) << failure.what;
    EXPECT_EQ(dialogs.texts(testing_support::DialogKind::Unexpected).size(), 1u)
        << failure.what << " is reported";
  }
}

TEST_F(HomePage, SendsOnlyTheSessionNumberAndLeavesItInEdit1) {
  library.answers = {"1|08000|SAT em operação||"};
  user([&] { main.BtnPrincipal.click(); });
  ASSERT_EQ(library.calls.size(), 1u);
  EXPECT_EQ(library.calls[0].entry, satlib::EntryPoint::ConsultarSAT);
  ASSERT_EQ(library.calls[0].arguments.size(), 1u);
  EXPECT_EQ(std::stoi(library.calls[0].arguments[0]),
            std::stoi(platform::toUtf8(main.TabTeste.Edit1.text())));
}

}  // namespace
