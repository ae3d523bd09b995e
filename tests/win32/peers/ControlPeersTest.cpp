#include <windows.h>

#include <commctrl.h>

#include <stdexcept>

#include "peers/PeerFixture.h"
#include "platform/Text.h"
#include "ui/win32/ControlId.h"
#include "ui/win32/NativePeer.h"

namespace peer_tests {
namespace {

TEST_F(PeerTest, ModelStateReachesTheRealControls) {
  ui::Panel panel("Panel1", &form);
  panel.setBounds({0, 0, 200, 100});
  ui::Label label("Label8", &panel);
  label.setBounds({5, 5, 80, 13});
  ui::Edit code("EdtCodigo", &panel);
  code.setBounds({5, 30, 100, 21});
  code.setMaxLength(32);
  code.setPasswordChar(u'*');
  ui::StatusBar status("StatusBar", &form);
  status.setBounds({0, 281, 400, 19});
  createAndShow();

  EXPECT_EQ(SendMessageW(handleOf(code), EM_GETPASSWORDCHAR, 0, 0), u'*');
  EXPECT_EQ(SendMessageW(handleOf(code), EM_GETLIMITTEXT, 0, 0), 32);

  label.setText(u"Status:");
  status.setText(u"Aguardando retorno do SAT ...");
  code.setText(u"segredo1");
  EXPECT_EQ(windowText(label), u"Status:");
  EXPECT_EQ(windowText(status), u"Aguardando retorno do SAT ...");
  EXPECT_EQ(windowText(code), u"segredo1");

  code.setEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(handleOf(code)));
  code.setEnabled(true);
  EXPECT_TRUE(IsWindowEnabled(handleOf(code)));
  EXPECT_TRUE(IsWindowVisible(handleOf(label)));
  label.setVisible(false);
  EXPECT_FALSE(IsWindowVisible(handleOf(label)));
  panel.setVisible(false);
  EXPECT_FALSE(IsWindowVisible(handleOf(code)));
}

TEST_F(PeerTest, EveryControlCarriesTheIdOfItsName) {
  ui::Button button("BtnPrincipal", &form);
  ui::Panel panel("Panel13", &form);
  ui::Label nested("Label7", &panel);
  createAndShow();
  for (const ui::Control* control :
       {static_cast<ui::Control*>(&button), static_cast<ui::Control*>(&panel),
        static_cast<ui::Control*>(&nested)})
    EXPECT_EQ(GetDlgCtrlID(handleOf(*control)), ui::win32::controlIdFor(control->name()));
}

TEST_F(PeerTest, TypingIntoAnEditReachesTheModelOnce) {
  ui::Edit edit("Edit1", &form);
  edit.setBounds({10, 10, 51, 21});
  int changes = 0;
  edit.onChange = [&] { ++changes; };
  createAndShow();
  SetWindowTextW(handleOf(edit), L"123456");
  EXPECT_EQ(edit.text(), u"123456");
  EXPECT_EQ(changes, 1);
  edit.setText(u"654321");  // from the program: no user event
  EXPECT_EQ(changes, 1);
}

TEST_F(PeerTest, AClickRunsTheHandlerAndAFailureIsReported) {
  ui::Button button("BitAtivaSAT", &form);
  button.setText(u"&Ativar");
  button.setBounds({10, 10, 80, 29});
  ui::Button coloured("BitColorido", &form);
  coloured.setFont({u"", 0, true, ui::kRed});
  coloured.setBounds({100, 10, 80, 29});
  int clicks = 0;
  button.onClick = [&] { ++clicks; };
  coloured.onClick = [] { throw std::runtime_error("Falhou"); };
  createAndShow();

  SendMessageW(handleOf(button), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  // Drawn by the program, the button still holds its caption as window text.
  coloured.setText(u"Vermelho");
  EXPECT_EQ(windowText(coloured), u"Vermelho");
  SendMessageW(handleOf(coloured), BM_CLICK, 0, 0);
  ASSERT_EQ(dialogs.texts(testing_support::DialogKind::Unexpected).size(), 1u);
  EXPECT_TRUE(
      dialogs.texts(testing_support::DialogKind::Unexpected)[0].ends_with(u"\r\nDetalhe: Falhou"));
  // The program goes on: the next click works.
  SendMessageW(handleOf(button), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 2);
}

TEST_F(PeerTest, ChoicesComeBackFromCheckBoxesListsAndRadioGroups) {
  ui::CheckBox check("CheckBox1", &form);
  check.setBounds({10, 10, 100, 17});
  ui::ComboBox combo("cbo", &form);
  combo.setBounds({10, 40, 100, 21});
  combo.setItems({u"AC", u"AL", u"SP"});
  ui::RadioGroup radios("RadioGroup1", &form);
  radios.setBounds({10, 80, 200, 80});
  radios.setItems({u"DHCP", u"Estático"});
  radios.setItemIndex(0);
  int events = 0;
  check.onClick = combo.onChange = radios.onClick = [&] { ++events; };
  createAndShow();

  SendMessageW(handleOf(check), BM_CLICK, 0, 0);
  EXPECT_TRUE(check.checked());

  HWND list = handleOf(combo);
  EXPECT_EQ(SendMessageW(list, CB_GETCOUNT, 0, 0), 3);
  SendMessageW(list, CB_SETCURSEL, 2, 0);
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
  EXPECT_EQ(combo.itemIndex(), 2);
  combo.setItemIndex(1);
  EXPECT_EQ(SendMessageW(list, CB_GETCURSEL, 0, 0), 1);

  HWND second = GetDlgItem(handleOf(radios), 2);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(ui::win32::windowText(second), u"Estático");
  SendMessageW(second, BM_CLICK, 0, 0);
  EXPECT_EQ(radios.itemIndex(), 1);
  EXPECT_EQ(SendMessageW(GetDlgItem(handleOf(radios), 1), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_EQ(events, 3);
}

TEST_F(PeerTest, APageControlShowsOnlyItsActivePage) {
  ui::PageControl pages("PageControl", &form);
  pages.setAlign(ui::Align::Client);
  ui::TabSheet first("TabMirel", &pages);
  first.setAlign(ui::Align::Client);
  ui::TabSheet second("TabTeste", &pages);
  second.setAlign(ui::Align::Client);
  pages.setPages({&first, &second});
  pages.setActivePageIndex(1);
  createAndShow();
  EXPECT_FALSE(IsWindowVisible(handleOf(first)));
  EXPECT_TRUE(IsWindowVisible(handleOf(second)));
  pages.setActivePageIndex(0);
  EXPECT_TRUE(IsWindowVisible(handleOf(first)));
  EXPECT_FALSE(IsWindowVisible(handleOf(second)));
  RECT page;
  GetClientRect(handleOf(first), &page);
  EXPECT_EQ(page.right, host.scale(400));
}

HWND shownMainWindow = nullptr;

// The timer's message comes only when the queue is empty, in between the
// pages the loop makes; once the window says all exist, the loop ends.
void CALLBACK endLoopOnceEveryControlExists(HWND, UINT, UINT_PTR, DWORD) {
  if (GetPropW(shownMainWindow, ui::win32::kControlsCreatedProperty)) PostQuitMessage(0);
}

// The main window shows with only what can be seen; its other pages get their
// windows when a page control shows one, or from the message loop while no
// input waits, each back in its place among its siblings. Then the window
// says every control exists.
TEST_F(PeerTest, TheMainWindowCreatesItsHiddenPagesWhileWaitingForInput) {
  ui::PageControl pages("PageControl", &form);
  pages.setAlign(ui::Align::Client);
  ui::TabSheet first("TabMirel", &pages);
  ui::TabSheet second("TabAtivar", &pages);
  ui::TabSheet third("TabTeste", &pages);
  ui::Edit onSecond("EdtCnpj", &second);
  ui::Edit onThird("Edit1", &third);
  onThird.setText(u"42");
  pages.setPages({&first, &second, &third});
  pages.setActivePageIndex(0);
  host.createWindow(form, true);
  EXPECT_TRUE(handleOf(first));
  EXPECT_FALSE(handleOf(second));
  EXPECT_FALSE(handleOf(onThird));

  pages.setActivePageIndex(2);
  ASSERT_TRUE(handleOf(onThird));
  EXPECT_TRUE(GetWindowLongW(handleOf(third), GWL_STYLE) & WS_VISIBLE);
  EXPECT_EQ(windowText(onThird), u"42");
  EXPECT_FALSE(handleOf(second));

  host.showMain(form);
  EXPECT_FALSE(handleOf(second)) << "made after the window shows, not before";
  shownMainWindow = handleOf(form);
  EXPECT_FALSE(GetPropW(shownMainWindow, ui::win32::kControlsCreatedProperty));
  const UINT_PTR timer = SetTimer(nullptr, 0, 1, endLoopOnceEveryControlExists);
  host.runMessageLoop();
  KillTimer(nullptr, timer);
  ASSERT_TRUE(handleOf(onSecond));
  HWND page = GetWindow(handleOf(pages), GW_CHILD);
  for (const ui::TabSheet* expected : {&first, &second, &third}) {
    EXPECT_EQ(page, handleOf(*expected)) << expected->name();
    page = GetWindow(page, GW_HWNDNEXT);
  }
  DestroyWindow(handleOf(form));
  MSG quit;  // the main window's end asks the loop to end; no loop here
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST_F(PeerTest, ResizingTheWindowDocksTheStatusBarAtTheFoot) {
  ui::StatusBar status("StatusBar", &form);
  status.setAlign(ui::Align::Bottom);
  status.setBounds({0, 0, 0, 19});
  createAndShow();
  RECT frame{0, 0, host.scale(500), host.scale(350)};
  HWND window = handleOf(form);
  AdjustWindowRectEx(&frame, GetWindowLongW(window, GWL_STYLE), FALSE,
                     GetWindowLongW(window, GWL_EXSTYLE));
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER);
  EXPECT_EQ(form.bounds().width, 500);
  EXPECT_EQ(status.bounds().top, 350 - 19);
  RECT bar;
  GetWindowRect(handleOf(status), &bar);
  MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_EQ(bar.top, host.scale(331));
  EXPECT_EQ(bar.right - bar.left, host.scale(500));
}

TEST_F(PeerTest, AMemoTakesSeveralMegabytesAtOnce) {
  ui::Memo memo("MemoCFe", &form);
  memo.setBounds({0, 0, 400, 300});
  memo.setReadOnly(true);
  memo.fixedPitch = true;
  createAndShow();
  std::u16string text;
  const std::u16string line = u"<CFe><infCFe versao=\"0.08\">0123456789</infCFe></CFe>\r\n";
  while (text.size() < 2'000'000) text += line;
  memo.setText(text);
  EXPECT_EQ(GetWindowTextLengthW(handleOf(memo)), static_cast<int>(text.size()));
  memo.scrollToEnd();
  EXPECT_TRUE(GetWindowLongW(handleOf(memo), GWL_STYLE) & ES_READONLY);
}

// A read-only memo shows what a device sent, whatever it is: an Arabic mark
// before a Syriac letter once ended the process inside the system's text
// layout, and a NUL cut the text short.
TEST_F(PeerTest, AReadOnlyMemoShowsAnyTextAndAnEditableOneKeepsItsOwn) {
  ui::Memo coupon("MemoCFe", &form);
  coupon.setBounds({0, 0, 400, 150});
  coupon.setReadOnly(true);
  coupon.fixedPitch = true;
  coupon.wordWrap = false;
  ui::Memo notes("MemoNotas", &form);
  notes.setBounds({0, 150, 400, 150});
  createAndShow();
  const std::u16string sent(u"S\u00e3o \u064D\u071C\0\u03BB\r\n", 10);
  coupon.setText(sent);
  UpdateWindow(handleOf(form));
  EXPECT_EQ(platform::toUtf8(windowText(coupon)),
            platform::toUtf8(u"São \uFFFD\uFFFD\uFFFD\uFFFD\r\n"));
  EXPECT_EQ(coupon.text(), sent) << "the model keeps what was sent";
  notes.setText(u"São λ");
  EXPECT_EQ(windowText(notes), u"São λ");
}

TEST_F(PeerTest, EnterPressesTheDefaultButtonAndEscClosesNothing) {
  ui::Edit code("EdtCodigo", &form);
  code.setBounds({16, 38, 254, 21});
  code.setTabOrder(0);
  ui::Button validar("BtnTrocarCod", &form);
  validar.setBounds({276, 34, 80, 29});
  validar.isDefault = true;
  validar.setTabOrder(1);
  int presses = 0;
  validar.onClick = [&] { ++presses; };
  createAndShow();
  SetForegroundWindow(handleOf(form));
  SetFocus(handleOf(code));
  ASSERT_EQ(GetFocus(), handleOf(code));

  PostMessageW(handleOf(code), WM_KEYDOWN, VK_ESCAPE, 1);
  PostMessageW(handleOf(code), WM_KEYDOWN, VK_RETURN, 1);
  host.processPendingMessages();
  EXPECT_EQ(presses, 1);
  EXPECT_FALSE(form.closeRequested());
  EXPECT_TRUE(IsWindowVisible(handleOf(form)));

  // A key pressed in the field counts even when the focus left the window
  // before the key was taken from the queue.
  PostMessageW(handleOf(code), WM_KEYDOWN, VK_RETURN, 1);
  SetFocus(nullptr);
  host.processPendingMessages();
  EXPECT_EQ(presses, 2);

  // The close box closes the form through the model.
  SendMessageW(handleOf(form), WM_CLOSE, 0, 0);
  EXPECT_TRUE(form.closeRequested());
}

TEST_F(PeerTest, EscCancelsADialogThatClosesWithItAndEnterStillPressesItsButton) {
  form.closesWithEscape = true;
  ui::Edit cnpj("EdtCNPJSw", &form);
  cnpj.setBounds({16, 38, 254, 21});
  ui::Button ok("BtnOk", &form);
  ok.setBounds({276, 34, 80, 29});
  ok.isDefault = true;
  int presses = 0;
  ok.onClick = [&] { ++presses; };
  createAndShow();
  SetFocus(handleOf(cnpj));

  PostMessageW(handleOf(cnpj), WM_KEYDOWN, VK_RETURN, 1);
  host.processPendingMessages();
  EXPECT_EQ(presses, 1);
  EXPECT_FALSE(form.closeRequested());
  PostMessageW(handleOf(cnpj), WM_KEYDOWN, VK_ESCAPE, 1);
  host.processPendingMessages();
  EXPECT_TRUE(form.closeRequested());
}

}  // namespace
}  // namespace peer_tests

namespace peer_tests {
namespace {

// The viewer of large memos hands its text out as an edit does, scrolls by
// lines and pages, and goes to the end when asked.
TEST_F(PeerTest, ALargeTextViewReadsAndScrollsLikeAMemo) {
  ui::Memo log("MemoLogs", &form);
  log.setBounds({0, 0, 300, 200});
  log.setReadOnly(true);
  log.fixedPitch = true;
  log.largeText = true;
  createAndShow();
  HWND view = handleOf(log);
  std::u16string text;
  for (int i = 0; i < 5000; ++i) text += u"linha " + std::u16string(1, u'a' + i % 26) + u"\r\n";
  log.setText(text);

  EXPECT_EQ(SendMessageW(view, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(text.size()));
  EXPECT_EQ(windowText(log), text);
  const auto position = [&] {
    SCROLLINFO info{sizeof info, SIF_POS | SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(view, SB_VERT, &info);
    return std::pair{info.nPos, info.nMax};
  };
  EXPECT_EQ(position(), (std::pair{0, 4999}));
  sendKey(view, VK_NEXT);
  EXPECT_GT(position().first, 5);
  log.scrollToEnd();
  const auto [top, last] = position();
  EXPECT_GT(top, 4950);
  EXPECT_LE(top, last);
  SendMessageW(view, WM_VSCROLL, SB_TOP, 0);
  EXPECT_EQ(position().first, 0);
}

}  // namespace
}  // namespace peer_tests
