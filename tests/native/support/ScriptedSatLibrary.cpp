#include "support/ScriptedSatLibrary.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace testing_support {

using satlib::EntryPoint;

std::string ScriptedSatLibrary::lastSession() const {
  char text[8];
  std::snprintf(text, sizeof text, "%06d", std::stoi(calls.back().arguments[0]));
  return text;
}

bool ScriptedSatLibrary::CarregaDLL(const std::u16string&) {
  return loads;
}

bool ScriptedSatLibrary::has(EntryPoint entry) const {
  return loads && std::find(missing.begin(), missing.end(), entry) == missing.end();
}

std::string ScriptedSatLibrary::call(EntryPoint entry, int sessao,
                                     std::initializer_list<satlib::Argument> arguments) {
  std::string kinds;
  std::vector<std::string> shown{std::to_string(sessao)};
  for (const satlib::Argument& argument : arguments) {
    kinds += argument.isText() ? 't' : 'i';
    shown.push_back(argument.isText() ? argument.text() : std::to_string(argument.number()));
  }
  if (kinds != satlib::entryPointArguments(entry))
    throw std::logic_error(std::string(satlib::entryPointName(entry)) +
                           " called with arguments of kinds \"" + kinds + "\"");
  calls.push_back({entry, std::move(shown)});
  if (duringCall) duringCall();
  if (answers.empty()) return fallback;
  std::string answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace testing_support
