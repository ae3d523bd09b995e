#include "Emulator.h"

#include <cstdlib>

#include "Answer.h"
#include "Messages.h"

namespace satemu {

std::filesystem::path stateFilePath(const std::filesystem::path& defaultFolder) {
  const char* named = std::getenv(kStateEnvironmentVariable);
  if (named && *named) return std::filesystem::path(named);
  return defaultFolder / kStateFileName;
}

std::optional<std::string> runCommand(const std::filesystem::path&, const Command& command) {
  if (command.function == Function::ConsultarSAT)
    return plainAnswer(command.function, command.sessao, kSuccess);
  return plainAnswer(command.function, command.sessao, kUnknownError);
}

}  // namespace satemu
