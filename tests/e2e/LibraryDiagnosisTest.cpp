// A SAT.DLL the program cannot load: after the system's message with the full
// path, a second one says why in plain words (the other program's library, a
// DLL it needs that is not there, a file another program holds, the error
// Windows gave for a library that looks right), and the window still opens
// on the tests page. A library that loads without some entry points names
// them.
#include <cstdlib>
#include <filesystem>

#include "DriverOptions.h"
#include "HeldFile.h"
#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

namespace fs = std::filesystem;

constexpr bool kProgramIs64Bit = sizeof(void*) == 8;

// The probe libraries built beside the driver.
// The emulator built for the other bitness: QUORVEL_E2E_OTHER_EMULATOR, or the
// other preset's build beside this one (build/win32 and build/win64).
fs::path otherBitnessEmulator() {
  if (const wchar_t* given = _wgetenv(L"QUORVEL_E2E_OTHER_EMULATOR")) return given;
  const fs::path build = driverOptions().emulator.parent_path().parent_path().parent_path();
  return build / (kProgramIs64Bit ? L"win32" : L"win64") / L"emulator" / L"SAT.DLL";
}

class LibraryDiagnosis : public QuorvelTest {
 protected:
  // The message box shown after `previous` has gone.
  MessageBoxSeen nextMessageBox(HWND previous) {
    pollFor([&] { return !IsWindow(previous) || !IsWindowVisible(previous); });
    return waitForMessageBox();
  }

  // The system's message naming SAT.DLL's full path, then the plain words,
  // which must hold `said`; the window then opens on the tests page.
  void expectLoadFailureExplained(std::wstring_view said, const std::wstring& screenshotName) {
    const MessageBoxSeen failure = waitForMessageBox();
    ASSERT_TRUE(failure.window);
    EXPECT_EQ(toUtf8(failure.caption), "Erro!");
    EXPECT_EQ(toUtf8(failure.text),
              "Erro ao carregar a DLL: " + toUtf8(folder_->file(L"SAT.DLL").wstring()));
    pressOk(failure.window);

    const MessageBoxSeen why = nextMessageBox(failure.window);
    ASSERT_TRUE(why.window);
    EXPECT_EQ(toUtf8(why.caption), toUtf8(kApplicationTitle));
    EXPECT_NE(why.text.find(said), std::wstring::npos) << toUtf8(why.text);
    if (!screenshotName.empty()) screenshot(why.window, screenshotName);
    whyText_ = why.text;
    pressOk(why.window);

    HWND main = waitForMainWindow();
    ASSERT_TRUE(main);
    EXPECT_TRUE(waitForPage(main, "TabTeste"));
    EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
  }

  std::wstring whyText_;
};

TEST_F(LibraryDiagnosis, LibraryOfTheOtherBitnessNamesTheOtherProgram) {
  const fs::path other = otherBitnessEmulator();
  if (!fs::exists(other)) GTEST_SKIP() << "no emulator of the other bitness at " << other.string();
  layOut(DeviceLibrary::None);
  folder_->copyIn(other, L"SAT.DLL");
  launch();
  expectLoadFailureExplained(
      kProgramIs64Bit ? L"Use o Quorvel.exe" : L"Use o Quorvel64.exe",
      kProgramIs64Bit ? L"library-32-beside-64.png" : L"library-64-beside-32.png");
  EXPECT_NE(whyText_.find(kProgramIs64Bit ? L"biblioteca de 32 bits" : L"biblioteca de 64 bits"),
            std::wstring::npos)
      << toUtf8(whyText_);
}

TEST_F(LibraryDiagnosis, MissingDependencyIsNamed) {
  layOut(DeviceLibrary::None);
  folder_->copyIn(probeFolder() / "needs-sataux.dll", L"SAT.DLL");
  launch();
  expectLoadFailureExplained(L"precisa da biblioteca sataux.dll",
                             L"library-missing-dependency.png");
  // The system's own libraries are found where Windows keeps them.
  for (const wchar_t* system : {L"KERNEL32", L"msvcrt", L"Quorvel"})
    EXPECT_EQ(whyText_.find(system), std::wstring::npos) << toUtf8(whyText_);
}

TEST_F(LibraryDiagnosis, LibraryThatLooksRightGivesTheWindowsError) {
  layOut(DeviceLibrary::None);
  folder_->copyIn(probeFolder() / "refusing.dll", L"SAT.DLL");
  launch();
  expectLoadFailureExplained(L"parece ser uma biblioteca válida para este programa",
                             L"library-refused.png");
  // ERROR_DLL_INIT_FAILED and the system's text for it.
  const std::wstring code = L"Erro do Windows 1114: ";
  const std::size_t at = whyText_.find(code);
  ASSERT_NE(at, std::wstring::npos) << toUtf8(whyText_);
  EXPECT_NE(whyText_[at + code.size()], L'\n') << toUtf8(whyText_);
}

TEST_F(LibraryDiagnosis, FileHeldByAnotherProgramIsSaidToBeInUse) {
  layOut(DeviceLibrary::Emulator);
  const HeldFile held(folder_->file(L"SAT.DLL"));
  ASSERT_TRUE(held.isOpen());
  launch();
  expectLoadFailureExplained(L"em uso por outro programa", {});
  // The program goes first: the file is let go only once it has been read.
  program_.reset();
}

TEST_F(LibraryDiagnosis, LibraryWithoutSomeEntryPointsNamesThem) {
  layOut(DeviceLibrary::None);
  folder_->copyIn(probeFolder() / "needs-sataux.dll", L"SAT.DLL");
  folder_->copyIn(probeFolder() / "sataux.dll", L"sataux.dll");
  launch();
  const MessageBoxSeen box = waitForMessageBox();
  ASSERT_TRUE(box.window);
  EXPECT_EQ(toUtf8(box.caption), toUtf8(kApplicationTitle));
  for (const wchar_t* missing : {L"\nAtivarSAT\n", L"\nExtrairLogs\n", L"\nSetDriver\n"})
    EXPECT_NE(box.text.find(missing), std::wstring::npos) << toUtf8(box.text);
  EXPECT_EQ(box.text.find(L"ConsultarSAT"), std::wstring::npos) << toUtf8(box.text);
  screenshot(box.window, L"library-missing-entry-points.png");
  pressOk(box.window);

  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);
  EXPECT_TRUE(waitForPage(main, "TabMirel"));
}

}  // namespace
}  // namespace e2e
