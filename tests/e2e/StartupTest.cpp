// Start-up without a usable device library: the missing file ends the
// program after one message, a file that is not a library opens the tests page.
#include <algorithm>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

class Startup : public QuorvelTest {};

TEST_F(Startup, WithoutLibraryShowsOneMessageAndEnds) {
  start(DeviceLibrary::None);
  const MessageBoxSeen box = waitForMessageBox();
  ASSERT_TRUE(box.window);
  EXPECT_EQ(toUtf8(box.caption), toUtf8(kApplicationTitle));
  EXPECT_EQ(toUtf8(box.text), "Erro: SAT.DLL não foi encotrada.");
  pressOk(box.window);

  // The program must end on its own, and no second message may come first.
  const bool endedOrAsked = pollFor([&] {
    return program_->hasExited() ||
           std::ranges::any_of(messageBoxes(program_->id()),
                               [&](HWND other) { return other != box.window; });
  });
  ASSERT_TRUE(endedOrAsked) << "the program neither ended nor showed anything\n"
                            << windowsOnScreen();
  EXPECT_TRUE(program_->hasExited()) << "a second window appeared\n" << windowsOnScreen();
}

// The window shows before the controls of its hidden pages exist; the
// program makes them once it waits for input and then marks the main window,
// which is what automation waits for.
TEST_F(Startup, EveryControlExistsOnceTheProgramSaysSo) {
  start(DeviceLibrary::Emulator);
  HWND main = waitForWindow(kMainCaption);
  ASSERT_TRUE(main);
  ASSERT_TRUE(program_->waitUntilReadyForInput(std::chrono::seconds(30)));
  ASSERT_TRUE(pollFor([&] { return saysAllControlsExist(main); })) << windowsOnScreen();
  EXPECT_TRUE(everyPageHasControls(main)) << windowsOnScreen();
  EXPECT_TRUE(findControl(main, "Edit1"));
}

TEST_F(Startup, LibraryThatCannotBeLoadedIsNamedAndTestsPageOpens) {
  start(DeviceLibrary::NotALibrary);
  const MessageBoxSeen box = waitForMessageBox();
  ASSERT_TRUE(box.window);
  EXPECT_EQ(toUtf8(box.caption), "Erro!");
  EXPECT_EQ(toUtf8(box.text),
            "Erro ao carregar a DLL: " + toUtf8(folder_->file(L"SAT.DLL").wstring()));
  pressOk(box.window);
  // Then why, in plain words (LibraryDiagnosisTest has the other reasons).
  pollFor([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); });
  const MessageBoxSeen why = waitForMessageBox();
  ASSERT_TRUE(why.window);
  EXPECT_NE(why.text.find(L"não é uma biblioteca (DLL) do Windows"), std::wstring::npos)
      << toUtf8(why.text);
  pressOk(why.window);

  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);
  EXPECT_TRUE(waitForPage(main, "TabTeste"));
  screenshot(main, L"load-failure-page-5.png");
}

}  // namespace
}  // namespace e2e
