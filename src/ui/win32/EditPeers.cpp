#include <windows.h>

#include <commctrl.h>

#include "ui/ShownText.h"
#include "ui/win32/Peers.h"
#include "ui/win32/WindowHost.h"

namespace ui::win32 {

NativePeer::Creation EditPeer::creation() const {
  const Edit& e = edit();
  DWORD style = ES_AUTOHSCROLL;
  if (e.passwordChar()) style |= ES_PASSWORD;
  if (e.numbersOnly) style |= ES_NUMBER;
  if (e.centered) style |= ES_CENTER;
  if (e.readOnly()) style |= ES_READONLY;
  return {WC_EDITW, style, WS_EX_CLIENTEDGE};
}

void EditPeer::applyText() {
  const Edit& e = edit();
  // 0 lifts the limit to the most an edit can hold.
  SendMessageW(handle(), EM_LIMITTEXT, static_cast<WPARAM>(e.maxLength()), 0);
  if (control_.kind() == Kind::Edit) {
    SendMessageW(handle(), EM_SETPASSWORDCHAR, e.passwordChar(), 0);
    InvalidateRect(handle(), nullptr, TRUE);
  }
  // A read-only memo shows what a device or a file gave the program.
  const bool shownOnly = control_.kind() == Kind::Memo && e.readOnly();
  setWindowTextQuietly(shownOnly ? drawnWithoutShaping(e.text()) : e.text());
}

void EditPeer::update(Property property) {
  if (property == Property::ReadOnly) SendMessageW(handle(), EM_SETREADONLY, edit().readOnly(), 0);
}

void EditPeer::command(WORD notification) {
  if (notification != EN_CHANGE || settingText()) return;
  std::u16string text = windowText(handle());
  host_.dispatcher().run([&] { static_cast<Edit&>(control_).setTextFromUser(std::move(text)); });
}

HBRUSH EditPeer::controlColor(HDC dc) {
  const Color background = control_.color();
  if (background == kDefaultColor && control_.font().color == kDefaultColor) return nullptr;
  SetTextColor(dc, textColor());
  if (background == kDefaultColor) {
    // Only the text has a colour: the background stays the system's.
    const bool grey = edit().readOnly() || !control_.enabled();
    SetBkColor(dc, GetSysColor(grey ? COLOR_BTNFACE : COLOR_WINDOW));
    return GetSysColorBrush(grey ? COLOR_BTNFACE : COLOR_WINDOW);
  }
  SetBkColor(dc, background);
  return host_.brush(background);
}

NativePeer::Creation MemoPeer::creation() const {
  const auto& memo = static_cast<const Memo&>(control_);
  DWORD style = ES_MULTILINE | ES_AUTOVSCROLL | ES_NOHIDESEL;
  if (!memo.wordWrap) style |= ES_AUTOHSCROLL;
  if (memo.centered) style |= ES_CENTER;
  if (memo.verticalScrollBar) style |= WS_VSCROLL;
  if (memo.horizontalScrollBar) style |= WS_HSCROLL;
  if (memo.readOnly())
    style |= ES_READONLY;
  else
    style |= ES_WANTRETURN;
  return {WC_EDITW, style, WS_EX_CLIENTEDGE};
}

namespace {

int CALLBACK noteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool fontInstalled(const wchar_t* name) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, name, LF_FACESIZE);
  bool found = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(dc, &wanted, noteFontFound, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}

}  // namespace

Font memoFont(const Memo& memo) {
  Font font = memo.effectiveFont();
  if (memo.fixedPitch) {
    // Windows has the first; a system without it (Wine) has one of the others.
    static const std::u16string face = [] {
      for (const char16_t* name : {u"Lucida Console", u"Courier New", u"Liberation Mono"}) {
        if (fontInstalled(reinterpret_cast<const wchar_t*>(name))) return std::u16string(name);
      }
      return std::u16string(u"Courier");
    }();
    font.name = face;
  }
  return font;
}

Font MemoPeer::nativeFont() const {
  return memoFont(static_cast<const Memo&>(control_));
}

// A little room between the frame and the text, so the caret and the first
// letter do not touch the border; set after the font, which resets it.
void MemoPeer::applyFont() {
  EditPeer::applyFont();
  const int margin = host_.scale(4);
  SendMessageW(handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELPARAM(margin, margin));
}

bool MemoPeer::searchable() const {
  return static_cast<const Memo&>(control_).readOnly();
}

// The edit holds the model's text with some characters replaced one for one
// (drawnWithoutShaping), so positions in either are the same.
std::optional<std::size_t> MemoPeer::find(const TextSearch& search, std::size_t from) const {
  return findText(control_.text(), search, from);
}

std::pair<std::size_t, std::size_t> MemoPeer::selectedRange() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

void MemoPeer::selectRange(std::size_t start, std::size_t end) {
  SendMessageW(handle(), EM_SETSEL, start, static_cast<LPARAM>(end));
  SendMessageW(handle(), EM_SCROLLCARET, 0, 0);
}

void MemoPeer::update(Property property) {
  EditPeer::update(property);
  if (property != Property::ScrollToEnd) return;
  const LRESULT length = GetWindowTextLengthW(handle());
  SendMessageW(handle(), EM_SETSEL, length, length);
  SendMessageW(handle(), EM_SCROLLCARET, 0, 0);
}

}  // namespace ui::win32
