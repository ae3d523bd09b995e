#pragma once
#include "platform/Path.h"

#include "settings/SettingsNotices.h"

namespace settings {

// Writes each settings file that is missing from `folder` with its default
// document. Existing files are never read or touched. When ConfRede.xml
// cannot be written, Parametros.xml is not looked at.
void CheckConfigs(const platform::Path& folder, const SettingsNotices& notices);

}  // namespace settings
