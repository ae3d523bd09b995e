#pragma once
// Acting on the program's windows the way a user's input would reach them.
// Everything is posted: a click that opens a modal window must not keep the
// driver waiting inside SendMessage until that window closes.
#include <windows.h>

#include <string_view>

namespace e2e {

void click(HWND button);
void close(HWND window);
// Presses a message box's OK button.
void pressOk(HWND box);
// One WM_CHAR per character, as typing on the keyboard delivers them.
void type(HWND edit, std::wstring_view text);
// Enter through the program's own message loop, where the default button
// takes it.
void pressEnter(HWND focus);

}  // namespace e2e
