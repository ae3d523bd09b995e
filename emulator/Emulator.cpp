#include "Emulator.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

#include "Answer.h"
#include "AnswerTransport.h"
#include "Device.h"
#include "Messages.h"
#include "StateFile.h"
#include "platform/Files.h"

namespace satemu {
namespace {

// Answers this big (a huge log) are not kept for ConsultarNumeroSessao: the
// state file is read and written on every call.
constexpr std::size_t kLargestStoredAnswer = 512 * 1024;

void sleepFor(int milliseconds) {
  if (milliseconds > 0) std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

int usualLatency(const Command& command, const Knobs& knobs) {
  return command.function == Function::AtivarSAT ? knobs.activationLatencyMs : knobs.latencyMs;
}

void saveIfPossible(const std::filesystem::path& stateFile, const DeviceState& state) {
  try {
    saveDeviceState(stateFile, state);
  } catch (const platform::FileError&) {
    // A library in a read-only folder still answers; it just forgets.
  }
}

// How often a slow call looks whether it was released.
constexpr int kReleaseCheckMs = 100;
constexpr int kReadAttempts = 20;
constexpr int kReadRetryMs = 10;

// The state file's text; nothing when there is no file. Another process (the
// tool, another program's copy of this library) may be replacing the file
// this moment; under Wine a read can meet that rename and fail, so a failed
// read is tried again shortly.
std::optional<std::string> readStateFile(const std::filesystem::path& stateFile) {
  for (int attempt = 1;; ++attempt) {
    try {
      if (!platform::fileExists(stateFile)) return std::nullopt;
      return platform::readFile(stateFile);
    } catch (const platform::FileError&) {
      if (attempt == kReadAttempts) throw;
      sleepFor(kReadRetryMs);
    }
  }
}

// Waits as long as the device takes to answer. A slow call is counted and
// saved before its wait, so a caller that gives up and kills the process
// finds the countdown already spent; what the tool changes during the wait
// is read back, and a slowMs set to 0 meanwhile ends the wait (a test holds
// a call for as long as it needs, then releases it).
void awaitAnswer(const std::filesystem::path& stateFile, const Command& command, DeviceState& state,
                 std::mt19937& random) {
  Knobs& knobs = state.knobs;
  if (knobs.slowCalls <= 0) {
    sleepFor(usualLatency(command, knobs));
    return;
  }
  --knobs.slowCalls;
  saveIfPossible(stateFile, state);
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(knobs.slowMs);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        end - std::chrono::steady_clock::now());
    sleepFor(std::min<int>(kReleaseCheckMs, static_cast<int>(left.count())));
    state = loadDeviceState(stateFile, currentMoment(), random);
    // Released, or the whole wait is over.
    if (state.knobs.slowMs <= 0 || left.count() <= kReleaseCheckMs) return;
  }
}

void dropLargeSessions(DeviceState& state) {
  for (auto it = state.sessions.begin(); it != state.sessions.end();)
    it = it->answer.size() > kLargestStoredAnswer ? state.sessions.erase(it) : it + 1;
}

}  // namespace

std::mt19937 seededRandom() {
  std::random_device device;
  std::seed_seq seed{
      device(), device(), device(),
      static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count())};
  return std::mt19937(seed);
}

Moment deviceNow(const Knobs& knobs) {
  return momentAt(currentMoment().epoch + knobs.clockOffsetSeconds);
}

DeviceState loadDeviceState(const std::filesystem::path& stateFile, const Moment& now,
                            std::mt19937& random) {
  const std::optional<std::string> text = readStateFile(stateFile);
  DeviceState state = text ? readState(*text) : DeviceState{};
  if (state.serial.empty()) {
    const DeviceState fresh = factoryNewDevice(now, random);
    state.serial = fresh.serial;
    state.emergencyCode = fresh.emergencyCode;
    state.mac = fresh.mac;
    state.manufactured = fresh.manufactured;
    state.lastCommunication = fresh.lastCommunication;
  }
  return state;
}

void saveDeviceState(const std::filesystem::path& stateFile, const DeviceState& state) {
  platform::writeFileAtomically(stateFile, writeState(state));
}

std::filesystem::path stateFilePath(const std::filesystem::path& defaultFolder) {
  const char* named = std::getenv(kStateEnvironmentVariable);
  if (named && *named) return std::filesystem::path(named);
  return defaultFolder / kStateFileName;
}

Reply runCommand(const std::filesystem::path& stateFile, const Command& command) {
  AnswerLayout layout = AnswerLayout::Current;
  try {
    std::mt19937 random = seededRandom();
    DeviceState state = loadDeviceState(stateFile, currentMoment(), random);
    awaitAnswer(stateFile, command, state, random);
    layout = state.knobs.layout;
    const Moment now = deviceNow(state.knobs);
    Device device(state, now, random);
    std::string answer;
    if (std::optional<std::string> forced = takeForcedAnswer(command, state.knobs)) {
      answer = std::move(*forced);
      DeviceLog(state.log, now)
          .info(std::string(functionName(command.function)) + ": resposta forçada pelo emulador");
      device.storeSession(command, answer);
    } else {
      answer = device.execute(command);
    }
    dropLargeSessions(state);
    saveIfPossible(stateFile, state);
    return {deliver(command, std::move(answer), state.knobs), state.knobs.form};
  } catch (const std::exception&) {
    return {plainAnswer(command.function, command.sessao, kUnknownError, layout)};
  }
}

}  // namespace satemu
