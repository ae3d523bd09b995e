#include "ui/win32/Win32FilePickers.h"

#include <windows.h>

#include <commdlg.h>
#include <shellapi.h>

#include <algorithm>

#include "platform/win32/SystemFunction.h"
#include "ui/win32/NativePeer.h"

namespace ui::win32 {

namespace {

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

std::optional<std::u16string> Win32FilePickers::openFile(const FileDialogOptions& options) {
  return fileDialog(options, false);
}

std::optional<std::u16string> Win32FilePickers::saveFile(const FileDialogOptions& options) {
  return fileDialog(options, true);
}

void Win32FilePickers::openWithShell(const std::u16string& path) {
  static const auto shellExecute =
      platform::requiredSystemFunction<decltype(&ShellExecuteW)>(L"shell32.dll", "ShellExecuteW");
  shellExecute(GetActiveWindow(), L"open", wide(path), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace ui::win32
