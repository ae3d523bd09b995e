// The device query from both of its buttons against the emulator: the state
// text, the answer in the status bar, the session number in Edit1, the
// authority's message, and a broken answer that the program survives.
#include <iostream>

#include "Polling.h"
#include "QuorvelTest.h"
#include "Screenshot.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

constexpr std::wstring_view kInOperation = L"SAT em operação";
constexpr std::wstring_view kOutOfOperation = L"SAT inoperante";
constexpr std::wstring_view kWaitText = L"Aguardando retorno do SAT ...";

class DeviceQuery : public QuorvelTest {
 protected:
  // Waits for the query's outcome: the state text shown, the answer with the
  // expected return code in the status bar, beginning with the session
  // number that Edit1 holds.
  void expectOutcome(HWND main, std::wstring_view stateText, std::wstring_view returnCode) {
    auto reached = [&] {
      HWND state = findControl(main, "lbloperante");
      const std::wstring status = controlText(main, "StatusBar");
      const std::wstring session = controlText(main, "Edit1");
      return state && IsWindowVisible(state) && windowText(state) == stateText &&
             isSixDigits(session) && status.starts_with(session + L"|") &&
             status.find(L"|" + std::wstring(returnCode) + L"|") != std::wstring::npos;
    };
    EXPECT_TRUE(pollFor(reached)) << "expected \"" << toUtf8(stateText) << "\" after "
                                  << toUtf8(returnCode) << "; lbloperante \""
                                  << toUtf8(controlText(main, "lbloperante")) << "\", status \""
                                  << toUtf8(controlText(main, "StatusBar")) << "\", Edit1 \""
                                  << toUtf8(controlText(main, "Edit1")) << "\"\n"
                                  << windowsOnScreen();
    EXPECT_TRUE(waitForPage(main, "TabMirel"));
    EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
  }

  void forceAnswer(const std::string& answer) { ASSERT_EQ(knobs_->forceAnswer(answer), ""); }
};

TEST_F(DeviceQuery, BothButtonsShowTheDeviceState) {
  start(DeviceLibrary::Emulator);
  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);
  const struct {
    const char* button;
    std::wstring shot;
  } buttons[] = {{"BtnPrincipal", L"query-"}, {"BitBtn6", L"query-BitBtn6-"}};
  for (const auto& [button, shot] : buttons) {
    SCOPED_TRACE(button);
    forceAnswer("{sessao}|08098|SAT bloqueado");
    click(control(main, button));
    expectOutcome(main, kOutOfOperation, L"08098");
    screenshot(main, shot + L"red.png");

    click(control(main, button));
    expectOutcome(main, kInOperation, L"08000");
    screenshot(main, shot + L"green.png");
  }
}

TEST_F(DeviceQuery, AuthorityCodeOpensItsWindow) {
  start(DeviceLibrary::Emulator);
  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);
  forceAnswer("123456|08000|SAT em operacao|0|Mensagem da SEFAZ");
  click(control(main, "BtnPrincipal"));
  HWND sefaz = waitForWindow(kSefazCaption);
  ASSERT_TRUE(sefaz);
  EXPECT_EQ(clientSize(sefaz).cx, 447);
  EXPECT_EQ(clientSize(sefaz).cy, 129);
  // The memo fills the window.
  RECT memoBox{};
  GetWindowRect(control(sefaz, "MemoSefaz"), &memoBox);
  EXPECT_EQ(memoBox.right - memoBox.left, 447);
  EXPECT_EQ(memoBox.bottom - memoBox.top, 129);
  const std::wstring memo = controlText(sefaz, "MemoSefaz");
  EXPECT_NE(memo.find(L"Código: 0"), std::wstring::npos) << toUtf8(memo);
  EXPECT_NE(memo.find(L"Mensagem da SEFAZ"), std::wstring::npos) << toUtf8(memo);
  screenshot(sefaz, L"sefaz.png");
  // Esc closes it, and Enter the next time.
  const LPARAM escape = static_cast<LPARAM>(MapVirtualKeyW(VK_ESCAPE, MAPVK_VK_TO_VSC)) << 16 | 1;
  PostMessageW(control(sefaz, "MemoSefaz"), WM_KEYDOWN, VK_ESCAPE, escape);
  EXPECT_TRUE(waitUntilClosed(kSefazCaption));
  EXPECT_EQ(toUtf8(controlText(main, "lbloperante")), toUtf8(kInOperation));
  forceAnswer("123456|08000|SAT em operacao|0|Mensagem da SEFAZ");
  click(control(main, "BtnPrincipal"));
  sefaz = waitForWindow(kSefazCaption);
  ASSERT_TRUE(sefaz);
  pressEnter(control(sefaz, "MemoSefaz"));
  EXPECT_TRUE(waitUntilClosed(kSefazCaption));
}

