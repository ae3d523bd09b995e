#pragma once
// The system's file dialogs and its shell: the Win32 implementation shows the
// common dialogs, the tests' one answers from a script.
#include <optional>
#include <string>

namespace ui {

struct FileDialogOptions {
  std::u16string title;             // empty: the system's
  std::u16string filter;            // "Text|*.txt|All|*.*"; empty: none
  std::u16string defaultExtension;  // without the dot; empty: none
  std::u16string initialName;
  // A save dialog asks the system's question before an existing file is
  // replaced.
  bool askBeforeReplacing = false;
};

class FilePickers {
 public:
  virtual ~FilePickers() = default;

  // The chosen full path, or nothing when the user cancelled.
  virtual std::optional<std::u16string> openFile(const FileDialogOptions& options) = 0;
  virtual std::optional<std::u16string> saveFile(const FileDialogOptions& options) = 0;
  // Opens a file with the application the shell has registered for it.
  virtual void openWithShell(const std::u16string& path) = 0;
};

}  // namespace ui
