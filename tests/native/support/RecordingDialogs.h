#pragma once
// Dialogs for headless tests: records every call and answers from a script.
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "settings/SettingsNotices.h"
#include "ui/Controls.h"
#include "ui/DeviceCalls.h"
#include "ui/FilePickers.h"
#include "ui/Messages.h"

namespace testing_support {

// The kinds of modal interaction, so that a check names one the compiler knows.
enum class DialogKind {
  Message,
  Confirm,
  SystemError,
  OpenFile,
  SaveFile,
  Modal,
  Shell,
  Unexpected,
};

struct DialogCall {
  DialogKind kind;
  std::u16string text;  // the message, the dialog's title, or the form's name for Modal
  std::u16string caption;
  ui::FileDialogOptions fileOptions = {};  // a file dialog's
};

// Messages, file pickers and device calls in one recorder, so a test sees
// every modal interaction in the order the user met it.
class RecordingDialogs : public ui::Messages, public ui::FilePickers, public ui::DeviceCalls {
 public:
  std::vector<DialogCall> calls;
  // What the user does in a modal window, by the window's name; a window the
  // script leaves open is closed with its close box.
  std::map<std::string, std::function<void(ui::Form&)>> whenShown;
  std::deque<bool> confirmAnswers;
  std::deque<std::optional<std::u16string>> fileAnswers;
  // Runs while a message box is up, so a test can see the controls as the
  // user sees them behind it.
  std::function<void(const std::u16string&)> whileMessageShows;

  std::vector<std::u16string> texts(DialogKind kind) const;
  std::vector<std::u16string> messages() const { return texts(DialogKind::Message); }
  // Everything shown, in order, as "kind: text" lines, for failure output.
  std::string describe() const;
  // The settings' notices shown through this recorder, as the program shows
  // them.
  settings::SettingsNotices settingsNotices();

  void showMessage(const std::u16string& text) override;
  bool confirm(const std::u16string& text) override;
  void systemError(const std::u16string& text, const std::u16string& caption) override;
  std::optional<std::u16string> openFile(const ui::FileDialogOptions& options) override;
  std::optional<std::u16string> saveFile(const ui::FileDialogOptions& options) override;
  void showModal(ui::Form& form) override;
  void openWithShell(const std::u16string& path) override;
  void reportUnexpected(const std::u16string& description) override;
  // Headless, the call runs at once.
  void whileDeviceWorks(const std::function<void()>& call) override { call(); }
  void whileLibraryLoads(const std::function<void()>& load) override { load(); }

 private:
  std::optional<std::u16string> nextFile();
};

}  // namespace testing_support
