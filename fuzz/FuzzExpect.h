#pragma once
// What every fuzz target shares: an expectation that does not hold ends the
// run the way a crash does, so libFuzzer keeps the input that broke it.
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

namespace fuzzing {

[[noreturn]] inline void fail(const char* what) {
  std::fprintf(stderr, "fuzz expectation broken: %s\n", what);
  std::abort();
}

// The function threw where it should not have.
[[noreturn]] inline void fail(const char* what, const std::exception& thrown) {
  std::fprintf(stderr, "%s\n", thrown.what());
  fail(what);
}

inline void expect(bool holds, const char* what) {
  if (!holds) fail(what);
}

// The input's bytes as the program gets them from a device or a file.
inline std::string_view bytesOf(const unsigned char* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Each byte as one UTF-16 unit: digits, punctuation and Latin-1 letters, the
// characters a user types into a field.
inline std::u16string widened(std::string_view bytes) {
  std::u16string text;
  for (const char byte : bytes) text += static_cast<char16_t>(static_cast<unsigned char>(byte));
  return text;
}

}  // namespace fuzzing
