#include "WindowQueries.h"

#include "ui/win32/ControlId.h"

namespace e2e {
namespace {

// EnumWindows wants a stdcall function; the visitor rides in the LPARAM.
template <class Visit>
BOOL CALLBACK visitWindow(HWND window, LPARAM context) {
  (*reinterpret_cast<Visit*>(context))(window);
  return TRUE;
}

template <class Visit>
void forEachTopLevel(Visit visit) {
  EnumWindows(visitWindow<Visit>, reinterpret_cast<LPARAM>(&visit));
}

template <class Visit>
void forEachChild(HWND parent, Visit visit) {
  EnumChildWindows(parent, visitWindow<Visit>, reinterpret_cast<LPARAM>(&visit));
}

bool belongsTo(HWND window, DWORD processId) {
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return owner == processId;
}

}  // namespace

std::vector<HWND> visibleTopLevelWindows(DWORD processId) {
  std::vector<HWND> found;
  forEachTopLevel([&](HWND window) {
    if (belongsTo(window, processId) && IsWindowVisible(window)) found.push_back(window);
  });
  return found;
}

HWND findTopLevelWindow(DWORD processId, std::wstring_view caption) {
  for (HWND window : visibleTopLevelWindows(processId)) {
    if (windowText(window) == caption) return window;
  }
  return nullptr;
}

std::vector<HWND> messageBoxes(DWORD processId) {
  std::vector<HWND> found;
  for (HWND window : visibleTopLevelWindows(processId)) {
    if (windowClass(window) == L"#32770") found.push_back(window);
  }
  return found;
}

HWND findControl(HWND top, std::string_view name) {
  const int id = ui::win32::controlIdFor(name);
  HWND found = nullptr;
  forEachChild(top, [&](HWND child) {
    if (!found && GetDlgCtrlID(child) == id) found = child;
  });
  return found;
}

HWND focusedWindow(HWND top) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(top, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

std::wstring windowText(HWND window) {
  // A program busy in a device call must not block the driver.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return {};
  }
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, 5000, &copied)) {
    return {};
  }
  text.resize(copied);
  return text;
}

std::wstring windowClass(HWND window) {
  wchar_t name[256];
  const int length = GetClassNameW(window, name, 256);
  return std::wstring(name, length > 0 ? length : 0);
}

std::wstring messageBoxText(HWND box) {
  std::wstring text;
  forEachChild(box, [&](HWND child) {
    if (_wcsicmp(windowClass(child).c_str(), L"Static") != 0) return;
    const std::wstring part = windowText(child);
    if (part.empty()) return;
    if (!text.empty()) text += L"\n";
    text += part;
  });
  return text;
}

std::string describeWindows(DWORD processId) {
  std::string report = "Visible windows of process " + std::to_string(processId) + ":\n";
  for (HWND window : visibleTopLevelWindows(processId)) {
    report += "  [" + toUtf8(windowClass(window)) + "] \"" + toUtf8(windowText(window)) + "\"\n";
    forEachChild(window, [&](HWND child) {
      if (!IsWindowVisible(child)) return;
      const std::wstring text = windowText(child);
      if (text.empty()) return;
      report += "      id " + std::to_string(GetDlgCtrlID(child)) + " [" +
                toUtf8(windowClass(child)) + "] \"" + toUtf8(text) + "\"\n";
    });
  }
  return report;
}

std::string toUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(size, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

}  // namespace e2e
