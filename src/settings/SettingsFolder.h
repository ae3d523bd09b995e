#pragma once
// What to tell the user when a settings file in the program's folder cannot
// be written: the folder is the usual cause, and only the user can fix it.
#include <string>
#include <string_view>

#include "platform/Path.h"

namespace settings {

// Says that `file` could not be written, why that usually happens, what to
// do, and, on a line of its own for support, the system's failure when
// there is one.
std::u16string unwritableSettingsFolder(const platform::Path& file, std::string_view failure);

}  // namespace settings
