#pragma once
// A device library for headless tests: records each call with its arguments
// and answers from a script.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "satlib/SatLibrary.h"

namespace testing_support {

struct LibraryCall {
  satlib::EntryPoint entry;
  std::vector<std::string> arguments;  // integers in decimal, texts as sent
};

class ScriptedSatLibrary : public satlib::SatLibrary {
 public:
  bool loads = true;
  std::vector<satlib::EntryPoint> missing;
  // Answers in order; when they run out, every call answers `fallback`.
  std::deque<std::string> answers;
  std::string fallback;
  std::vector<LibraryCall> calls;
  // Runs inside each call, to look at the program while the device "works".
  std::function<void()> duringCall;

  bool CarregaDLL(const std::u16string& xDLL) override;
  bool has(satlib::EntryPoint entry) const override;

  // Records the call, its arguments as text, and checks them against the
  // kinds the entry-point table gives.
  std::string call(satlib::EntryPoint entry, int sessao,
                   std::initializer_list<satlib::Argument> arguments) override;

  // The session number of the last call, six digits, as a device echoes it.
  std::string lastSession() const;
};

}  // namespace testing_support
