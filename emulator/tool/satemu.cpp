// satemu: inspect and set up the emulated SAT device from a shell.
#include <iostream>
#include <string>
#include <vector>

#include "SatemuCommands.h"
#include "platform/Files.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  try {
    const std::filesystem::path stateFile =
        satemu::toolStateFile(arguments, platform::executableFolder().text());
    return satemu::runTool(arguments, stateFile, std::cout, std::cerr);
  } catch (const std::exception& error) {
    std::cerr << "satemu: " << error.what() << "\n";
    return 1;
  }
}
