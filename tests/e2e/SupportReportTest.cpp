// The support report's save dialog in the real program: it asks before it
// replaces a file, and it never writes over a file of the program's own.
#include <windows.h>

#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

constexpr WPARAM kReportCommand = 0x110;  // "Relatório para suporte..." in the system menu
constexpr std::wstring_view kReportTitle = L"Relatório para suporte";

class SupportReportDialog : public QuorvelTest {
 protected:
  // Opens the report's save dialog and gives it a file name.
  HWND chooseInDialog(const std::filesystem::path& file) {
    HWND dialog = waitForWindow(kReportTitle);
    if (dialog) chooseInFileDialog(dialog, file);
    return dialog;
  }
};

TEST_F(SupportReportDialog, AsksBeforeReplacingAndRefusesTheProgramsOwnFiles) {
  layOut(DeviceLibrary::Emulator);
  folder_->write(L"antigo.zip", "old report");
  launch();
  HWND main = waitForMainWindow();
  ASSERT_TRUE(main);
  const std::optional<std::string> parameters = folder_->read(L"Parametros.xml");
  ASSERT_TRUE(parameters);

  // An existing file: the system asks; "No" leaves it and the dialog open.
  PostMessageW(main, WM_SYSCOMMAND, kReportCommand, 0);
  HWND dialog = chooseInDialog(folder_->file(L"antigo.zip"));
  ASSERT_TRUE(dialog);
  const MessageBoxSeen question = waitForMessageBox(dialog);
  ASSERT_TRUE(question.window) << windowsOnScreen();
  std::cout << "The system's question: " << toUtf8(question.text) << "\n";
  screenshot(question.window, L"support-report-replace-question.png");
  pressButton(question.window, IDNO);
  ASSERT_TRUE(pollFor([&] { return !IsWindow(question.window); }));
  EXPECT_TRUE(IsWindowVisible(dialog));

  // The program's settings, spelt otherwise: the system asks, and when the
  // user says yes the program still refuses, says why, and asks again.
  const std::wstring settings = folder_->file(L"PARAMETROS.XML").wstring();
  chooseInFileDialog(dialog, settings);
  const MessageBoxSeen replace = waitForMessageBox(dialog);
  ASSERT_TRUE(replace.window) << windowsOnScreen();
  pressButton(replace.window, IDYES);
  ASSERT_TRUE(waitUntilClosed(kReportTitle));
  const MessageBoxSeen refusal = waitForMessageBox();
  ASSERT_TRUE(refusal.window) << windowsOnScreen();
  EXPECT_EQ(toUtf8(refusal.text),
            toUtf8(L"O relatório não pode ser gravado em " + settings +
                   L": esse arquivo guarda as configurações do programa e seria substituído.\r\n"
                   L"\r\nEscolha outro nome ou outra pasta."));
  screenshot(refusal.window, L"support-report-refused.png");
  pressOk(refusal.window);
  dialog = waitForWindow(kReportTitle);
  ASSERT_TRUE(dialog) << "the dialog did not open again";
  pressButton(dialog, IDCANCEL);
  ASSERT_TRUE(waitUntilClosed(kReportTitle));

  EXPECT_EQ(folder_->read(L"antigo.zip"), "old report");
  EXPECT_EQ(folder_->read(L"Parametros.xml"), parameters);
  close(main);
  EXPECT_TRUE(program_->waitForExit(std::chrono::seconds(10)));
  EXPECT_EQ(folder_->read(L"Parametros.xml"), parameters);
}

}  // namespace
}  // namespace e2e
