#pragma once
// Finding the program's windows from outside: top-level windows by process and
// caption, controls by the name their control ID is derived from, and texts.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace e2e {

// Visible top-level windows of the process, in z-order.
std::vector<HWND> visibleTopLevelWindows(DWORD processId);
HWND findTopLevelWindow(DWORD processId, std::wstring_view caption);
// Visible standard dialogs (message boxes) of the process.
std::vector<HWND> messageBoxes(DWORD processId);

// The descendant of top whose control ID belongs to the control's name.
HWND findControl(HWND top, std::string_view name);

std::wstring windowText(HWND window);
// The length of the window's text in characters (WM_GETTEXTLENGTH), 0 from a
// window that does not answer.
LRESULT textLength(HWND window);
// Whether a check box or radio button is checked.
bool isChecked(HWND button);
// The window that has the keyboard focus in the thread that owns top.
HWND focusedWindow(HWND top);
// The visible dialog box the window owns (the system's Find dialog), or
// nullptr.
HWND ownedDialog(HWND owner);
std::wstring windowClass(HWND window);
// The texts of a message box's static controls, joined by line breaks.
std::wstring messageBoxText(HWND box);

// Every visible top-level window of the process with class, caption and
// texts of its child controls (the first lines of each), for failure reports.
std::string describeWindows(DWORD processId);

std::string toUtf8(std::wstring_view text);
// ASCII text as wide text, each byte its own character.
std::wstring widened(std::string_view ascii);

}  // namespace e2e
