#include "ui/win32/TextFinder.h"

#include "platform/win32/SystemFunction.h"
#include "ui/win32/NativePeer.h"

namespace ui::win32 {

namespace {

BOOL CALLBACK takeShownSearchable(HWND window, LPARAM found) {
  NativePeer* peer = NativePeer::fromHandle(window);
  if (!peer || !peer->searchable() || !IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<NativePeer**>(found) = peer;
  return FALSE;
}

bool takesTyping(const Control& control) {
  switch (control.kind()) {
    case Kind::Edit:
    case Kind::MaskEdit:
    case Kind::ComboBox:
    case Kind::Memo:
      return true;
    default:
      return false;
  }
}

// The text to search: the control with the focus when it has one, or else
// the first one shown on the page (or window) around the focus, since right
// after a listing or a test the focus is on a button. A field being typed
// in keeps its keys.
NativePeer* searchableAroundFocus() {
  HWND focus = GetFocus();
  NativePeer* peer = NativePeer::fromHandle(focus);
  if (!peer) return nullptr;
  if (peer->searchable()) return peer;
  if (takesTyping(peer->control())) return nullptr;
  for (HWND around = GetParent(focus); around; around = GetParent(around)) {
    NativePeer* found = nullptr;
    EnumChildWindows(around, takeShownSearchable, reinterpret_cast<LPARAM>(&found));
    if (found) return found;
  }
  return nullptr;
}

}  // namespace

TextFinder::TextFinder() : findMessage_(RegisterWindowMessageW(FINDMSGSTRINGW)) {}

bool TextFinder::takeKey(const MSG& message) {
  // Ctrl+F as a key, or as the character it types (^F), which is what a
  // program driving the window by messages can send.
  constexpr WPARAM kControlF = 0x06;
  const bool control = GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0;
  const bool findKey = (message.message == WM_KEYDOWN && control && message.wParam == 'F') ||
                       (message.message == WM_CHAR && message.wParam == kControlF);
  const bool nextKey = message.message == WM_KEYDOWN && message.wParam == VK_F3;
  if (!findKey && !nextKey) return false;
  NativePeer* peer = searchableAroundFocus();
  if (!peer) {
    // F3 in the Find dialog itself goes on in the text it searches.
    const bool inDialog = dialog_ && (GetFocus() == dialog_ || IsChild(dialog_, GetFocus()));
    if (findKey || !inDialog || search_.what.empty()) return false;
    findNext();
    return true;
  }
  if (findKey || search_.what.empty()) {
    open(peer->handle());
  } else {
    target_ = peer->handle();
    findNext();
  }
  return true;
}

bool TextFinder::takeDialogMessage(MSG& message) const {
  return dialog_ && IsWindow(dialog_) && IsDialogMessageW(dialog_, &message);
}

void TextFinder::open(HWND target) {
  target_ = target;
  if (dialog_ && IsWindow(dialog_)) {
    SetFocus(dialog_);
    return;
  }
  request_ = {};
  request_.lStructSize = sizeof request_;
  request_.hwndOwner = GetAncestor(target, GA_ROOT);
  // Down, without case, unless the last search said otherwise.
  request_.Flags = (search_.down ? FR_DOWN : 0) | (search_.matchCase ? FR_MATCHCASE : 0) |
                   (search_.wholeWord ? FR_WHOLEWORD : 0);
  request_.lpstrFindWhat = what_;
  request_.wFindWhatLen = static_cast<WORD>(std::size(what_));
  static const auto findText =
      platform::requiredSystemFunction<decltype(&FindTextW)>(L"comdlg32.dll", "FindTextW");
  dialog_ = findText(&request_);
}

void TextFinder::onFindMessage(const FINDREPLACEW& request) {
  if (request.Flags & FR_DIALOGTERM) {
    dialog_ = nullptr;
    return;
  }
  if (!(request.Flags & FR_FINDNEXT)) return;
  search_.what.assign(reinterpret_cast<const char16_t*>(what_));
  search_.down = request.Flags & FR_DOWN;
  search_.matchCase = request.Flags & FR_MATCHCASE;
  search_.wholeWord = request.Flags & FR_WHOLEWORD;
  findNext();
}

void TextFinder::findNext() {
  NativePeer* peer = NativePeer::fromHandle(target_);
  if (!peer || !peer->searchable() || search_.what.empty()) return;
  // From the end of the selection going down, from its start going up, so a
  // match already selected is passed over.
  const auto [start, end] = peer->selectedRange();
  const auto found = peer->find(search_, search_.down ? end : start);
  if (found) {
    peer->selectRange(*found, *found + search_.what.size());
    return;
  }
  const std::u16string message = u"Não foi possível encontrar \"" + search_.what + u"\".";
  MessageBoxW(dialog_ ? dialog_ : GetAncestor(target_, GA_ROOT),
              reinterpret_cast<const wchar_t*>(message.c_str()), L"Localizar",
              MB_OK | MB_ICONINFORMATION);
}

}  // namespace ui::win32
