#pragma once
// A name for a kernel object that stands for a folder: the prefix, then a
// hash of the folder's full path folded to one case as the file system
// compares names (the path itself may be longer than an object name may be).
#include <windows.h>

#include <string>

#include "platform/Path.h"

namespace platform {

std::wstring folderObjectName(const wchar_t* prefix, const Path& folder);

}  // namespace platform
