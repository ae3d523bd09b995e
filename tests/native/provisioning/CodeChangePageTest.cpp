#include <gtest/gtest.h>

#include "platform/Text.h"
#include "support/ProgramFixture.h"

namespace {

using testing_support::DialogKind;
using testing_support::ProgramFixture;

class CodeChangePage : public ProgramFixture {
 protected:
  CodeChangePage() : page(main.TabCodAtiva) {
    program.start();
    user([&] { main.BtnCodAtivacao.click(); });
  }

  void unlock(bool emergency = false) {
    user([&] { page.CheckMudaCodigo.setCheckedFromUser(true); });
    if (emergency) user([&] { page.Checkemergencia.setCheckedFromUser(true); });
  }
  void change(std::u16string current, std::u16string newCode, std::u16string confirmation,
              const std::string& answer = "1|18000|Código de ativação alterado||") {
    page.EdtCodigo.setTextFromUser(std::move(current));
    page.EdtNovoCodigo.setTextFromUser(std::move(newCode));
    page.EdtNovoCodigo2.setTextFromUser(std::move(confirmation));
    library.answers = {answer};
    user([&] { page.BtnTrocarCod.click(); });
  }
  bool formEnabled() const {
    return page.EdtCodigo.enabled() && page.EdtNovoCodigo.enabled() &&
           page.EdtNovoCodigo2.enabled() && page.Checkemergencia.enabled() &&
           page.BtnTrocarCod.enabled();
  }
  bool formDisabled() const {
    return !page.EdtCodigo.enabled() && !page.EdtNovoCodigo.enabled() &&
           !page.EdtNovoCodigo2.enabled() && !page.Checkemergencia.enabled() &&
           !page.BtnTrocarCod.enabled();
  }

  provisioning::CodeChangePage& page;
};

TEST_F(CodeChangePage, TheTwoSwitchesUnlockTheFormAndChooseTheCode) {
  EXPECT_TRUE(formDisabled()) << "the program starts locked";
  EXPECT_TRUE(page.CheckMudaCodigo.enabled());
  unlock();
  EXPECT_TRUE(formEnabled());
  EXPECT_EQ(focused(), &page.EdtCodigo);
  EXPECT_EQ(page.LabelCodigo.text(), u"Digite o Código de Ativação atual:");

  user([&] { page.Checkemergencia.setCheckedFromUser(true); });
  EXPECT_EQ(page.LabelCodigo.text(), u"Digite o Código de Ativação de Emergência:");
  EXPECT_EQ(page.LabelCodigo.font().color, ui::kRed);
  user([&] { page.Checkemergencia.setCheckedFromUser(false); });
  EXPECT_EQ(page.LabelCodigo.text(), u"Digite o Código de Ativação atual:");
  EXPECT_EQ(page.LabelCodigo.font().color, ui::kDefaultColor);

  // Leaving the page keeps the switches; the side button clears the codes.
  user([&] { page.Checkemergencia.setCheckedFromUser(true); });
  page.EdtCodigo.setTextFromUser(u"abc");
  user([&] { main.BtnPrincipal.click(); });
  user([&] { main.BtnCodAtivacao.click(); });
  EXPECT_TRUE(formEnabled());
  EXPECT_TRUE(page.Checkemergencia.checked());
  EXPECT_EQ(page.EdtCodigo.text(), u"");
  EXPECT_EQ(page.EdtCodigo.maxLength(), 32);
}

TEST_F(CodeChangePage, ChecksTheNewCodeOnly) {
  const struct {
    const char16_t* newCode;
    const char16_t* confirmation;
    const char16_t* message;
  } cases[] = {
      {u"  1234567  ", u"1234567", u"Novo código de ativação deve ter no mínimo 8 caracteres."},
      {u"abcdefgh", u"ABCDEFGH", u"Erro na confirmação do novo Código de Ativação."},
  };
  unlock();
  std::vector<std::u16string> codesBehindMessage;
  dialogs.whileMessageShows = [&](const std::u16string&) {
    codesBehindMessage = {page.EdtNovoCodigo.text(), page.EdtNovoCodigo2.text()};
  };
  for (const auto& c : cases) {
    dialogs.calls.clear();
    change(u"atual123", c.newCode, c.confirmation);
    EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{c.message});
    EXPECT_EQ(codesBehindMessage, (std::vector<std::u16string>{c.newCode, c.confirmation}))
        << "the message shows over what was typed";
    EXPECT_EQ(page.EdtCodigo.text(), u"atual123");
    EXPECT_EQ(page.EdtNovoCodigo.text(), u"");
    EXPECT_EQ(page.EdtNovoCodigo2.text(), u"");
    EXPECT_EQ(focused(), &page.EdtNovoCodigo);
  }
  EXPECT_TRUE(library.calls.empty());
}

