// The log page in the real program on a log the emulated device hands out
// as the driver writes it: a line of malformed UTF-8 (Windows-1252 from a
// device that ignores the rule) beside the same line well formed, shown
// replaced in both views, found with Ctrl+F and F3, copied with Ctrl+C,
// handed out by WM_GETTEXT and saved as shown.
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"
#include "codec/Base64.h"
#include "platform/Text.h"

namespace e2e {
namespace {

constexpr char kMalformed[] = "20261210235959|SEFAZ|erro|Falha na comunica\xe7\xe3o";
constexpr char kWellFormed[] = "20261210235959|SEFAZ|erro|Falha na comunica\xc3\xa7\xc3\xa3o";
constexpr char kStart[] =
    "20261210235900|SAT|info|==================== SuperLog =====================";
constexpr char kEnd[] =
    "20261210235959|SAT|info|===================================================";
constexpr wchar_t kSought[] = L"falha na comunica";

std::string sampleLog() {
  std::string log;
  for (int i = 0; i < 200; ++i) log += "20261210101010|SAT|info|Recebida mensagem\n";
  return log + kStart + "\n" + kMalformed + "\r\n" + kWellFormed + "\n" + kEnd + "\n";
}

// The whole-log view of the log: each line without the CR of a CR LF line
// end, decoded from UTF-8, then CR LF; the dash line last.
std::wstring wholeLogShown(const std::string& log) {
  std::u16string shown;
  for (std::size_t start = 0;;) {
    const std::size_t end = std::min(log.find('\n', start), log.size());
    std::string_view line(log.data() + start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    shown += platform::fromUtf8(line) + u"\r\n";
    if (end == log.size()) break;
    start = end + 1;
  }
  shown += std::u16string(54, u'-') + u"\r\n";
  return std::wstring(shown.begin(), shown.end());
}

std::pair<WORD, WORD> selectionOf(HWND memo) {
  // Through the return value: another process's pointers mean nothing here.
  const auto both = static_cast<DWORD>(SendMessageW(memo, EM_GETSEL, 0, 0));
  return {LOWORD(both), HIWORD(both)};
}

std::optional<std::wstring> clipboardText() {
  if (!OpenClipboard(nullptr)) return std::nullopt;
  std::optional<std::wstring> text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* units = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = units;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

class LogView : public QuorvelTest {
 protected:
  // The side button's extraction, the device answering with the sample log.
  void extract(const char* sideButton) {
    ASSERT_EQ(knobs_->forceAnswer("{sessao}|15000|Transferencia completa|||" +
                                  codec::encodeBase64(sampleLog())),
              "");
    click(control(main_, sideButton));
    confirmPrompt();
  }
};

TEST_F(LogView, ALineOfMalformedUtf8IsShownFoundCopiedAndSavedAsShown) {
  startActivated();
  extract("BitLogs");
  const std::wstring whole = wholeLogShown(sampleLog());
  ASSERT_TRUE(memoHolds("MemoLogs", L"|erro|Falha na comunica\uFFFD\uFFFDo\r\n"))
      << toUtf8(controlText(main_, "MemoLogs"));
  EXPECT_EQ(controlText(main_, "MemoLogs"), whole) << "WM_GETTEXT hands out the whole text";
  screenshot(main_, L"filled-9-TabLog-malformed.png");

  // Ctrl+F finds the malformed line, F3 the well-formed one after it.
  HWND memo = control(main_, "MemoLogs");
  HWND find = findInMemo(memo, kSought);
  ASSERT_TRUE(find);
  const auto first = static_cast<WORD>(whole.find(L"Falha na comunica"));
  const auto second = static_cast<WORD>(whole.find(L"Falha na comunica", first + 1));
  const std::size_t length = std::wstring_view(kSought).size();
  EXPECT_TRUE(pollFor([&] {
    return selectionOf(memo) == std::pair<WORD, WORD>(first, first + length);
  })) << selectionOf(memo).first;
  PostMessageW(memo, WM_KEYDOWN, VK_F3, 1);
  EXPECT_TRUE(pollFor([&] {
    return selectionOf(memo) == std::pair<WORD, WORD>(second, second + length);
  })) << selectionOf(memo).first;
  PostMessageW(find, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);

  // Ctrl+C copies the whole text, made from the log as it is shown.
  if (OpenClipboard(nullptr)) {
    EmptyClipboard();
    CloseClipboard();
  }
  PostMessageW(memo, WM_CHAR, 0x03, 1);  // ^C, what Ctrl+C types
  EXPECT_TRUE(pollFor([&] { return clipboardText() == whole; }))
      << toUtf8(clipboardText().value_or(L"(no text on the clipboard)").substr(0, 200));

  // Saved as shown, in the ANSI code page: the replaced characters as '?'.
  const std::filesystem::path saved = folder_->file(L"log.txt");
  typeInto(main_, "EdtLogs", saved.wstring());
  click(control(main_, "BtnLog2"));
  expectMessage(L"Arquivo " + saved.wstring() + L" salvo com sucesso");
  const std::optional<std::string> file = folder_->read(L"log.txt");
  ASSERT_TRUE(file);
  EXPECT_NE(file->find("|erro|Falha na comunica??o\r\n"), std::string::npos) << *file;
  EXPECT_NE(file->find("|erro|Falha na comunica\xe7\xe3o\r\n"), std::string::npos) << *file;

  // The SuperLog view: the same lines without their time, source and level.
  extract("BitSuperLog");
  EXPECT_TRUE(
      memoHolds("MemoLogs",
                L"\r\n   Falha na comunica\uFFFD\uFFFDo\r\n   Falha na comunica\u00e7\u00e3o\r\n"))
      << toUtf8(controlText(main_, "MemoLogs"));
  EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
}

}  // namespace
}  // namespace e2e
