// The test dialog's "Arquivo" through the real program and file dialog: the
// choice outlives the dialog, so the production test after one sent from a
// file finds the stored signature in the box and sends it as the signature;
// a file without a signature is refused before the device is called.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

constexpr wchar_t kStoredSignature[] = L"U2lnbmF0dXJl";

class SignatureByFile : public QuorvelTest {
 protected:
  // Stores kStoredSignature on the association page, as a user does before
  // any production test.
  void associateOnItsPage() {
    click(control(main_, "BtnAssocAssin"));
    ASSERT_TRUE(waitForPage(main_, "TabAssocAss"));
    typeInto(main_, "EdtCNPJContrib2", L"11222333000181");
    typeInto(main_, "EdtCodAtiv3", kActivationCode);
    typeInto(main_, "EdtCNPJSw", L"11222333000009");
    typeInto(main_, "EdtAssinatura", kStoredSignature);
    click(control(main_, "BitAssociar"));
    ASSERT_EQ(answerNextMessage(), L"13000: Assinatura do AC Registrada");
  }
  // Opens a production test up to its dialog, with the taxpayer typed in.
  HWND openProductionTest() {
    click(control(main_, "BtnTesteProducao"));
    confirmPrompt();
    HWND dialog = waitForWindow(kFimAFimCaption);
    if (dialog) typeInto(dialog, "EdtCNPJContrib2", L"11222333000181");
    return dialog;
  }
  void pickFile(HWND dialog, const wchar_t* name) {
    click(control(dialog, "Button3"));
    HWND files = waitForMessageBox().window;
    ASSERT_TRUE(files) << windowsOnScreen();
    chooseInFileDialog(files, folder_->file(name));
    ASSERT_TRUE(pollFor([&] {
      return controlText(dialog, "EdtAssinatura") == folder_->file(name).wstring();
    })) << toUtf8(controlText(dialog, "EdtAssinatura"));
  }
  // The signature the coupon in CFe.xml carries, once it is the expected one
  // (the file is written after the code's message is answered).
  std::string signatureInCoupon(std::string_view expected) {
    pollFor([&] { return signatureInCoupon() == expected; });
    return signatureInCoupon();
  }
  std::string signatureInCoupon() {
    const std::optional<std::string> coupon = folder_->read(L"CFe.xml");
    if (!coupon) return "no CFe.xml";
    const std::size_t start = coupon->find("<signAC>");
    const std::size_t end = coupon->find("</signAC>");
    if (start == std::string::npos || end < start) return *coupon;
    return coupon->substr(start + 8, end - start - 8);
  }
};

TEST_F(SignatureByFile, TwoProductionTestsInARowWithArquivo) {
  startActivated();
  folder_->write(L"outra.txt", "QUJD\r\nREVG\r\n");
  folder_->write(L"vazia.txt", "");
  associateOnItsPage();
  click(control(main_, "BtnTestefimafim"));
  ASSERT_TRUE(waitForPage(main_, "TabTeste"));

  // The first test sends the signature of the file picked for it.
  HWND dialog = openProductionTest();
  ASSERT_TRUE(dialog);
  typeInto(dialog, "EdtIEContrib", L"111222333444");
  pickRadio(control(dialog, "rgAssinatura"), 1);
  ASSERT_TRUE(pollFor([&] { return IsWindowVisible(control(dialog, "Button3")) != FALSE; }));
  pickFile(dialog, L"outra.txt");
  click(control(dialog, "BtnOk"));
  EXPECT_EQ(toUtf8(answerNextMessage()), "09000: Emitido com sucesso");
  EXPECT_EQ(signatureInCoupon("QUJDREVG"), "QUJDREVG");

  // The next one opens under "Arquivo" with the stored signature, which is
  // what it sends.
  dialog = openProductionTest();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(controlText(dialog, "LabelAssinatura"), L"Arquivo");
  EXPECT_EQ(controlText(dialog, "EdtAssinatura"), kStoredSignature);
  screenshot(dialog, L"dialog-TFFimAFim-arquivo-refilled.png");
  click(control(dialog, "BtnOk"));
  EXPECT_EQ(toUtf8(answerNextMessage()), "09000: Emitido com sucesso");
  EXPECT_EQ(signatureInCoupon(toUtf8(kStoredSignature)), toUtf8(kStoredSignature));

  // An empty file is a blank signature: refused, and the device not called.
  const std::wstring lastSession = controlText(main_, "Edit1");
  dialog = openProductionTest();
  ASSERT_TRUE(dialog);
  pickFile(dialog, L"vazia.txt");
  click(control(dialog, "BtnOk"));
  EXPECT_EQ(toUtf8(answerNextMessage()), "Assinatura não pode estar em branco.");
  EXPECT_EQ(controlText(main_, "Edit1"), lastSession) << "no command ran";
  EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
}

}  // namespace
}  // namespace e2e
