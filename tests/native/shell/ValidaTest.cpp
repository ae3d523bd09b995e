#include <gtest/gtest.h>

#include "support/ProgramFixture.h"

namespace {

using testing_support::ProgramFixture;

class Valida : public ProgramFixture {
 protected:
  Valida() { program.start(); }
  // Opens the prompt as its callers do.
  void ask() {
    program.prompt.CodigoDigitado.clear();
    user([&] { dialogs.showModal(program.valida); });
  }
};

TEST_F(Valida, ConfirmingGivesTheTrimmedCode) {
  dialogs.whenShown["TFValida"] = [&](ui::Form&) {
    program.valida.EdtCodigo.setTextFromUser(u"  abcdefgh\t");
    program.valida.BtnTrocarCod.click();
  };
  ask();
  EXPECT_EQ(program.prompt.CodigoDigitado, u"abcdefgh");
  EXPECT_EQ(program.prompt.DialogoCancelado, 0);
}

TEST_F(Valida, ClosingCancelsAndAnEmptyConfirmIsAccepted) {
  dialogs.whenShown["TFValida"] = [&](ui::Form&) {
    program.valida.EdtCodigo.setTextFromUser(u"12345678");
  };
  ask();  // left open: the close box closes it
  EXPECT_EQ(program.prompt.DialogoCancelado, 1);
  EXPECT_EQ(program.prompt.CodigoDigitado, u"");

  dialogs.whenShown["TFValida"] = [&](ui::Form&) {
    EXPECT_EQ(program.valida.EdtCodigo.text(), u"") << "opening again shows an empty field";
    program.valida.BtnTrocarCod.click();
  };
  ask();
  EXPECT_EQ(program.prompt.DialogoCancelado, 0);
  EXPECT_EQ(program.prompt.CodigoDigitado, u"");
}

TEST_F(Valida, FieldIsMaskedLimitedAndEnterConfirms) {
  const auto& edit = program.valida.EdtCodigo;
  EXPECT_EQ(edit.passwordChar(), u'*');
  EXPECT_EQ(edit.maxLength(), 32);
  program.valida.EdtCodigo.setTextFromUser(std::u16string(40, u'x'));
  EXPECT_EQ(edit.text().size(), 32u);
  EXPECT_TRUE(program.valida.BtnTrocarCod.isDefault);
  EXPECT_TRUE(program.valida.stayOnTop);
  EXPECT_EQ(program.valida.text(), u"SAT - MIREL (Valida Cód. Ativação)");
}

}  // namespace
