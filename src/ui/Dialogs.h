#pragma once
// Every modal interaction of the program goes through this interface: the
// Win32 implementation shows real windows, the tests' one records the calls
// and answers from a script.
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace ui {

class Form;

struct FileDialogOptions {
  std::u16string title;             // empty: the system's
  std::u16string filter;            // "Text|*.txt|All|*.*"; empty: none
  std::u16string defaultExtension;  // without the dot; empty: none
  std::u16string initialName;
  // A save dialog asks the system's question before an existing file is
  // replaced.
  bool askBeforeReplacing = false;
};

// A device call abandoned because the device library left an exception
// unhandled (an access violation in the maker's code, an exception of its
// language, a stack overflow) instead of returning.
struct DeviceCallFaulted : std::runtime_error {
  DeviceCallFaulted() : std::runtime_error("SAT.DLL falhou") {}
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;

  // The ordinary message box: modal, centred, captioned with the application
  // title, one OK button.
  virtual void showMessage(const std::u16string& text) = 0;
  // Question icon, caption "Confirm", OK and Cancel; true for OK.
  virtual bool confirm(const std::u16string& text) = 0;
  // The plain system message box with no owner window and one OK button.
  virtual void systemError(const std::u16string& text, const std::u16string& caption) = 0;
  // The chosen full path, or nothing when the user cancelled.
  virtual std::optional<std::u16string> openFile(const FileDialogOptions& options) = 0;
  virtual std::optional<std::u16string> saveFile(const FileDialogOptions& options) = 0;
  // Shows the window modally: returns once it has closed.
  virtual void showModal(Form& form) = 0;
  // Opens a file with the application the shell has registered for it.
  virtual void openWithShell(const std::u16string& path) = 0;
  // The report of an unexpected failure: an error box captioned with the
  // application title that carries the failure's description.
  virtual void reportUnexpected(const std::u16string& description) = 0;
  // Runs a device call. Nothing else can be done meanwhile, but the windows
  // stay painted and movable; returns once the call has, rethrowing what it
  // threw, or throwing DeviceCallFaulted when it crashed.
  virtual void whileDeviceWorks(const std::function<void()>& call) = 0;
  // Loads the device library as whileDeviceWorks runs a call; a load that
  // does not end is reported, and the user may wait on or close the program.
  virtual void whileLibraryLoads(const std::function<void()>& load) = 0;
};

}  // namespace ui
