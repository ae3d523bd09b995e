#include "support/RecordingDialogs.h"

#include "platform/Text.h"
#include "shell/SettingsDialogs.h"

namespace testing_support {

std::vector<std::u16string> RecordingDialogs::texts(DialogKind kind) const {
  std::vector<std::u16string> result;
  for (const auto& call : calls) {
    if (call.kind == kind) result.push_back(call.text);
  }
  return result;
}

settings::SettingsNotices RecordingDialogs::settingsNotices() {
  return shell::settingsDialogs(*this, *this);
}

std::string RecordingDialogs::describe() const {
  static const char* const kNames[] = {"message",  "confirm", "systemError", "openFile",
                                       "saveFile", "modal",   "shell",       "unexpected"};
  std::string text;
  for (const auto& call : calls) {
    text += kNames[static_cast<int>(call.kind)];
    text += ": " + platform::toUtf8(call.text) + "\n";
  }
  return text;
}

void RecordingDialogs::showMessage(const std::u16string& text) {
  calls.push_back({DialogKind::Message, text, {}});
  if (whileMessageShows) whileMessageShows(text);
}

bool RecordingDialogs::confirm(const std::u16string& text) {
  calls.push_back({DialogKind::Confirm, text, {}});
  if (confirmAnswers.empty()) return false;
  const bool answer = confirmAnswers.front();
  confirmAnswers.pop_front();
  return answer;
}

void RecordingDialogs::systemError(const std::u16string& text, const std::u16string& caption) {
  calls.push_back({DialogKind::SystemError, text, caption});
}

std::optional<std::u16string> RecordingDialogs::nextFile() {
  if (fileAnswers.empty()) return std::nullopt;
  auto answer = fileAnswers.front();
  fileAnswers.pop_front();
  return answer;
}

std::optional<std::u16string> RecordingDialogs::openFile(const ui::FileDialogOptions& options) {
  calls.push_back({DialogKind::OpenFile, options.title, {}, options});
  return nextFile();
}

std::optional<std::u16string> RecordingDialogs::saveFile(const ui::FileDialogOptions& options) {
  calls.push_back({DialogKind::SaveFile, options.title, {}, options});
  return nextFile();
}

void RecordingDialogs::showModal(ui::Form& form) {
  calls.push_back({DialogKind::Modal, std::u16string(form.name().begin(), form.name().end()), {}});
  form.showing();
  const auto script = whenShown.find(form.name());
  if (script != whenShown.end()) script->second(form);
  if (!form.closeRequested()) form.close();
}

void RecordingDialogs::openWithShell(const std::u16string& path) {
  calls.push_back({DialogKind::Shell, path, {}});
}

void RecordingDialogs::reportUnexpected(const std::u16string& description) {
  calls.push_back({DialogKind::Unexpected, description, {}});
}

}  // namespace testing_support
