#pragma once
// The settings' notices as the program shows them: message boxes, an OK and
// Cancel question, and a save dialog for settings kept elsewhere.
#include "settings/SettingsNotices.h"
#include "ui/FilePickers.h"
#include "ui/Messages.h"

namespace shell {

settings::SettingsNotices settingsDialogs(ui::Messages& messages, ui::FilePickers& files);

}  // namespace shell
