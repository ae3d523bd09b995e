#include "cli/win32/Console.h"

#include <windows.h>

#include "platform/Text.h"

namespace cli::win32 {

namespace {

bool isConsole(HANDLE handle) {
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && handle != nullptr && GetConsoleMode(handle, &mode);
}

void writeBytes(HANDLE handle, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written == 0)
      return;
    bytes.remove_prefix(written);
  }
}

void writeText(DWORD which, std::u16string_view text) {
  const HANDLE handle = GetStdHandle(which);
  if (!isConsole(handle)) return writeBytes(handle, platform::toUtf8(text));
  DWORD written = 0;
  WriteConsoleW(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

// Typed without echo; the line break the user typed is shown afterwards.
std::optional<std::string> typedLine(HANDLE input) {
  writeText(STD_ERROR_HANDLE, u"Código de ativação: ");
  DWORD mode = 0;
  GetConsoleMode(input, &mode);
  SetConsoleMode(input, mode & ~static_cast<DWORD>(ENABLE_ECHO_INPUT));
  std::u16string line(kLongestCodeInput, u'\0');
  DWORD read = 0;
  const BOOL ok = ReadConsoleW(input, line.data(), static_cast<DWORD>(line.size()), &read, nullptr);
  SetConsoleMode(input, mode);
  writeText(STD_ERROR_HANDLE, u"\r\n");
  if (!ok || read == 0) return std::nullopt;
  line.resize(read);
  return platform::toUtf8(line.substr(0, line.find_first_of(u"\r\n")));
}

// The bytes up to the first line feed, of a file or a pipe.
std::optional<std::string> pipedLine(HANDLE input) {
  std::string line;
  char c = 0;
  DWORD read = 0;
  while (line.size() <= kLongestCodeInput && ReadFile(input, &c, 1, &read, nullptr) && read == 1) {
    if (c == '\n') return line.substr(0, line.find('\r'));
    line += c;
  }
  if (line.empty()) return std::nullopt;
  return line.substr(0, line.find('\r'));
}

}  // namespace

ConsoleStreams Console::streams() {
  return {[](std::string_view bytes) {
            const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
            if (isConsole(output)) return writeText(STD_OUTPUT_HANDLE, platform::fromUtf8(bytes));
            writeBytes(output, bytes);
          },
          [](std::u16string_view text) { writeText(STD_ERROR_HANDLE, text); }};
}

std::optional<std::u16string> Console::environmentCode() const {
  wchar_t value[kLongestCodeInput + 1];
  const DWORD length = GetEnvironmentVariableW(reinterpret_cast<const wchar_t*>(kCodeVariable),
                                               value, kLongestCodeInput + 1);
  if (length == 0 || length > kLongestCodeInput) return std::nullopt;
  return std::u16string(value, value + length);
}

std::optional<std::string> Console::standardInputLine() {
  const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
  if (input == INVALID_HANDLE_VALUE || input == nullptr) return std::nullopt;
  return isConsole(input) ? typedLine(input) : pipedLine(input);
}

}  // namespace cli::win32
