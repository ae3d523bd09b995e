#pragma once
// How the settings speak to the user when their files fail them: a damaged
// file, one that cannot be created or saved, and the offer to save the
// settings elsewhere at close. The settings only say what happened; the
// program decides how it is shown (message boxes and a save dialog).
#include <functional>
#include <optional>
#include <string>

namespace settings {

struct SettingsNotices {
  // Tells the user what happened to a settings file.
  std::function<void(const std::u16string& text)> tell;
  // Asks a question; true for yes.
  std::function<bool(const std::u16string& question)> ask;
  // Where the settings are to be saved instead; nothing when cancelled.
  std::function<std::optional<std::u16string>()> chooseOtherFile;
};

}  // namespace settings
