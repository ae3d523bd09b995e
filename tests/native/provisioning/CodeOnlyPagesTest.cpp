// The lock page (lock, unlock, deactivation) and the software update page run
// the same sequence: a code of their own field, the log page's text emptied
// once the code passed, the code field cleared after every attempt.
#include <gtest/gtest.h>

#include "platform/Text.h"
#include "support/ProgramFixture.h"

namespace {

using testing_support::DialogKind;
using testing_support::ProgramFixture;

constexpr char16_t kCodigoCurto[] = u"Código de Ativação deve ter no mínimo 8 caracteres.";
constexpr char16_t kAviso[] =
    u"Atenção:\n\r"
    u"Verifique se após finalizar esta função o LED \"SAT Bloqueado\" está piscando.\n\r"
    u"Isto indica que o processo de DESATIVAÇÂO foi concluído na retaguarda da SEFAZ.\n\r"
    u"Para que o SAT recupere as configurações de fábrica você deve agora pressionar o botão "
    u"reset por 5 segundos.\n\r"
    u"Por favor aguarde.\n\r"
    u"Esta função pode demorar alguns minutos.\n\n\r"
    u"Clique OK para continuar.";

class CodeOnlyPages : public ProgramFixture {
 protected:
  CodeOnlyPages() { program.start(); }

  struct Case {
    const char* name;
    ui::Button& sideButton;
    ui::Edit& code;
    ui::Button& button;
    satlib::EntryPoint entry;
    page::PageIndex page;
    bool confirms;
  };
  std::vector<Case> cases() {
    return {
        {"lock", main.BtnBloquearSAT, main.TabBloq.EdtCodAtiv6, main.TabBloq.BitBloquSAT,
         satlib::EntryPoint::BloquearSAT, page::kPaginaBloqueio, false},
        {"unlock", main.BtnBloquearSAT, main.TabBloq.EdtCodAtiv6, main.TabBloq.BitBtn5,
         satlib::EntryPoint::DesbloquearSAT, page::kPaginaBloqueio, false},
        {"deactivate", main.BtnBloquearSAT, main.TabBloq.EdtCodAtiv6, main.TabBloq.BitDesatSAT,
         satlib::EntryPoint::BloquearSAT, page::kPaginaBloqueio, true},
        {"update", main.BitAtualizaSW, main.TavAtualizaSW.EdtCodAtiv7,
         main.TavAtualizaSW.BtnAtualizarSW, satlib::EntryPoint::AtualizarSoftwareSAT,
         page::kPaginaAtualizacao, false},
    };
  }
  void open(const Case& c) {
    main.PageControl.setActivePageIndex(page::kPaginaPrincipal);
    c.code.setText(u"left over");
    user([&] { c.sideButton.click(); });
  }
  void press(const Case& c, std::u16string code, const std::string& answer) {
    c.code.setTextFromUser(std::move(code));
    main.TabLog.MemoLogs.setText(u"log extraído");
    library.answers = {answer};
    if (c.confirms) dialogs.confirmAnswers = {true};
    user([&] { c.button.click(); });
  }
};

TEST_F(CodeOnlyPages, SideButtonsClearTheCodeAndFocusIt) {
  for (const Case& c : cases()) {
    open(c);
    EXPECT_EQ(main.PageControl.activePageIndex(), c.page) << c.name;
    EXPECT_EQ(c.code.text(), u"") << c.name;
    EXPECT_EQ(focused(), &c.code) << c.name;
  }
  EXPECT_TRUE(main.TabBloq.BitBtn5.isDefault) << "Enter in the code field unlocks";
  EXPECT_FALSE(main.TabBloq.BitBloquSAT.isDefault);
  EXPECT_TRUE(main.TavAtualizaSW.BtnAtualizarSW.isDefault);
}

TEST_F(CodeOnlyPages, SendTheTrimmedCodeAndShowTheAnswer) {
  for (const Case& c : cases()) {
    open(c);
    library.calls.clear();
    const struct {
      const char* answer;
      const char16_t* shown;
    } answers[] = {{"1|16000|SAT bloqueado||", u"16000: SAT bloqueado"},
                   {"1|16001|Código inválido||", u"16001: Código inválido"},
                   {"1|16001", nullptr}};
    for (const auto& [answer, shown] : answers) {
      dialogs.calls.clear();
      press(c, u"  12345678 ", answer);
      ASSERT_EQ(library.calls.size(), 1u) << c.name;
      EXPECT_EQ(library.calls[0].entry, c.entry) << c.name;
      EXPECT_EQ(library.calls[0].arguments[1], "12345678") << c.name;
      EXPECT_EQ(dialogs.messages(),
                shown ? std::vector<std::u16string>{shown} : std::vector<std::u16string>{})
          << c.name;
      EXPECT_EQ(main.TabLog.MemoLogs.text(), u"") << c.name << ": the log text goes";
      EXPECT_EQ(c.code.text(), u"") << c.name;
      library.calls.clear();
    }
  }
}

TEST_F(CodeOnlyPages, AShortCodeKeepsTheLogAndClearsTheCode) {
  for (const Case& c : cases()) {
    open(c);
    dialogs.calls.clear();
    press(c, u" 1234567 ", "unused");
    EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{kCodigoCurto}) << c.name;
    EXPECT_EQ(dialogs.texts(DialogKind::Confirm).size(), c.confirms ? 1u : 0u) << c.name;
    EXPECT_EQ(main.TabLog.MemoLogs.text(), u"log extraído") << c.name;
    EXPECT_EQ(c.code.text(), u"") << c.name;
  }
  EXPECT_TRUE(library.calls.empty());
}

TEST_F(CodeOnlyPages, DeactivationWarnsFirstAndCancelKeepsTheCode) {
  open(cases()[2]);
  main.TabBloq.EdtCodAtiv6.setTextFromUser(u"12345678");
  dialogs.confirmAnswers = {false};
  user([&] { main.TabBloq.BitDesatSAT.click(); });
  EXPECT_EQ(dialogs.texts(DialogKind::Confirm), std::vector<std::u16string>{kAviso});
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_TRUE(library.calls.empty());
  EXPECT_EQ(main.TabBloq.EdtCodAtiv6.text(), u"12345678");
}

}  // namespace
