#pragma once
// Waiting for the program: every wait polls a condition with a deadline, so a
// program that does not react fails the scenario instead of hanging it.
#include <windows.h>

#include <chrono>

namespace e2e {

inline constexpr std::chrono::milliseconds kDefaultTimeout{20000};
inline constexpr DWORD kPollInterval = 50;

// Returns the first value of probe() that converts to true, or the last one
// when the time is up.
template <class Probe>
auto pollFor(Probe probe, std::chrono::milliseconds timeout = kDefaultTimeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    auto value = probe();
    if (value || std::chrono::steady_clock::now() >= deadline) return value;
    Sleep(kPollInterval);
  }
}

}  // namespace e2e
