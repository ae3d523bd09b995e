#include <gtest/gtest.h>

#include "platform/Text.h"
#include "support/ProgramFixture.h"

namespace {

using testing_support::DialogKind;
using testing_support::ProgramFixture;

constexpr char16_t kCodeTooShort[] = u"Código de Ativação deve ter no mínimo 8 caracteres.";
constexpr char16_t kLongWaitConfirmation[] =
    u"Por favor aguarde.\n\rEsta função pode demorar alguns minutos.\n\n\rClique OK para "
    u"continuar.";
constexpr int kSP = 25;

class ActivationPage : public ProgramFixture {
 protected:
  ActivationPage() : page(main.TabAtivar) { program.start(); }

  void open() {
    user([&] { main.BtnAtivacao.click(); });
  }
  void fill(std::u16string code, std::u16string confirmation, std::u16string cnpj, int state) {
    page.EdtCodAtiv2.setTextFromUser(std::move(code));
    page.EdtCodAtiv2Conf.setTextFromUser(std::move(confirmation));
    page.EdtCNPJContrib.setTextFromUser(std::move(cnpj));
    page.cbo.setItemIndexFromUser(state);
  }
  void activate() {
    user([&] { page.BtnAtivar.click(); });
  }

  provisioning::ActivationPage& page;
};

TEST_F(ActivationPage, LoadsCnpjAndStateFromTheRecord) {
  open();
  EXPECT_EQ(main.PageControl.activePageIndex(), page::kActivationPage);
  EXPECT_EQ(focused(), &page.EdtCodAtiv2);
  EXPECT_EQ(page.cbo.itemIndex(), -1) << "the default record's 35 is no position in the table";
  EXPECT_EQ(page.cbo.items().size(), 27u);
  EXPECT_EQ(page.rgTipoCert.itemIndex(), 0);
  EXPECT_FALSE(page.rgTipoCert.enabled());

  storeSettings({{"CNPJContribuinte", u"11222333000181"}, {"uf", u"25"}});
  page.EdtCodAtiv2.setText(u"left over");
  user([&] { main.BtnPrincipal.click(); });
  open();
  EXPECT_EQ(page.EdtCNPJContrib.text(), u"11222333000181");
  EXPECT_EQ(page.cbo.items()[page.cbo.itemIndex()], u"SP");
  EXPECT_EQ(page.EdtCodAtiv2.text(), u"");
}

TEST_F(ActivationPage, AStateThatIsNoNumberIsReportedInPortugueseAndThePageNotShown) {
  storeSettings({{"uf", u"SP"}});
  open();
  ASSERT_EQ(dialogs.texts(DialogKind::Unexpected).size(), 1u);
  EXPECT_NE(dialogs.texts(DialogKind::Unexpected)[0].find(u"número inteiro"), std::u16string::npos);
  EXPECT_EQ(main.PageControl.activePageIndex(), page::kHomePage);
}

TEST_F(ActivationPage, ChecksRunInOrderAndTheFirstFailureEndsTheActivation) {
  const ui::Control* code = &page.EdtCodAtiv2;
  const ui::Control* confirmation = &page.EdtCodAtiv2Conf;
  const struct {
    const char16_t* code;
    const char16_t* confirmation;
    const char16_t* cnpj;
    int state;
    const char16_t* message;
    const ui::Control* focus;
    const char16_t* codeAfter;
    const char16_t* confirmationAfter;
  } cases[] = {
      {u" 1234567 ", u"12345678", u"x", -1, kCodeTooShort, code, u"", u"12345678"},
      {u"12345678", u" 1234567 ", u"x", -1, kCodeTooShort, confirmation, u"12345678", u""},
      {u"abcdefgh", u"ABCDEFGH", u"x", -1, u"Erro na confirmação do Código de Ativação.", code, u"",
       u""},
      {u"12345678", u"12345678", u"11222333000182", kSP, u"CNPJ inválido.", &page.EdtCNPJContrib,
       u"12345678", u"12345678"},
      {u"12345678", u"12345678", u"00000000000000", kSP, u"CNPJ inválido.", &page.EdtCNPJContrib,
       u"12345678", u"12345678"},
      {u"12345678", u" 12345678 ", u"11222333000181", -1, u"UF inválida.", &page.cbo, u"12345678",
       u" 12345678 "},
  };
  open();
  const std::string fileBefore = parametersFile();
  std::vector<std::u16string> codesBehindMessage;
  dialogs.whileMessageShows = [&](const std::u16string&) {
    codesBehindMessage = {page.EdtCodAtiv2.text(), page.EdtCodAtiv2Conf.text()};
  };
  for (const auto& c : cases) {
    dialogs.calls.clear();
    fill(c.code, c.confirmation, c.cnpj, c.state);
    activate();
    EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{c.message}) << dialogs.describe();
    EXPECT_EQ(focused(), c.focus) << platform::toUtf8(c.message);
    EXPECT_EQ(codesBehindMessage, (std::vector<std::u16string>{c.code, c.confirmation}))
        << platform::toUtf8(c.message) << ": the message shows over what was typed";
    EXPECT_EQ(page.EdtCodAtiv2.text(), c.codeAfter);
    EXPECT_EQ(page.EdtCodAtiv2Conf.text(), c.confirmationAfter);
  }
  EXPECT_TRUE(dialogs.texts(DialogKind::Confirm).empty());
  EXPECT_TRUE(library.calls.empty());
  EXPECT_EQ(parametersFile(), fileBefore) << "nothing is stored before every check passed";
}

