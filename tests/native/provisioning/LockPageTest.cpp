#include <gtest/gtest.h>

#include "support/CodeOnlyPageFixture.h"

namespace {

using testing_support::DialogKind;

constexpr char16_t kDeactivationWarning[] =
    u"Atenção:\n\r"
    u"Verifique se após finalizar esta função o LED \"SAT Bloqueado\" está piscando.\n\r"
    u"Isto indica que o processo de DESATIVAÇÂO foi concluído na retaguarda da SEFAZ.\n\r"
    u"Para que o SAT recupere as configurações de fábrica você deve agora pressionar o botão "
    u"reset por 5 segundos.\n\r"
    u"Por favor aguarde.\n\r"
    u"Esta função pode demorar alguns minutos.\n\n\r"
    u"Clique OK para continuar.";

class LockPage : public testing_support::CodeOnlyPageFixture {};

TEST_F(LockPage, LockUnlockAndDeactivationRunTheSameSequence) {
  provisioning::LockPage& page = main.TabBloq;
  expectTheSequence({
      {"lock", main.BtnBloquearSAT, page.EdtCodAtiv6, page.BitBloquSAT,
       satlib::EntryPoint::BloquearSAT, page::kLockPage, false},
      {"unlock", main.BtnBloquearSAT, page.EdtCodAtiv6, page.BitBtn5,
       satlib::EntryPoint::DesbloquearSAT, page::kLockPage, false},
      {"deactivate", main.BtnBloquearSAT, page.EdtCodAtiv6, page.BitDesatSAT,
       satlib::EntryPoint::BloquearSAT, page::kLockPage, true},
  });
  EXPECT_TRUE(page.BitBtn5.isDefault) << "Enter in the code field unlocks";
  EXPECT_FALSE(page.BitBloquSAT.isDefault);
  EXPECT_FALSE(page.BitDesatSAT.isDefault);
}

TEST_F(LockPage, DeactivationWarnsFirstAndCancelKeepsTheCode) {
  user([&] { main.BtnBloquearSAT.click(); });
  main.TabBloq.EdtCodAtiv6.setTextFromUser(u"12345678");
  dialogs.confirmAnswers = {false};
  user([&] { main.TabBloq.BitDesatSAT.click(); });
  EXPECT_EQ(dialogs.texts(DialogKind::Confirm), std::vector<std::u16string>{kDeactivationWarning});
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_TRUE(library.calls.empty());
  EXPECT_EQ(main.TabBloq.EdtCodAtiv6.text(), u"12345678");
}

}  // namespace
