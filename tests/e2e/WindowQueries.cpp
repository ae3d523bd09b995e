#include "WindowQueries.h"

#include "ui/win32/ControlId.h"

#include <algorithm>
#include <limits>
#include <utility>

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

// At most `limit` characters of a window's text, and the length of the
// whole. A program busy in a device call must not block the driver.
struct TextStart {
  std::wstring text;
  std::size_t length = 0;
};

TextStart textStart(HWND window, std::size_t limit) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) {
    return {};
  }
  std::wstring text(std::min<std::size_t>(length, limit) + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                           SMTO_ABORTIFHUNG, 5000, &copied)) {
    return {};
  }
  text.resize(copied);
  return {std::move(text), length};
}

}  // namespace

HWND ownedDialog(HWND owner) {
  HWND dialog = nullptr;
  while ((dialog = FindWindowExW(nullptr, dialog, L"#32770", nullptr)) != nullptr) {
    if (GetWindow(dialog, GW_OWNER) == owner && IsWindowVisible(dialog)) return dialog;
  }
  return nullptr;
}

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

// A box the program moved off the screen (it may show one there for a
// moment to have the system load what showing it needs) is none the user
// sees.
std::vector<HWND> messageBoxes(DWORD processId) {
  const RECT screen{GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN),
                    GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                    GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  std::vector<HWND> found;
  for (HWND window : visibleTopLevelWindows(processId)) {
    RECT frame;
    RECT shown;
    if (windowClass(window) == L"#32770" && GetWindowRect(window, &frame) &&
        IntersectRect(&shown, &frame, &screen))
      found.push_back(window);
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

LRESULT textLength(HWND window) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 60000, &length);
  return static_cast<LRESULT>(length);
}

std::wstring windowText(HWND window) {
  return textStart(window, std::numeric_limits<std::size_t>::max()).text;
}

bool isChecked(HWND button) {
  DWORD_PTR state = 0;
  SendMessageTimeoutW(button, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
  return state == BST_CHECKED;
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

namespace {

constexpr std::size_t kExcerptCharacters = 160;
constexpr std::size_t kExcerptLines = 2;

// The start of a window's text for a report: its first lines, cut at a
// length, with the whole length said when it was cut. Only that much is
// fetched, so a memo of tens of megabytes is never copied for it.
std::string textExcerpt(HWND window) {
  auto [text, length] = textStart(window, kExcerptCharacters);
  if (length == 0) return {};
  std::size_t end = std::wstring::npos;
  for (std::size_t line = 0, from = 0; line < kExcerptLines; ++line) {
    end = text.find(L'\n', from);
    if (end == std::wstring::npos) break;
    from = end + 1;
  }
  if (end != std::wstring::npos) text.resize(end);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n')) text.pop_back();
  std::string excerpt = "\"" + toUtf8(text) + "\"";
  if (text.size() < length) excerpt += " ... (" + std::to_string(length) + " characters)";
  return excerpt;
}

}  // namespace

std::string describeWindows(DWORD processId) {
  std::string report = "Visible windows of process " + std::to_string(processId) + ":\n";
  for (HWND window : visibleTopLevelWindows(processId)) {
    report += "  [" + toUtf8(windowClass(window)) + "] " + textExcerpt(window) + "\n";
    forEachChild(window, [&](HWND child) {
      if (!IsWindowVisible(child)) return;
      const std::string text = textExcerpt(child);
      if (text.empty()) return;
      report += "      id " + std::to_string(GetDlgCtrlID(child)) + " [" +
                toUtf8(windowClass(child)) + "] " + text + "\n";
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

std::wstring widened(std::string_view ascii) {
  return std::wstring(ascii.begin(), ascii.end());
}

}  // namespace e2e
