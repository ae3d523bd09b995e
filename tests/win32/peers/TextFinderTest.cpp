// Ctrl+F and F3 in read-only memos, through the system's Find dialog.
#include <windows.h>

#include <commdlg.h>
#include <dlgs.h>

#include "diagnostics/LogView.h"
#include "peers/PeerFixture.h"
#include "ui/TextSource.h"

namespace peer_tests {
namespace {

class TextFinderTest : public PeerTest {
 protected:
  void pressWithControl(HWND window, UINT key) {
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    PostMessageW(window, WM_KEYDOWN, key, 1);
    host.processPendingMessages();
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
  }
  void press(HWND window, UINT key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    host.processPendingMessages();
  }
  // The Find dialog the form owns, or nullptr.
  HWND findDialog() const {
    HWND dialog = nullptr;
    while ((dialog = FindWindowExW(nullptr, dialog, L"#32770", nullptr)) != nullptr) {
      if (GetWindow(dialog, GW_OWNER) == handleOf(form)) return dialog;
    }
    return nullptr;
  }
  void findNextFromDialog(HWND dialog, const wchar_t* what) {
    SetDlgItemTextW(dialog, edt1, what);
    SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    host.processPendingMessages();
  }
  static std::pair<DWORD, DWORD> selectionOf(HWND window) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
};

TEST_F(TextFinderTest, CtrlFFindsInTheLogViewerAndF3FindsTheNextMatch) {
  ui::Memo log("MemoLogs", &form);
  log.setBounds({0, 0, 400, 150});
  log.setReadOnly(true);
  log.largeText = true;
  ui::Memo coupon("MemoCFe", &form);
  coupon.setBounds({0, 150, 400, 150});
  coupon.setReadOnly(true);
  createAndShow();
  std::u16string text;
  for (int i = 0; i < 2000; ++i) text += u"20261210101010|SAT|info|Recebida mensagem\r\n";
  const std::size_t first = text.size() + 26;
  text += u"20261210235959|SEFAZ|erro|Falha na comunicação\r\n";
  const std::size_t second = text.size() + 26;
  text += u"20261210235959|SEFAZ|erro|Falha na comunicação\r\n";
  log.setText(text);
  coupon.setText(u"<CFe>\r\n  <emit>\r\n    <xNome>Emitente</xNome>\r\n  </emit>\r\n</CFe>");
  SetFocus(handleOf(log));

  pressWithControl(handleOf(log), 'F');
  HWND dialog = findDialog();
  ASSERT_NE(dialog, nullptr) << "Ctrl+F opened no Find dialog";
  findNextFromDialog(dialog, L"FALHA NA COMUNICAÇÃO");
  EXPECT_EQ(selectionOf(handleOf(log)), std::make_pair(DWORD(first), DWORD(first + 20)));
  press(handleOf(log), VK_F3);
  EXPECT_EQ(selectionOf(handleOf(log)), std::make_pair(DWORD(second), DWORD(second + 20)));

  // The coupon's memo is an edit: the same keys work there.
  SetFocus(handleOf(coupon));
  pressWithControl(handleOf(coupon), 'F');
  findNextFromDialog(dialog, L"xnome");
  EXPECT_EQ(selectionOf(handleOf(coupon)), std::make_pair(DWORD(22), DWORD(27)));
  press(handleOf(coupon), VK_F3);
  EXPECT_EQ(selectionOf(handleOf(coupon)), std::make_pair(DWORD(38), DWORD(43)));
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  host.processPendingMessages();
  EXPECT_EQ(findDialog(), nullptr);
}

// The log page's view of a device's log: what Find, F3, Ctrl+C and WM_GETTEXT
// hand out is made from the log's bytes, a line of malformed UTF-8 replaced
// as it is drawn.
TEST_F(TextFinderTest, TheLogsViewFindsCopiesAndHandsOutTextMadeFromItsBytes) {
  ui::Memo log("MemoLogs", &form);
  log.setBounds({0, 0, 400, 300});
  log.setReadOnly(true);
  log.largeText = true;
  createAndShow();
  std::string bytes;
  for (int i = 0; i < 3000; ++i) bytes += "20261210101010|SAT|info|Recebida mensagem\n";
  // Windows-1252 from a device that ignores the rule: malformed UTF-8.
  bytes += "20261210235959|SEFAZ|erro|Falha na comunica\xe7\xe3o\r\n";
  bytes += "20261210235959|SEFAZ|erro|Falha na comunicação\n";
  log.setSource(diagnostics::wholeLogLines({nullptr, bytes}));
  const std::u16string whole = ui::wholeText(log);
  const std::size_t malformed = whole.find(u"Falha na comunica\uFFFD\uFFFDo\r\n");
  const std::size_t wellFormed = whole.find(u"Falha na comunicação\r\n");
  ASSERT_NE(malformed, std::u16string::npos);
  ASSERT_NE(wellFormed, std::u16string::npos);

  HWND view = handleOf(log);
  EXPECT_EQ(SendMessageW(view, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(whole.size()));
  EXPECT_EQ(windowText(log), whole);
  EXPECT_EQ(SendMessageW(view, EM_GETLINECOUNT, 0, 0), 3004) << "3002 lines, an empty one, dashes";

  SetFocus(view);
  pressWithControl(view, 'F');
  HWND dialog = findDialog();
  ASSERT_NE(dialog, nullptr);
  findNextFromDialog(dialog, L"FALHA NA COMUNICA");
  EXPECT_EQ(selectionOf(view), std::make_pair(DWORD(malformed), DWORD(malformed + 17)));
  EXPECT_GT(SendMessageW(view, EM_GETFIRSTVISIBLELINE, 0, 0), 2900) << "the match is shown";
  SetFocus(view);
  press(view, VK_F3);
  EXPECT_EQ(selectionOf(view), std::make_pair(DWORD(wellFormed), DWORD(wellFormed + 17)));
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  host.processPendingMessages();

  pressWithControl(view, 'C');
  const std::optional<std::u16string> copied = clipboardText();
  ASSERT_TRUE(copied) << "Ctrl+C put no text on the clipboard";
  EXPECT_EQ(*copied, whole);
}

TEST_F(TextFinderTest, TheKeysFindInThePagesTextWhileAButtonHasTheFocusAndEscClosesTheDialog) {
  ui::Panel page("TabStatus", &form);
  page.setBounds({0, 0, 400, 300});
  ui::Memo status("MemoStatus", &page);
  status.setBounds({0, 0, 400, 150});
  status.setReadOnly(true);
  ui::Button list("BtnStatus", &page);
  list.setBounds({0, 160, 100, 29});
  createAndShow();
  status.setText(u"NSERIE : 900004019\r\nESTADO_OPERACAO : 0\r\nNSERIE do SAT");
  SetFocus(handleOf(list));

  pressWithControl(handleOf(list), 'F');
  HWND dialog = findDialog();
  ASSERT_NE(dialog, nullptr) << "Ctrl+F beside the text opened no Find dialog";
  findNextFromDialog(dialog, L"NSERIE");
  EXPECT_EQ(selectionOf(handleOf(status)), std::make_pair(DWORD(0), DWORD(6)));
  SetFocus(handleOf(list));
  press(handleOf(list), VK_F3);
  EXPECT_EQ(selectionOf(handleOf(status)), std::make_pair(DWORD(41), DWORD(47)));

  PostMessageW(GetDlgItem(dialog, edt1), WM_KEYDOWN, VK_ESCAPE, 1);
  host.processPendingMessages();
  EXPECT_EQ(findDialog(), nullptr) << "Esc closes the Find dialog";
  EXPECT_FALSE(form.closeRequested());
}

TEST_F(TextFinderTest, AnEditableMemoKeepsItsOwnCtrlF) {
  ui::Memo notes("MemoNotas", &form);
  notes.setBounds({0, 0, 400, 150});
  createAndShow();
  SetFocus(handleOf(notes));
  pressWithControl(handleOf(notes), 'F');
  EXPECT_EQ(findDialog(), nullptr);
}

}  // namespace
}  // namespace peer_tests
