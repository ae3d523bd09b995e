// What keeps the program in the user's hands when things around it go wrong:
// a device call that never answers, a library whose start never ends, a
// settings file another program holds, a second start in the same folder.
#include <windows.h>

#include <optional>

#include "HeldFile.h"
#include "Polling.h"
#include "QuorvelTest.h"
#include "ScopedEnvironment.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

constexpr std::wstring_view kWaitText = L"Aguardando retorno do SAT ...";

class Safeguards : public QuorvelTest {
 protected:
  // The next box, answered with the button; its text.
  std::wstring answerBox(int button) {
    const MessageBoxSeen box = waitForMessageBox();
    if (!box.window) return {};
    pressButton(box.window, button);
    pollFor([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); });
    return box.text;
  }
};

TEST_F(Safeguards, AnUnansweredCallLetsTheCloseBoxAskAndClose) {
  const ScopedEnvironment patience(L"QUORVEL_UNANSWERED_CALL_MINUTES", L"0");
  start(DeviceLibrary::Emulator);
  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);
  ASSERT_EQ(knobs_->slowNextCall(10 * 60 * 1000), "");
  click(control(main, "BtnPrincipal"));
  ASSERT_TRUE(pollFor([&] { return controlText(main, "StatusBar") == kWaitText; }));

  // The close box, as the mouse delivers it.
  PostMessageW(main, WM_NCLBUTTONDOWN, HTCLOSE, 0);
  const std::wstring question = answerBox(IDNO);
  EXPECT_EQ(question, L"O SAT não responde há 0 minutos. Fechar o programa mesmo assim?");
  EXPECT_FALSE(program_->waitForExit(std::chrono::milliseconds(500))) << "No keeps waiting";
  EXPECT_EQ(controlText(main, "StatusBar"), kWaitText);

  PostMessageW(main, WM_SYSCOMMAND, SC_CLOSE, 0);  // the window menu's Close, or Alt+F4
  EXPECT_EQ(answerBox(IDYES), question);
  EXPECT_TRUE(program_->waitForExit(kDefaultTimeout));
}

TEST_F(Safeguards, ALibraryWhoseStartNeverEndsIsReportedAndTheProgramCloses) {
  const ScopedEnvironment patience(L"QUORVEL_LIBRARY_LOAD_SECONDS", L"1");
  layOut(DeviceLibrary::None);
  folder_->copyIn(probeFolder() / "stuck.dll", L"SAT.DLL");
  launch();
  const std::wstring first = answerBox(IDYES);
  EXPECT_TRUE(first.starts_with(L"O SAT.DLL não terminou de carregar em 1 segundos"))
      << toUtf8(first);
  EXPECT_NE(first.find(L"Deseja continuar aguardando?"), std::wstring::npos) << toUtf8(first);
  EXPECT_EQ(answerBox(IDNO), first) << "asked again after waiting on";
  EXPECT_TRUE(program_->waitForExit(kDefaultTimeout));
}

TEST_F(Safeguards, AHeldSettingsFileNeitherStopsTheActivationNorLosesItsValues) {
  start(DeviceLibrary::Emulator);
  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);
  std::optional<HeldFile> held(std::in_place, folder_->file(L"Parametros.xml"));
  ASSERT_TRUE(held->isOpen());

  click(control(main, "BtnAtivacao"));
  ASSERT_TRUE(waitForPage(main, "TabAtivar"));
  typeInto(main, "EdtCodAtiv2", kActivationCode);
  typeInto(main, "EdtCodAtiv2Conf", kActivationCode);
  typeInto(main, "EdtCNPJContrib", L"11222333000181");
  choose(control(main, "cbo"), 25);
  click(control(main, "BtnAtivar"));

  const std::wstring notice = answerBox(IDOK);
  EXPECT_NE(notice.find(L"não puderam ser gravadas"), std::wstring::npos) << toUtf8(notice);
  EXPECT_NE(notice.find(folder_->file(L"Parametros.xml").wstring()), std::wstring::npos)
      << toUtf8(notice);
  answerBox(IDOK);  // the confirmation: the device is called
  const std::wstring answer = answerBox(IDOK);
  EXPECT_EQ(answer, L"SAT Ativado corretamente, faltando associá-lo ao Aplic. Comercial.");

  held.reset();  // the other program lets go; closing saves what was typed
  close(main);
  ASSERT_TRUE(program_->waitForExit(kDefaultTimeout));
  const std::optional<std::string> stored = folder_->read(L"Parametros.xml");
  ASSERT_TRUE(stored);
  EXPECT_NE(stored->find("11222333000181"), std::string::npos) << *stored;
}

TEST_F(Safeguards, ASecondStartInTheFolderBringsTheRunningProgramForwardAndEnds) {
  start(DeviceLibrary::Emulator);
  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);
  ShowWindow(main, SW_MINIMIZE);
  const ProgramProcess second(folder_->file(L"Quorvel.exe"));
  ASSERT_TRUE(second.waitForExit(kDefaultTimeout));
  EXPECT_EQ(second.exitCode(), 0u);
  EXPECT_FALSE(program_->hasExited());
  EXPECT_TRUE(pollFor([&] { return !IsIconic(main) && GetForegroundWindow() == main; }))
      << windowsOnScreen();
}

}  // namespace
}  // namespace e2e
