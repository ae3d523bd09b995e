#pragma once
// What the knobs do to an answer on its way out of the library: forced
// answers instead of the device's, and the distortions some devices show.
#include <optional>
#include <string>

#include "Command.h"
#include "DeviceState.h"

namespace satemu {

// The forced answer for this call, or nullopt when no forcing knob is set.
// Counts the call against forcedCalls and clears the knob when it runs out.
std::optional<std::string> takeForcedAnswer(const Command& command, Knobs& knobs);

// The answer as the caller receives it; nullopt stands for a NULL pointer.
// The forms the exported function acts out leave the text as it is, or give
// nullopt when the call never returns an answer.
std::optional<std::string> deliver(const Command& command, std::string answer, const Knobs& knobs);

// UTF-8 to Windows-1252; characters it lacks become '?'.
std::string toWindows1252(const std::string& utf8);

}  // namespace satemu