TEST_F(CodeChangePage, SendsTheOptionAndTrimmedCodes) {
  const struct {
    bool emergency;
    const char16_t* current;
    const char* sentCurrent;
    const char* option;
  } cases[] = {
      {false, u" atual123 ", "atual123", "1"},
      {true, u"emergencia", "emergencia", "2"},
      {false, u"", "", "1"},  // no check on the current code: the device judges it
  };
  for (const auto& c : cases) {
    library.calls.clear();
    unlock(c.emergency);
    change(c.current, u" novo1234", u"novo1234 ");
    ASSERT_EQ(library.calls.size(), 1u);
    EXPECT_EQ(library.calls[0].entry, satlib::EntryPoint::TrocarCodigoDeAtivacao);
    EXPECT_EQ(library.calls[0].arguments,
              (std::vector<std::string>{library.calls[0].arguments[0], c.sentCurrent, c.option,
                                        "novo1234", "novo1234"}));
  }
}

TEST_F(CodeChangePage, ASuccessLocksThePageAgainAndARefusalKeepsItOpen) {
  unlock(true);
  change(u"atual123", u"novo1234", u"novo1234", "1|18001|Código de ativação inválido||");
  EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{u"18001: Código de ativação inválido"});
  EXPECT_TRUE(formEnabled());
  EXPECT_TRUE(page.Checkemergencia.checked());
  EXPECT_EQ(page.EdtCodigo.text(), u"");
  EXPECT_EQ(page.EdtNovoCodigo.text(), u"");
  EXPECT_EQ(focused(), &page.EdtCodigo);

  dialogs.calls.clear();
  change(u"atual123", u"novo1234", u"novo1234");
  EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{u"18000: Código de ativação alterado"});
  EXPECT_TRUE(formDisabled());
  EXPECT_FALSE(page.CheckMudaCodigo.checked());
  EXPECT_FALSE(page.Checkemergencia.checked());
  EXPECT_EQ(page.LabelCodigo.text(), u"Digite o Código de Ativação atual:");
  EXPECT_EQ(page.LabelCodigo.font().color, ui::kDefaultColor);
  EXPECT_EQ(page.EdtCodigo.text(), u"");
  EXPECT_EQ(page.EdtNovoCodigo2.text(), u"");
}

TEST_F(CodeChangePage, AShortAnswerIsReportedAfterTheAuthorityStepAndKeepsTheFields) {
  for (const char* answer : {"1|18000", ""}) {
    dialogs.calls.clear();
    unlock();
    change(u"atual123", u"novo1234", u"novo1234", answer);
    EXPECT_TRUE(dialogs.messages().empty()) << answer;
    EXPECT_EQ(dialogs.texts(DialogKind::Unexpected).size(), 1u) << answer;
    EXPECT_EQ(page.EdtCodigo.text(), u"atual123") << answer;
    EXPECT_EQ(page.EdtNovoCodigo.text(), u"novo1234") << answer;
    EXPECT_TRUE(page.CheckMudaCodigo.checked()) << answer;
  }
}

}  // namespace
