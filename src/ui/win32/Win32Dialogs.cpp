#include "ui/win32/Win32Dialogs.h"

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>

#include "platform/win32/SystemFunction.h"
#include "ui/win32/DeviceWait.h"
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

// "Text|*.txt|All|*.*" as the common dialogs take it: NUL-separated pairs
// ending in two NULs.
std::u16string nativeFilter(const std::u16string& filter) {
  if (filter.empty()) return {};
  std::u16string result = filter;
  std::replace(result.begin(), result.end(), u'|', u'\0');
  result.push_back(u'\0');
  return result;
}

std::optional<std::u16string> fileDialog(const FileDialogOptions& options, bool save) {
  std::u16string path = options.initialName;
  path.resize(std::max<std::size_t>(path.size() + 1, 32768), u'\0');
  const std::u16string filter = nativeFilter(options.filter);
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = GetActiveWindow();
  dialog.lpstrFilter = filter.empty() ? nullptr : wide(filter);
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = reinterpret_cast<wchar_t*>(path.data());
  dialog.nMaxFile = static_cast<DWORD>(path.size());
  dialog.lpstrTitle = options.title.empty() ? nullptr : wide(options.title);
  dialog.lpstrDefExt = options.defaultExtension.empty() ? nullptr : wide(options.defaultExtension);
  dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_NOCHANGEDIR |
                 (save ? OFN_PATHMUSTEXIST : OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST) |
                 (save && options.askBeforeReplacing ? OFN_OVERWRITEPROMPT : 0);
  static const auto getSaveFileName = platform::requiredSystemFunction<decltype(&GetSaveFileNameW)>(
      L"comdlg32.dll", "GetSaveFileNameW");
  static const auto getOpenFileName = platform::requiredSystemFunction<decltype(&GetOpenFileNameW)>(
      L"comdlg32.dll", "GetOpenFileNameW");
  const BOOL chosen = save ? getSaveFileName(&dialog) : getOpenFileName(&dialog);
  if (!chosen) return std::nullopt;
  path.resize(std::char_traits<char16_t>::length(path.c_str()));
  return path;
}

}  // namespace

void Win32Dialogs::showMessage(const std::u16string& text) {
  centredMessageBox(text, title_, MB_OK);
}

bool Win32Dialogs::confirm(const std::u16string& text) {
  return centredMessageBox(text, u"Confirm", MB_OKCANCEL | MB_ICONQUESTION) == IDOK;
}

void Win32Dialogs::systemError(const std::u16string& text, const std::u16string& caption) {
  MessageBoxW(nullptr, wide(text), wide(caption), MB_OK);
}

std::optional<std::u16string> Win32Dialogs::openFile(const FileDialogOptions& options) {
  return fileDialog(options, false);
}

std::optional<std::u16string> Win32Dialogs::saveFile(const FileDialogOptions& options) {
  return fileDialog(options, true);
}

void Win32Dialogs::showModal(Form& form) {
  if (host_) host_->showModal(form);
}

void Win32Dialogs::openWithShell(const std::u16string& path) {
  static const auto shellExecute =
      platform::requiredSystemFunction<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  shellExecute(GetActiveWindow(), L"open", wide(path), nullptr, nullptr, SW_SHOWNORMAL);
}

bool Win32Dialogs::askYesNo(const std::u16string& text) {
  return centredMessageBox(text, title_, MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) == IDYES;
}

void Win32Dialogs::whileDeviceWorks(const std::function<void()>& call) {
  deviceWait_->whileDeviceWorks(call);
}

void Win32Dialogs::whileLibraryLoads(const std::function<void()>& load) {
  deviceWait_->whileLibraryLoads(load);
}

void Win32Dialogs::reportUnexpected(const std::u16string& description) {
  centredMessageBox(description, title_, MB_OK | MB_ICONERROR);
}

}  // namespace ui::win32
