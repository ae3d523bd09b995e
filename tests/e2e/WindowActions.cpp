#include "WindowActions.h"

#include <cwctype>

namespace e2e {

void click(HWND button) {
  PostMessageW(button, BM_CLICK, 0, 0);
}

void close(HWND window) {
  PostMessageW(window, WM_CLOSE, 0, 0);
}

void pressButton(HWND box, int id) {
  HWND button = GetDlgItem(box, id);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void pressOk(HWND box) {
  pressButton(box, IDOK);
}

void clickWithMouse(HWND field) {
  const LPARAM inside = MAKELPARAM(3, 3);
  PostMessageW(field, WM_LBUTTONDOWN, MK_LBUTTON, inside);
  PostMessageW(field, WM_LBUTTONUP, 0, inside);
}

void type(HWND edit, std::wstring_view text) {
  for (wchar_t c : text) PostMessageW(edit, WM_CHAR, c, 1);
}

void pressEnter(HWND focus) {
  const LPARAM scanCode = static_cast<LPARAM>(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(focus, WM_KEYDOWN, VK_RETURN, scanCode | 1);
  PostMessageW(focus, WM_KEYUP, VK_RETURN, scanCode | 1 | (1u << 30) | (1u << 31));
}

void pressCancel(HWND box) {
  pressButton(box, IDCANCEL);
}

void pressAlt(HWND focus, wchar_t letter) {
  const WPARAM key = static_cast<WPARAM>(towupper(letter));
  const LPARAM altDown = 1 | (1L << 29);
  PostMessageW(focus, WM_SYSKEYDOWN, VK_MENU, altDown);
  PostMessageW(focus, WM_SYSKEYDOWN, key, altDown);
  PostMessageW(focus, WM_SYSKEYUP, key, altDown | (1L << 30) | (1UL << 31));
  PostMessageW(focus, WM_KEYUP, VK_MENU, 1 | (1L << 30) | (1UL << 31));
}

void choose(HWND comboBox, int index) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutW(comboBox, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG, 5000,
                      &ignored);
  PostMessageW(GetParent(comboBox), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(comboBox), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(comboBox));
}

void pickRadio(HWND group, int index) {
  // The group's buttons carry the IDs 1, 2, ... in item order.
  click(GetDlgItem(group, index + 1));
}

}  // namespace e2e
