// The activation-code prompt as the "Status" button opens it: the close box
// cancels, the field hides and limits what is typed, Enter confirms and the
// status page is shown either way.
#include <windows.h>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

class CodePrompt : public QuorvelTest {
 protected:
  HWND openPrompt(HWND main) {
    click(control(main, "BitBtnStatus"));
    return waitForWindow(kPromptCaption);
  }
};

TEST_F(CodePrompt, CloseCancelsAndEnterConfirms) {
  start(DeviceLibrary::Emulator);
  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);

  HWND prompt = openPrompt(main);
  ASSERT_TRUE(prompt);
  close(prompt);
  ASSERT_TRUE(waitUntilClosed(kPromptCaption));
  EXPECT_TRUE(waitForPage(main, "TabStatus"));
  // A cancelled prompt sends nothing: no session number, no answer, no message.
  EXPECT_EQ(toUtf8(controlText(main, "Edit1")), "");
  EXPECT_EQ(toUtf8(controlText(main, "StatusBar")), "");
  EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();

  prompt = openPrompt(main);
  ASSERT_TRUE(prompt);
  EXPECT_EQ(clientSize(prompt).cx, 372);
  EXPECT_EQ(clientSize(prompt).cy, 90);
  HWND edit = control(prompt, "EdtCodigo");
  ASSERT_TRUE(edit);
  EXPECT_EQ(textLength(edit), 0) << "the prompt kept the text of its last opening";
  DWORD_PTR passwordChar = 0;
  SendMessageTimeoutW(edit, EM_GETPASSWORDCHAR, 0, 0, SMTO_ABORTIFHUNG, 5000, &passwordChar);
  EXPECT_EQ(passwordChar, static_cast<DWORD_PTR>(L'*'));

  type(edit, L"1234567890123456789012345678901234567890");
  EXPECT_TRUE(pollFor([&] { return textLength(edit) == 32; }))
      << "the field holds " << textLength(edit) << " characters after typing 40";
  screenshot(prompt, L"prompt.png");
  EXPECT_EQ(textLength(edit), 32);

  pressEnter(edit);
  ASSERT_TRUE(waitUntilClosed(kPromptCaption)) << "Enter did not confirm the prompt";
  EXPECT_TRUE(waitForPage(main, "TabStatus"));
  EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
}

}  // namespace
}  // namespace e2e
