#include "EmulatorKnobs.h"

#include <windows.h>

#include <chrono>
#include <fstream>
#include <stdexcept>

#include "ProgramProcess.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

// Quoting as CommandLineToArgvW undoes it.
std::wstring quoted(const std::wstring& argument) {
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out += c;
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

}  // namespace

EmulatorKnobs::EmulatorKnobs(std::filesystem::path stateFile, std::filesystem::path tool)
    : stateFile_(std::move(stateFile)), tool_(std::move(tool)) {
  SetEnvironmentVariableW(L"QUORVEL_SATEMU_STATE", stateFile_.c_str());
  const std::string error = run({"quiet"});
  if (!error.empty()) throw std::runtime_error(error);
}

std::string EmulatorKnobs::forceAnswer(const std::string& answer) const {
  return run({"force-answer", answer, "1"});
}

std::string EmulatorKnobs::forceAnswerFromFile(const std::filesystem::path& file) const {
  return run({"force-answer-file", file.string(), "1"});
}

std::string EmulatorKnobs::answerEmpty(bool empty) const {
  return run({"set", "knobs.answer", empty ? "empty" : "normal"});
}

std::string EmulatorKnobs::setLatency(int milliseconds) const {
  return run({"set", "knobs.latencyMs", std::to_string(milliseconds)});
}

std::string EmulatorKnobs::set(const std::vector<std::string>& fieldsAndValues) const {
  std::vector<std::string> arguments{"set"};
  arguments.insert(arguments.end(), fieldsAndValues.begin(), fieldsAndValues.end());
  return run(arguments);
}

std::string EmulatorKnobs::sale() const {
  return run({"sale"});
}

std::string EmulatorKnobs::cancelLastSale() const {
  return run({"cancel"});
}

std::string EmulatorKnobs::slowNextCall(int milliseconds) const {
  return run({"slow", std::to_string(milliseconds), "1"});
}

std::string EmulatorKnobs::setLayout(const std::string& layout) const {
  return run({"set", "knobs.layout", layout});
}

std::string EmulatorKnobs::stateValue(const std::string& key) const {
  std::ifstream state(stateFile_);
  std::string line;
  while (std::getline(state, line)) {
    if (!line.starts_with(key + " ") && !line.starts_with(key + "=")) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    std::string value = line.substr(equals + 1);
    value.erase(0, value.find_first_not_of(' '));
    value.erase(value.find_last_not_of(" \r") + 1);
    return value;
  }
  return {};
}

int EmulatorKnobs::linesContaining(const std::string& text) const {
  std::ifstream state(stateFile_);
  int count = 0;
  std::string line;
  while (std::getline(state, line)) count += line.find(text) != std::string::npos;
  return count;
}

std::string EmulatorKnobs::run(const std::vector<std::string>& arguments) const {
  std::wstring commandLine = L"--state " + quoted(stateFile_.wstring());
  std::string shown = "satemu";
  // The tool reads its arguments in the ANSI code page: they are kept ASCII.
  for (const std::string& argument : arguments) {
    commandLine += L" " + quoted(widened(argument));
    shown += " " + argument;
  }
  ProgramProcess tool(tool_, commandLine);
  if (!tool.waitForExit(std::chrono::seconds(20))) return shown + ": did not finish";
  if (tool.exitCode() != 0) return shown + ": exit code " + std::to_string(tool.exitCode());
  return {};
}

}  // namespace e2e
