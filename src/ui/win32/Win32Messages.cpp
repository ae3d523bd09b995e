#include "ui/win32/Win32Messages.h"

#include <algorithm>

#include "ui/win32/NativePeer.h"
#include "ui/win32/WindowHost.h"

namespace ui::win32 {

namespace {

HHOOK centringHook = nullptr;

// Message boxes open over their owner; this program's open centred on the
// screen, moved there as they are first activated.
LRESULT CALLBACK centreOnActivation(int code, WPARAM w, LPARAM l) {
  if (code == HCBT_ACTIVATE) {
    HWND box = reinterpret_cast<HWND>(w);
    RECT window;
    RECT work;
    GetWindowRect(box, &window);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const LONG left =
        work.left + std::max(0L, (work.right - work.left - (window.right - window.left)) / 2);
    const LONG top =
        work.top + std::max(0L, (work.bottom - work.top - (window.bottom - window.top)) / 2);
    SetWindowPos(box, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UnhookWindowsHookEx(centringHook);
    centringHook = nullptr;
    return 0;
  }
  return CallNextHookEx(centringHook, code, w, l);
}

int centredMessageBox(const std::u16string& text, const std::u16string& caption, UINT type) {
  HWND owner = GetActiveWindow();
  centringHook = SetWindowsHookExW(WH_CBT, centreOnActivation, nullptr, GetCurrentThreadId());
  const int answer = MessageBoxW(owner, wide(text), wide(caption), type);
  if (centringHook) {
    UnhookWindowsHookEx(centringHook);
    centringHook = nullptr;
  }
  return answer;
}

}  // namespace

void Win32Messages::showMessage(const std::u16string& text) {
  centredMessageBox(text, title_, MB_OK);
}

bool Win32Messages::confirm(const std::u16string& text) {
  return centredMessageBox(text, u"Confirm", MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void Win32Messages::systemError(const std::u16string& text, const std::u16string& caption) {
  MessageBoxW(nullptr, wide(text), wide(caption), MB_OK);
}

void Win32Messages::reportUnexpected(const std::u16string& description) {
  centredMessageBox(description, title_, MB_OK | MB_ICONERROR);
}

void Win32Messages::showModal(Form& form) {
  if (host_) host_->showModal(form);
}

bool Win32Messages::askYesNo(const std::u16string& text) {
  return centredMessageBox(text, title_, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

}  // namespace ui::win32