TEST_F(ActivationPage, CancelledConfirmationKeepsCnpjAndStateStored) {
  open();
  fill(u"12345678", u"12345678", u"11222333000181", kSP);
  dialogs.confirmAnswers = {false};
  activate();
  EXPECT_EQ(dialogs.texts(DialogKind::Confirm), std::vector<std::u16string>{kLongWaitConfirmation});
  EXPECT_TRUE(library.calls.empty());
  EXPECT_EQ(page.EdtCodAtiv2.text(), u"");
  EXPECT_EQ(page.EdtCodAtiv2Conf.text(), u"");
  EXPECT_EQ(focused(), &page.EdtCodAtiv2);
  EXPECT_NE(parametersFile().find("CNPJContribuinte=\"11222333000181\""), std::string::npos);
  EXPECT_NE(parametersFile().find("uf=\"25\""), std::string::npos);
}

TEST_F(ActivationPage, SendsTheStatesIbgeCodeWithSubCommandOne) {
  const struct {
    int state;
    const char* stored;
    const char* cUF;
  } cases[] = {{kSP, "25", "35"}, {0, "0", "12"}, {26, "26", "17"}};
  open();
  for (const auto& c : cases) {
    library.calls.clear();
    fill(u"  segredo1 ", u"segredo1", u"11222333000181", c.state);
    dialogs.confirmAnswers = {true};
    library.answers = {"1|04000|Ativado||"};
    activate();
    ASSERT_EQ(library.calls.size(), 1u);
    const auto& sent = library.calls[0].arguments;
    EXPECT_EQ(library.calls[0].entry, satlib::EntryPoint::AtivarSAT);
    EXPECT_EQ(sent[1], "1");
    EXPECT_EQ(sent[2], "segredo1");
    EXPECT_EQ(sent[3], "11222333000181");
    EXPECT_EQ(sent[4], c.cUF);
    EXPECT_EQ(platform::toUtf8(program.cds.readText("uf")), c.stored);
    EXPECT_EQ(page.EdtCodAtiv2.text(), u"  segredo1 ") << "the code edits keep their text";
  }
}

TEST_F(ActivationPage, ReactsToTheAnswer) {
  const struct {
    const char* answer;
    std::vector<std::u16string> messages;
    std::size_t unexpected;
  } cases[] = {
      {"1|04000|Ativado||",
       {u"SAT Ativado corretamente, faltando associá-lo ao Aplic. Comercial."},
       0},
      {"1|04000", {u"SAT Ativado corretamente, faltando associá-lo ao Aplic. Comercial."}, 0},
      {"1|04003|SAT já ativado||", {u"04003: SAT já ativado"}, 0},
      {"1|04002", {}, 0},
      {"", {}, 1},
  };
  open();
  for (const auto& c : cases) {
    dialogs.calls.clear();
    fill(u"12345678", u"12345678", u"11222333000181", kSP);
    dialogs.confirmAnswers = {true};
    library.answers = {c.answer};
    activate();
    EXPECT_EQ(dialogs.messages(), c.messages) << c.answer;
    EXPECT_EQ(dialogs.texts(DialogKind::Unexpected).size(), c.unexpected) << c.answer;
  }
}

}  // namespace
