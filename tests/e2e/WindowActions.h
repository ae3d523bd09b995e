#pragma once
// Acting on the program's windows the way a user's input would reach them.
// Everything is posted: a click that opens a modal window must not keep the
// driver waiting inside SendMessage until that window closes.
#include <windows.h>

#include <string_view>

namespace e2e {

void click(HWND button);
void close(HWND window);
// Presses a message box's button: IDOK, IDYES...
void pressButton(HWND box, int id);
// Presses a message box's OK button.
void pressOk(HWND box);
// A click with the mouse, as input: a field takes the focus, a button is
// pressed.
void clickWithMouse(HWND field);
// One WM_CHAR per character, as typing on the keyboard delivers them.
void type(HWND edit, std::wstring_view text);
// Enter through the program's own message loop, where the default button
// takes it.
void pressEnter(HWND focus);
// Presses a confirmation's Cancel button.
void pressCancel(HWND box);
// Alt and a letter, as the keyboard delivers them: the window's mnemonic.
void pressAlt(HWND focus, wchar_t letter);
// Chooses a list's item as a user's pick would, with the change notified.
void choose(HWND comboBox, int index);
// Picks an item of a radio group (the first is 0).
void pickRadio(HWND group, int index);

}  // namespace e2e
