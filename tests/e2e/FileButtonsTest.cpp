// The two "..." buttons through the system's real file dialogs: the
// signature file chosen on the association page is read and sent, and the
// log is saved under the name chosen for it, with ".txt" added.
#include <windows.h>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

class FileButtons : public QuorvelTest {
 protected:
  // The file dialog the button opens: the first dialog box on the screen.
  HWND openFileDialog(const char* button) {
    click(control(main_, button));
    return waitForMessageBox().window;
  }
};

TEST_F(FileButtons, TheSignatureFileChosenInTheDialogIsSent) {
  startActivated();
  folder_->write(L"assinatura.txt", "QUJD\r\nREVG\r\nR0hJ\r\n");
  click(control(main_, "BtnAssocAssin"));
  ASSERT_TRUE(waitForPage(main_, "TabAssocAss"));
  typeInto(main_, "EdtCNPJContrib2", L"11222333000181");
  typeInto(main_, "EdtCodAtiv3", kActivationCode);
  typeInto(main_, "EdtCNPJSw", L"11222333000009");
  pickRadio(control(main_, "rgAssinatura"), 1);
  ASSERT_TRUE(pollFor([&] { return IsWindowVisible(control(main_, "Button3")) != FALSE; }));

  HWND dialog = openFileDialog("Button3");
  ASSERT_TRUE(dialog);
  chooseInFileDialog(dialog, folder_->file(L"assinatura.txt"));
  ASSERT_TRUE(pollFor([&] {
    return controlText(main_, "EdtAssinatura") == folder_->file(L"assinatura.txt").wstring();
  })) << toUtf8(controlText(main_, "EdtAssinatura"));
  click(control(main_, "BitAssociar"));
  EXPECT_EQ(answerNextMessage(), L"QUJDREVGR0hJ") << "the file's lines joined";
  EXPECT_EQ(answerNextMessage(), L"13000: Assinatura do AC Registrada");
}

TEST_F(FileButtons, TheLogIsSavedUnderTheChosenNameWithTxtAdded) {
  startActivated();
  click(control(main_, "BitLogs"));
  confirmPrompt();
  ASSERT_TRUE(pollFor([&] { return !controlText(main_, "MemoLogs").empty(); }));

  HWND dialog = openFileDialog("BtnLog1");
  ASSERT_TRUE(dialog);
  screenshot(dialog, L"dialog-save-log.png");
  chooseInFileDialog(dialog, folder_->file(L"log-do-sat"));
  const std::wstring saved = folder_->file(L"log-do-sat.txt").wstring();
  ASSERT_TRUE(pollFor([&] { return controlText(main_, "EdtLogs") == saved; }))
      << toUtf8(controlText(main_, "EdtLogs"));
  click(control(main_, "BtnLog2"));
  EXPECT_EQ(answerNextMessage(), L"Arquivo " + saved + L" salvo com sucesso");
  const std::optional<std::string> log = folder_->read(L"log-do-sat.txt");
  ASSERT_TRUE(log);
  EXPECT_NE(log->find("|SAT|"), std::string::npos);
}

}  // namespace
}  // namespace e2e
