#pragma once
// The Linux build of the emulator, loaded with dlopen as a program would load
// a maker's library, with a state file of its own.
#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "platform/Files.h"
#include "support/AnswerFields.h"
#include "support/TempFolder.h"

namespace satemu::testing {

class LoadedEmulator {
 public:
  LoadedEmulator() {
    handle_ = dlopen(SATEMU_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    if (!handle_) throw std::runtime_error(dlerror());
    platform::writeFileAtomically(stateFile(), "[knobs]\nlatencyMs = 0\nactivationLatencyMs = 0\n");
    setenv("QUORVEL_SATEMU_STATE", stateFile().c_str(), 1);
  }
  ~LoadedEmulator() {
    unsetenv("QUORVEL_SATEMU_STATE");
    dlclose(handle_);
  }
  LoadedEmulator(const LoadedEmulator&) = delete;
  LoadedEmulator& operator=(const LoadedEmulator&) = delete;

  std::filesystem::path stateFile() const { return folder_.path() / "device.ini"; }

  // Calls an entry point with the given arguments; NULL comes back as nullptr.
  template <typename... Args>
  const char* raw(const char* name, Args... args) {
    using Entry = char* (*)(Args...);
    void* address = dlsym(handle_, name);
    if (!address) throw std::runtime_error(std::string("missing export ") + name);
    return reinterpret_cast<Entry>(address)(args...);
  }

  template <typename... Args>
  std::string call(const char* name, Args... args) {
    const char* answer = raw(name, args...);
    return answer ? std::string(answer) : std::string("<NULL>");
  }

 private:
  void* handle_ = nullptr;
  TempFolder folder_;
};

inline char* text(const std::string& value) {
  return const_cast<char*>(value.c_str());
}

}  // namespace satemu::testing
