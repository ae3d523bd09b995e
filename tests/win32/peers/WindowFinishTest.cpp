// How the windows behave as a Windows user expects: the size a window keeps,
// its scroll bars, which button looks like the default, captions that fit.
#include <windows.h>

#include "peers/PeerFixture.h"

namespace peer_tests {
namespace {

bool hasStyle(HWND window, LONG style) {
  return (GetWindowLongW(window, GWL_STYLE) & style) != 0;
}

// Sizes the window so that its client area is width × height pixels.
void setClientSize(HWND window, int width, int height) {
  RECT frame{0, 0, width, height};
  AdjustWindowRectEx(&frame, GetWindowLongW(window, GWL_STYLE), FALSE,
                     GetWindowLongW(window, GWL_EXSTYLE));
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The status bar stays in view in a window smaller than its design, and the
// scroll bars go once the window is back at its design size.
TEST_F(PeerTest, ScrollBarsComeAndGoWithTheSizeAndTheStatusBarStaysInView) {
  form.borderStyle = ui::BorderStyle::Dialog;  // sized freely by the test
  form.scrollsWhenSmall = true;
  ui::StatusBar status("StatusBar", &form);
  status.setBounds({0, 0, 0, 19});
  status.setAlign(ui::Align::Bottom);
  createAndShow();
  HWND window = handleOf(form);

  setClientSize(window, host.scale(200), host.scale(150));
  EXPECT_TRUE(hasStyle(window, WS_HSCROLL));
  EXPECT_TRUE(hasStyle(window, WS_VSCROLL));
  RECT client;
  GetClientRect(window, &client);
  RECT bar;
  GetWindowRect(handleOf(status), &bar);
  MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_EQ(bar.bottom, client.bottom);

  setClientSize(window, host.scale(400), host.scale(300));
  EXPECT_FALSE(hasStyle(window, WS_HSCROLL));
  EXPECT_FALSE(hasStyle(window, WS_VSCROLL));
  GetWindowRect(handleOf(status), &bar);
  MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&bar), 2);
  EXPECT_EQ(bar.bottom, host.scale(300));
}

TEST_F(PeerTest, ASizeableWindowIsNeverDraggedSmallerThanItsDesign) {
  createAndShow();
  HWND window = handleOf(form);
  MINMAXINFO limits{};
  SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  RECT frame{0, 0, host.scale(400), host.scale(300)};
  AdjustWindowRectEx(&frame, GetWindowLongW(window, GWL_STYLE), FALSE,
                     GetWindowLongW(window, GWL_EXSTYLE));
  EXPECT_EQ(limits.ptMinTrackSize.x, frame.right - frame.left);
  EXPECT_EQ(limits.ptMinTrackSize.y, frame.bottom - frame.top);
}

// One button looks like the default at a time: the focused one, else the one
// the program made the default; an owner-drawn button takes part too.
TEST_F(PeerTest, OnlyOneButtonLooksLikeTheDefault) {
  ui::Edit code("EdtCodigo", &form);
  code.setBounds({10, 10, 100, 21});
  ui::Button confirm("BtnConfirmar", &form);
  confirm.setBounds({10, 40, 80, 25});
  confirm.isDefault = true;
  ui::Button other("BtnOutro", &form);
  other.setBounds({100, 40, 80, 25});
  ui::Button coloured("BtnPrincipal", &form);
  coloured.setBounds({190, 40, 80, 25});
  coloured.setFont({u"", 0, false, ui::rgb(0, 128, 0)});
  createAndShow();
  const auto looksDefault = [&](const ui::Control& button) {
    return (SendMessageW(handleOf(button), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) != 0;
  };

  SetFocus(handleOf(other));
  EXPECT_TRUE(looksDefault(other));
  EXPECT_FALSE(looksDefault(confirm));
  SetFocus(handleOf(coloured));
  EXPECT_TRUE(looksDefault(coloured));
  EXPECT_FALSE(looksDefault(other));
  EXPECT_FALSE(looksDefault(confirm));
  SetFocus(handleOf(code));
  EXPECT_TRUE(looksDefault(confirm));
  EXPECT_FALSE(looksDefault(coloured));
}

TEST_F(PeerTest, ALongCaptionFitsInsideTheFocusRectangle) {
  ui::Button associate("BtnAssocAssin", &form);
  associate.setBounds({4, 4, 130, 25});
  associate.setFont({u"Tahoma", 11, false, ui::kDefaultColor});
  associate.setText(u"Associar Aplic. Comercial");
  createAndShow();
  HWND button = handleOf(associate);
  HDC dc = GetDC(button);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)));
  SIZE caption{};
  GetTextExtentPoint32W(dc, L"Associar Aplic. Comercial", 25, &caption);
  SelectObject(dc, old);
  ReleaseDC(button, dc);
  EXPECT_LE(caption.cx, host.scale(130) - 2 * host.scale(4));
  EXPECT_EQ(windowText(associate), u"Associar Aplic. Comercial");
}

// The technician's commands sit in the window's system menu, after the
// system's own, and run their handlers through the model.
TEST_F(PeerTest, SystemMenuCommandsRunTheirHandlers) {
  int about = 0;
  int report = 0;
  form.systemMenuCommands = {{u"Sobre o Quorvel...", [&] { ++about; }},
                             {u"Relatório para suporte...", [&] { ++report; }}};
  createAndShow();
  HMENU menu = GetSystemMenu(handleOf(form), FALSE);
  const int count = GetMenuItemCount(menu);
  ASSERT_GE(count, 3);
  wchar_t caption[64];
  GetMenuStringW(menu, count - 2, caption, 64, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"Sobre o Quorvel...");
  GetMenuStringW(menu, count - 1, caption, 64, MF_BYPOSITION);
  EXPECT_STREQ(caption, L"Relatório para suporte...");
  SendMessageW(handleOf(form), WM_SYSCOMMAND, GetMenuItemID(menu, count - 1), 0);
  EXPECT_EQ(report, 1);
  EXPECT_EQ(about, 0);
  SendMessageW(handleOf(form), WM_SYSCOMMAND, SC_MINIMIZE, 0);  // the system's own still work
  EXPECT_TRUE(IsIconic(handleOf(form)));
}

}  // namespace
}  // namespace peer_tests
