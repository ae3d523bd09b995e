#include "WindowActions.h"

namespace e2e {

void click(HWND button) {
  PostMessageW(button, BM_CLICK, 0, 0);
}

void close(HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
}

void pressOk(HWND box) {
  HWND ok = GetDlgItem(box, IDOK);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
}

void type(HWND edit, std::wstring_view text) {
  for (wchar_t c : text) PostMessageW(edit, WM_CHAR, c, 1);
}

void pressEnter(HWND focus) {
  const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(focus, WM_KEYDOWN, VK_RETURN, scanCode | 1);
  PostMessageW(focus, WM_KEYUP, VK_RETURN, scanCode | 1 | (1u << 30) | (1u << 31));
}

}  // namespace e2e