// The page control has the focus when the window opens: Enter runs nothing.
TEST_F(DeviceQuery, EnterRightAfterStartRunsNothing) {
  start(DeviceLibrary::Emulator);
  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);
  EXPECT_TRUE(pollFor([&] { return focusedWindow(main) == control(main, "PageControl"); }))
      << "the focus is on control " << GetDlgCtrlID(focusedWindow(main));
  pressEnter(control(main, "PageControl"));
  Sleep(1000);
  EXPECT_EQ(knobs_->linesContaining("referente função ConsultarSAT"), 0);
  EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
}

// While the device works the window shows the wait text, keeps answering
// and painting, and takes no input; the answer is shown as before.
TEST_F(DeviceQuery, TheWindowStaysAliveWhileTheDeviceWorks) {
  start(DeviceLibrary::Emulator);
  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);
  HWND status = control(main, "StatusBar");
  ASSERT_FALSE(showsTextOnTheLeft(status)) << "the status bar is empty after start";
  ASSERT_EQ(knobs_->slowNextCall(6000), "");
  click(control(main, "BtnPrincipal"));
  EXPECT_TRUE(pollFor([&] { return controlText(main, "StatusBar") == kWaitText; },
                      std::chrono::milliseconds(3000)));
  EXPECT_TRUE(pollFor([&] { return showsTextOnTheLeft(status); }, std::chrono::milliseconds(3000)))
      << "no wait text on the screen while the device works";
  EXPECT_EQ(saveScreenshot(main, L"query-waiting.png"), "");

  // Painted again after being spoilt, answering, deaf to clicks.
  InvalidateRect(main, nullptr, TRUE);
  EXPECT_TRUE(pollFor([&] { return !GetUpdateRect(main, nullptr, FALSE); },
                      std::chrono::milliseconds(2000)))
      << "the window was not repainted during the call";
  DWORD_PTR ignored = 0;
  EXPECT_TRUE(SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 1000, &ignored))
      << "the window does not answer during the call";
  clickWithMouse(control(main, "BtnConfRede"));
  close(main);
  Sleep(300);
  EXPECT_EQ(controlText(main, "StatusBar"), kWaitText) << "the call is still running";
  EXPECT_TRUE(IsWindowVisible(control(main, "TabMirel"))) << "a click changed the page";

  expectOutcome(main, kInOperation, L"08000");
  EXPECT_TRUE(IsWindow(main)) << "the close box given during the call closed the program";
}

// Nothing can be done while the device works: clicks given meanwhile are
// dropped, not replayed as more queries once it has answered.
TEST_F(DeviceQuery, ClicksDuringTheCallAreDropped) {
  start(DeviceLibrary::Emulator);
  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);
  ASSERT_EQ(knobs_->slowNextCall(3000), "");
  click(control(main, "BtnPrincipal"));
  EXPECT_TRUE(pollFor([&] { return controlText(main, "StatusBar") == kWaitText; },
                      std::chrono::milliseconds(2500)))
      << "the query did not start";
  for (int i = 0; i < 3; ++i) clickWithMouse(control(main, "BitBtn6"));
  expectOutcome(main, kInOperation, L"08000");
  Sleep(1000);
  EXPECT_EQ(knobs_->linesContaining("referente função ConsultarSAT"), 1)
      << "a click given during the call ran later";
}

