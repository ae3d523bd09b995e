#include "support/RecordingDialogs.h"

namespace testing_support {

std::vector<std::u16string> RecordingDialogs::texts(const std::string& kind) const {
  std::vector<std::u16string> result;
  for (const auto& call : calls) {
    if (call.kind == kind) result.push_back(call.text);
  }
  return result;
}

void RecordingDialogs::showMessage(const std::u16string& text) {
  calls.push_back({"message", text, {}});
}

bool RecordingDialogs::confirm(const std::u16string& text) {
  calls.push_back({"confirm", text, {}});
  if (confirmAnswers.empty()) return false;
  const bool answer = confirmAnswers.front();
  confirmAnswers.pop_front();
  return answer;
}

void RecordingDialogs::systemError(const std::u16string& text, const std::u16string& caption) {
  calls.push_back({"systemError", text, caption});
}

std::optional<std::u16string> RecordingDialogs::nextFile() {
  if (fileAnswers.empty()) return std::nullopt;
  auto answer = fileAnswers.front();
  fileAnswers.pop_front();
  return answer;
}

std::optional<std::u16string> RecordingDialogs::openFile(const ui::FileDialogOptions& options) {
  calls.push_back({"openFile", options.title, {}});
  return nextFile();
}

std::optional<std::u16string> RecordingDialogs::saveFile(const ui::FileDialogOptions& options) {
  calls.push_back({"saveFile", options.title, {}});
  return nextFile();
}

void RecordingDialogs::showModal(ui::Form& form) {
  calls.push_back({"modal", std::u16string(form.name().begin(), form.name().end()), {}});
  form.showing();
  const auto script = whenShown.find(form.name());
  if (script != whenShown.end()) script->second(form);
  if (!form.closeRequested()) form.close();
}

void RecordingDialogs::openWithShell(const std::u16string& path) {
  calls.push_back({"shell", path, {}});
}

void RecordingDialogs::reportUnexpected(const std::u16string& description) {
  calls.push_back({"unexpected", description, {}});
}

}  // namespace testing_support
