#pragma once
// Screenshots of the program's windows as PNG files in the screenshot folder.
#include <windows.h>

#include <string>

namespace e2e {

// Captures the window with its frame once its picture has stopped changing
// and saves it as fileName in the screenshot folder. Returns an error text,
// empty on success.
std::string saveScreenshot(HWND window, const std::wstring& fileName);

// Whether the middle band of the window's left half, as the screen shows it
// now, holds more than one colour: some text has been painted there.
bool showsTextOnTheLeft(HWND window);

}  // namespace e2e
