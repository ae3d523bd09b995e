// What a hurried technician meets at the counter: every label of the
// activation page readable, the home page's state after a query that got no
// answer, and the keys a Windows user presses without thinking (Esc, Ctrl+F,
// F3) doing what they do elsewhere.
#include <windows.h>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

class AtTheCounter : public QuorvelTest {
 protected:
};

TEST_F(AtTheCounter, EveryLabelOfTheActivationPageIsReadable) {
  start(DeviceLibrary::Emulator);
  main_ = waitForMainWindow();
  ASSERT_TRUE(main_);
  click(control(main_, "BtnAtivacao"));
  ASSERT_TRUE(waitForPage(main_, "TabAtivar"));
  HWND cnpjLabel = control(main_, "LabelCNPJContrib");
  HWND stateLabel = control(main_, "LabelUF");
  EXPECT_EQ(windowText(stateLabel), L"UF:");
  EXPECT_TRUE(IsWindowVisible(stateLabel));
  RECT cnpj;
  RECT state;
  RECT both;
  GetWindowRect(cnpjLabel, &cnpj);
  GetWindowRect(stateLabel, &state);
  EXPECT_FALSE(IntersectRect(&both, &cnpj, &state)) << "\"CNPJ do Contribuinte:\" covers \"UF:\"";
  screenshot(main_, L"counter-TabAtivar.png");
}

TEST_F(AtTheCounter, AQueryWithoutAnAnswerShowsTheDeviceInoperative) {
  startActivated();
  click(control(main_, "BtnPrincipal"));
  ASSERT_TRUE(pollFor([&] { return controlText(main_, "lbloperante") == L"SAT em operação"; }));

  ASSERT_EQ(knobs_->set({"knobs.answer", "crash"}), "");
  click(control(main_, "BtnPrincipal"));
  answerNextMessage();
  EXPECT_EQ(controlText(main_, "lbloperante"), L"SAT inoperante");

  ASSERT_EQ(knobs_->set({"knobs.answer", "normal"}), "");
  click(control(main_, "BtnPrincipal"));
  ASSERT_TRUE(pollFor([&] { return controlText(main_, "lbloperante") == L"SAT em operação"; }));
  ASSERT_EQ(knobs_->answerEmpty(true), "");
  click(control(main_, "BtnPrincipal"));
  answerNextMessage();
  EXPECT_EQ(controlText(main_, "lbloperante"), L"SAT inoperante");
  screenshot(main_, L"counter-TabMirel-inoperante.png");
}

TEST_F(AtTheCounter, CtrlFWithAButtonFocusedFindsInTheListingAndEscClosesFind) {
  startActivated();
  click(control(main_, "BitBtnStatus"));
  confirmPrompt();
  ASSERT_TRUE(pollFor([&] {
    return controlText(main_, "MemoStatus").find(L"ESTADO_OPERACAO") != std::wstring::npos;
  }));
  HWND focus = focusedWindow(main_);
  ASSERT_TRUE(focus);
  ASSERT_NE(focus, control(main_, "MemoStatus")) << "the focus is on a button after a listing";

  PostMessageW(focus, WM_CHAR, 0x06, 1);  // ^F, what Ctrl+F types
  HWND find = nullptr;
  ASSERT_TRUE(pollFor([&] { return (find = ownedDialog(main_)) != nullptr; })) << windowsOnScreen();
  PostMessageW(GetDlgItem(find, 0x480), WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(pollFor([&] { return ownedDialog(main_) == nullptr; })) << "Esc leaves Find open";
  EXPECT_TRUE(IsWindowVisible(main_));
}

TEST_F(AtTheCounter, EscCancelsTheTestDialogWithoutCallingTheDevice) {
  startActivated();
  click(control(main_, "BtnTestefimafim"));
  ASSERT_TRUE(waitForPage(main_, "TabTeste"));
  click(control(main_, "BtnTesteAtivacao"));
  confirmPrompt();
  HWND dialog = waitForWindow(kFimAFimCaption);
  ASSERT_TRUE(dialog);
  HWND cnpj = control(dialog, "EdtCNPJContrib2");
  clickWithMouse(cnpj);
  PostMessageW(cnpj, WM_KEYDOWN, VK_ESCAPE, 1);
  EXPECT_TRUE(waitUntilClosed(kFimAFimCaption));
  EXPECT_EQ(controlText(main_, "MemoCFe"), L"") << "no test ran";
  EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
}

}  // namespace
}  // namespace e2e
