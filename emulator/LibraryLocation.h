#pragma once
// The folder of the file this code was loaded from (the library, or the tool).
#include <filesystem>

namespace satemu {

std::filesystem::path libraryFolder();

}  // namespace satemu
