#include <windows.h>

#include <commctrl.h>

#include "ui/win32/Peers.h"
#include "ui/win32/WindowHost.h"

namespace ui::win32 {

MaskEditPeer::MaskEditPeer(WindowHost& host, MaskEdit& control)
    : EditPeer(host, control), mask_(control.editMask.get()) {}

void MaskEditPeer::applyText() {
  if (mask_.empty()) return EditPeer::applyText();
  SendMessageW(handle(), EM_LIMITTEXT, mask_.length(), 0);
  setWindowTextQuietly(mask_.display(control_.text()));
}

void MaskEditPeer::command(WORD notification) {
  if (mask_.empty()) return EditPeer::command(notification);
  if (notification != EN_CHANGE || settingText()) return;
  // A change that did not pass through the keys below (input methods, drag
  // and drop): put the field back into the mask's shape.
  const std::u16string digits = mask_.text(windowText(handle()));
  setWindowTextQuietly(mask_.display(digits));
  host_.dispatcher().run([&] { static_cast<Edit&>(control_).setTextFromUser(digits); });
}

MaskSelection MaskEditPeer::selection() const {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
               reinterpret_cast<LPARAM>(&end));
  return {start, end > start ? end - start : 0};
}

void MaskEditPeer::moveCaret(std::size_t caret) {
  SendMessageW(handle(), EM_SETSEL, caret, caret);
  SendMessageW(handle(), EM_SCROLLCARET, 0, 0);
}

void MaskEditPeer::apply(const MaskEditResult& result) {
  if (!result.changed) return;
  if (result.display != windowText(handle())) setWindowTextQuietly(result.display);
  moveCaret(result.caret);
  std::u16string text = mask_.text(result.display);
  host_.dispatcher().run([&] { static_cast<Edit&>(control_).setTextFromUser(std::move(text)); });
}

std::u16string MaskEditPeer::clipboardText() const {
  std::u16string text;
  if (!OpenClipboard(handle())) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const char16_t*>(GlobalLock(data))) {
      // The clipboard is another program's data: never read past its block.
      const std::size_t capacity = GlobalSize(data) / sizeof(char16_t);
      std::size_t length = 0;
      while (length < capacity && chars[length]) ++length;
      text.assign(chars, length);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

LRESULT MaskEditPeer::subclassMessage(UINT message, WPARAM w, LPARAM l) {
  if (mask_.empty() || !attached()) return defaultSubclassMessage(message, w, l);
  const bool editable = !edit().readOnly();
  switch (message) {
    case WM_CHAR: {
      const auto c = static_cast<char16_t>(w);
      if (c == u'\b') {
        if (editable) apply(mask_.backspace(windowText(handle()), selection()));
        return 0;
      }
      if (c == 0x1A) return 0;  // Ctrl+Z: the edit's undo knows nothing of the mask
      if (c < 0x20) break;      // Ctrl+C, Ctrl+V, Ctrl+X come back as messages
      if (editable) apply(mask_.type(windowText(handle()), selection(), c));
      return 0;
    }
    case WM_KEYDOWN: {
      const bool shift = GetKeyState(VK_SHIFT) < 0;
      const bool control = GetKeyState(VK_CONTROL) < 0;
      const MaskSelection selected = selection();
      switch (w) {
        case VK_DELETE:
          if (shift)
            SendMessageW(handle(), WM_CUT, 0, 0);
          else if (editable)
            apply(mask_.deleteForward(windowText(handle()), selected));
          return 0;
        case VK_INSERT:
          if (!shift) break;
          SendMessageW(handle(), WM_PASTE, 0, 0);
          return 0;
        case VK_LEFT:
          if (shift || control) break;
          moveCaret(selected.length ? selected.start : mask_.caretLeft(selected.start));
          return 0;
        case VK_RIGHT:
          if (shift || control) break;
          moveCaret(selected.length ? selected.start + selected.length
                                    : mask_.caretRight(selected.start));
          return 0;
        case VK_HOME:
          if (shift || control) break;
          moveCaret(mask_.caretHome());
          return 0;
        case VK_END:
          if (shift || control) break;
          moveCaret(mask_.caretEnd());
          return 0;
        default:
          break;
      }
      break;
    }
    case WM_PASTE:
      if (editable) apply(mask_.paste(windowText(handle()), selection(), clipboardText()));
      return 0;
    case WM_CUT:
      SendMessageW(handle(), WM_COPY, 0, 0);
      [[fallthrough]];
    case WM_CLEAR:
      if (const MaskSelection selected = selection(); editable && selected.length)
        apply(mask_.deleteForward(windowText(handle()), selected));
      return 0;
    case WM_UNDO:
    case EM_UNDO:
      return 0;
    case WM_SETTEXT:
      // Text put in from outside (another program driving this one): digits,
      // with or without the punctuation, land in the slots.
      if (!settingText() && l) {
        const std::u16string shown = mask_.display(reinterpret_cast<const char16_t*>(l));
        return defaultSubclassMessage(message, w, reinterpret_cast<LPARAM>(shown.c_str()));
      }
      break;
    default:
      break;
  }
  return defaultSubclassMessage(message, w, l);
}

}  // namespace ui::win32
