#pragma once
// The satemu tool's commands on a state file, apart from main() so that
// tests can run them.
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace satemu {

// Runs the command line (without the program name) against stateFile and
// writes what it has to say to out, errors to err. Returns the exit code.
int runTool(const std::vector<std::string>& arguments, const std::filesystem::path& stateFile,
            std::ostream& out, std::ostream& err);

// The state file the tool works on: --state FILE, else the library's rule
// (QUORVEL_SATEMU_STATE, else beside the tool). Removes --state FILE from
// arguments.
std::filesystem::path toolStateFile(std::vector<std::string>& arguments,
                                    const std::filesystem::path& toolFolder);

extern const char* const kToolUsage;

}  // namespace satemu
