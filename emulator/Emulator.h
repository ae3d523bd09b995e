#pragma once
// The device behind the library: every call loads the state file, runs the
// command on the device model, applies the behaviour knobs and writes the
// state back, so that the command-line tool and the library always agree.
#include <filesystem>
#include <optional>
#include <random>
#include <string>

#include "Command.h"
#include "DeviceClock.h"
#include "DeviceState.h"

namespace satemu {

// Where the state lives: the file named by QUORVEL_SATEMU_STATE, or
// kStateFileName in the given folder.
std::filesystem::path stateFilePath(const std::filesystem::path& defaultFolder);

inline constexpr const char* kStateFileName = "satemu-state.ini";
inline constexpr const char* kStateEnvironmentVariable = "QUORVEL_SATEMU_STATE";

std::mt19937 seededRandom();

// The device's clock now: the computer's, moved by knobs.clockOffsetSeconds.
Moment deviceNow(const Knobs& knobs);

// The state in the file. A file that lacks the device's identity (missing,
// or written by hand with knobs only) gets one now: that is the moment the
// device leaves the factory. A read that meets another process replacing
// the file is tried again before it fails (platform::FileError).
DeviceState loadDeviceState(const std::filesystem::path& stateFile, const Moment& now,
                            std::mt19937& random);

// Writes the state atomically; throws platform::FileError.
void saveDeviceState(const std::filesystem::path& stateFile, const DeviceState& state);

// What one call hands back to the exported function.
struct Reply {
  // No answer (nullopt) stands for a NULL pointer.
  std::optional<std::string> answer;
  // The form the answer knob asked for: the exported function acts out the
  // faults (see AnswerForm).
  AnswerForm form = AnswerForm::Normal;
};

// Runs one command against the device whose state is in stateFile. Never
// throws: a failure of the emulator itself becomes the function's
// unknown-error answer, in the normal form.
Reply runCommand(const std::filesystem::path& stateFile, const Command& command);

}  // namespace satemu
