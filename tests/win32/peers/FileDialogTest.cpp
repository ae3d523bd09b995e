// The system's save dialog as the program opens it, driven from a second
// thread the way a user answers it.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "ui/win32/Win32FilePickers.h"

namespace peer_tests {
namespace {

constexpr wchar_t kTitle[] = L"Gravar o teste";

// A visible dialog box of this process with that caption, or another one
// than `besides` when no caption is given.
HWND dialogOfThisProcess(const wchar_t* caption, HWND besides = nullptr) {
  HWND dialog = nullptr;
  while ((dialog = FindWindowExW(nullptr, dialog, L"#32770", caption)) != nullptr) {
    DWORD process = 0;
    GetWindowThreadProcessId(dialog, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(dialog) && dialog != besides)
      return dialog;
  }
  return nullptr;
}

template <class Found>
auto waitFor(Found found) {
  const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  auto result = found();
  while (!result && std::chrono::steady_clock::now() < giveUp) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    result = found();
  }
  return result;
}

void pressButton(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Choosing a file that exists brings the system's question only when the
// program asks for it; answered with Yes, the dialog gives the file.
TEST(FileDialog, AsksBeforeReplacingAFileOnlyWhenTold) {
  const std::filesystem::path existing =
      std::filesystem::temp_directory_path() /
      ("quorvel-dialog-" + std::to_string(GetCurrentProcessId()) + ".zip");
  std::ofstream(existing) << "old";
  ui::win32::Win32FilePickers dialogs;
  for (const bool ask : {true, false}) {
    SCOPED_TRACE(ask ? "asking" : "not asking");
    std::atomic<bool> questionSeen{false};
    std::thread user([&] {
      HWND dialog = waitFor([] { return dialogOfThisProcess(kTitle); });
      if (!dialog) return;
      // The name field: an edit in a combo box in the explorer style
      // dialog, a plain edit in the old one.
      HWND name = GetDlgItem(dialog, 0x47c);
      if (!name) name = GetDlgItem(dialog, 0x480);
      SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(existing.wstring().c_str()));
      pressButton(dialog, IDOK);
      HWND question = waitFor([&]() -> HWND {
        if (!IsWindow(dialog)) return HWND_BOTTOM;  // closed without a question
        return dialogOfThisProcess(nullptr, dialog);
      });
      if (question && question != HWND_BOTTOM) {
        questionSeen = true;
        pressButton(question, IDYES);
      } else if (IsWindow(dialog)) {
        pressButton(dialog, IDCANCEL);
      }
    });
    ui::FileDialogOptions options{reinterpret_cast<const char16_t*>(kTitle),
                                  u"Arquivo zip (*.zip)|*.zip", u"zip", u""};
    options.askBeforeReplacing = ask;
    const auto chosen = dialogs.saveFile(options);
    user.join();
    EXPECT_EQ(questionSeen, ask);
    ASSERT_TRUE(chosen);
    EXPECT_TRUE(std::filesystem::equivalent(std::filesystem::path(*chosen), existing));
  }
  std::filesystem::remove(existing);
}

}  // namespace
}  // namespace peer_tests
