#pragma once
// Screenshots of the program's windows as PNG files in the screenshot folder.
#include <windows.h>

#include <string>

namespace e2e {

// Captures the window with its frame once its picture has stopped changing
// and saves it as fileName in the screenshot folder. Returns an error text,
// empty on success.
std::string saveScreenshot(HWND window, const std::wstring& fileName);

}  // namespace e2e
