#include "ui/win32/PreparedQuestion.h"

#include <algorithm>

namespace ui::win32 {

namespace {

constexpr int kMargin = 12;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;
constexpr int kTextWidth = 420;

const wchar_t* wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

HFONT messageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return CreateFontIndirectW(&metrics.lfMessageFont);
}

// The height the text takes at the width, in the font.
int textHeight(const std::u16string& text, HFONT font) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  RECT bounds{0, 0, kTextWidth, 0};
  DrawTextW(dc, wide(text), -1, &bounds, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
  SelectObject(dc, old);
  DeleteDC(dc);
  return bounds.bottom;
}

HWND child(const wchar_t* windowClass, const wchar_t* text, DWORD style, RECT place, HWND parent,
           int id, HFONT font) {
  HWND made = CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, place.left,
                              place.top, place.right - place.left, place.bottom - place.top, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                              GetModuleHandleW(nullptr), nullptr);
  SendMessageW(made, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return made;
}

// Has the window and its controls handle a paint message, though nothing of
// them is on the screen: what their painting loads the first time (parts of
// the common controls library) is loaded now.
void paintOnce(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INTERNALPAINT | RDW_ALLCHILDREN);
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE)) DispatchMessageW(&message);
}

}  // namespace

PreparedQuestion::PreparedQuestion(const std::u16string& caption, const std::u16string& text) {
  font_ = messageFont();
  const int textBottom = kMargin + textHeight(text, font_);
  const int buttonsTop = textBottom + kMargin;
  RECT client{0, 0, kTextWidth + 2 * kMargin, buttonsTop + kButtonHeight + kMargin};
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  AdjustWindowRectEx(&client, style, FALSE, WS_EX_DLGMODALFRAME | WS_EX_TOPMOST);
  // The system's dialog class, as a message box's: automation and screen
  // readers take it for one.
  window_ = CreateWindowExW(WS_EX_DLGMODALFRAME | WS_EX_TOPMOST, L"#32770", wide(caption), style, 0,
                            0, client.right - client.left, client.bottom - client.top, nullptr,
                            nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!window_) return;
  SetWindowLongPtrW(window_, DWLP_USER, reinterpret_cast<LONG_PTR>(this));
  SetWindowLongPtrW(window_, DWLP_DLGPROC, reinterpret_cast<LONG_PTR>(dialogProc));
  // Given now: shown without one, the window would have the system look its
  // default icon up in a library's resources, which waits for the lock.
  HICON icon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  if (!icon) icon = LoadIconW(nullptr, IDI_WARNING);
  SendMessageW(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SendMessageW(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  child(L"STATIC", wide(text), SS_LEFT | SS_NOPREFIX,
        {kMargin, kMargin, kMargin + kTextWidth, textBottom}, window_, -1, font_);
  const int noLeft = kMargin + kTextWidth - kButtonWidth;
  const int yesLeft = noLeft - kMargin / 2 - kButtonWidth;
  child(L"BUTTON", L"&Sim", BS_PUSHBUTTON | WS_TABSTOP,
        {yesLeft, buttonsTop, yesLeft + kButtonWidth, buttonsTop + kButtonHeight}, window_, IDYES,
        font_);
  no_ = child(L"BUTTON", L"&Não", BS_DEFPUSHBUTTON | WS_TABSTOP,
              {noLeft, buttonsTop, noLeft + kButtonWidth, buttonsTop + kButtonHeight}, window_,
              IDNO, font_);
  // Shown and activated once off the screen, and hidden at once: what the
  // system loads the first time a window shows and takes the keyboard (the
  // display driver, the input method) is loaded now, not when the lock is
  // held. The program is starting: it takes the front anyway.
  SetWindowPos(window_, nullptr, -32000, -32000, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  SetForegroundWindow(window_);
  paintOnce(window_);
  ShowWindow(window_, SW_HIDE);
}

PreparedQuestion::~PreparedQuestion() {
  if (window_) DestroyWindow(window_);
  if (font_ && font_ != GetStockObject(DEFAULT_GUI_FONT)) DeleteObject(font_);
}

bool PreparedQuestion::ask() const {
  if (!window_) return false;
  RECT frame;
  RECT work;
  GetWindowRect(window_, &frame);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const LONG width = frame.right - frame.left;
  const LONG height = frame.bottom - frame.top;
  SetWindowPos(window_, HWND_TOPMOST,
               work.left + std::max(0L, (work.right - work.left - width) / 2),
               work.top + std::max(0L, (work.bottom - work.top - height) / 2), 0, 0,
               SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(window_);
  SetFocus(no_);
  answer_ = 0;
  MSG message;
  while (answer_ == 0 && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window_, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  ShowWindow(window_, SW_HIDE);
  return answer_ == IDYES;
}

INT_PTR CALLBACK PreparedQuestion::dialogProc(HWND window, UINT message, WPARAM w, LPARAM) {
  auto* self = reinterpret_cast<PreparedQuestion*>(GetWindowLongPtrW(window, DWLP_USER));
  if (!self) return FALSE;
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(w) == IDYES || LOWORD(w) == IDNO) self->answer_ = LOWORD(w);
      if (LOWORD(w) == IDCANCEL) self->answer_ = IDNO;  // Esc
      return TRUE;
    case WM_CLOSE:
      self->answer_ = IDNO;
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace ui::win32