TEST_F(DeviceQuery, EmptyAnswerIsReportedAndTheProgramGoesOn) {
  start(DeviceLibrary::Emulator);
  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);
  ASSERT_EQ(knobs_->answerEmpty(true), "");
  click(control(main, "BtnPrincipal"));
  const MessageBoxSeen box = waitForMessageBox();
  ASSERT_TRUE(box.window);
  EXPECT_EQ(toUtf8(box.caption), toUtf8(kApplicationTitle));
  EXPECT_FALSE(box.text.empty());
  std::cout << "Report of the empty answer: " << toUtf8(box.text) << "\n";
  EXPECT_EQ(toUtf8(controlText(main, "lbloperante")), toUtf8(kOutOfOperation));
  screenshot(box.window, L"query-empty-answer.png");
  pressOk(box.window);

  ASSERT_EQ(knobs_->answerEmpty(false), "");
  click(control(main, "BtnPrincipal"));
  expectOutcome(main, kInOperation, L"08000");
}

// A crash inside the maker's library is reported and the program goes on.
TEST_F(DeviceQuery, AFaultInsideTheLibraryIsReported) {
  start(DeviceLibrary::Emulator);
  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);
  for (int attempt = 0; attempt < 2; ++attempt) {
    ASSERT_EQ(knobs_->set({"knobs.answer", "crash"}), "");
    click(control(main, "BtnPrincipal"));
    const MessageBoxSeen box = waitForMessageBox();
    ASSERT_TRUE(box.window);
    // What happened, then what to do.
    EXPECT_TRUE(box.text.starts_with(L"O SAT.DLL falhou ao executar ConsultarSAT.\r\n"))
        << toUtf8(box.text);
    EXPECT_NE(box.text.find(L"cabo conectado"), std::wstring::npos) << toUtf8(box.text);
    EXPECT_EQ(toUtf8(controlText(main, "StatusBar")), "") << "the wait text is gone";
    pressOk(box.window);
    pollFor([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); });
  }
  ASSERT_EQ(knobs_->set({"knobs.answer", "normal"}), "");
  click(control(main, "BtnPrincipal"));
  expectOutcome(main, kInOperation, L"08000");
}

// A long authority field once took the window tens of seconds to wrap; what
// it shows is cut, so it opens at once. The cut is what is checked; the time
// is printed, and only a window that never answers fails on it.
TEST_F(DeviceQuery, ALongAuthorityMessageOpensAtOnce) {
  start(DeviceLibrary::Emulator);
  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);
  forceAnswer("{sessao}|08000|ok|1|" + std::string(30000, 'x'));
  const auto started = std::chrono::steady_clock::now();
  click(control(main, "BtnPrincipal"));
  HWND sefaz = waitForWindow(kSefazCaption);
  ASSERT_TRUE(sefaz);
  DWORD_PTR ignored = 0;
  EXPECT_TRUE(SendMessageTimeoutW(sefaz, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored));
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - started);
  std::cout << "The authority window with a 30000-character message answered after "
            << elapsed.count() << " ms\n";
  EXPECT_LT(controlText(sefaz, "MemoSefaz").size(), 4100u);
  close(sefaz);
  EXPECT_TRUE(waitUntilClosed(kSefazCaption));
}

TEST_F(DeviceQuery, WorksWithTheCdeclLibrary) {
  start(DeviceLibrary::CdeclEmulator);
  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);
  EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
  click(control(main, "BtnPrincipal"));
  expectOutcome(main, kInOperation, L"08000");
  forceAnswer("{sessao}|08098|SAT bloqueado");
  click(control(main, "BitBtn6"));
  expectOutcome(main, kOutOfOperation, L"08098");
}

}  // namespace
}  // namespace e2e
