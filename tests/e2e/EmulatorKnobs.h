#pragma once
// The emulated device's behaviour knobs for one scenario, set through the
// emulator's satemu tool. The emulator rereads its state file on every call,
// so a knob set between two clicks rules the next call.
#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

class EmulatorKnobs {
 public:
  // Points the emulator of every program started from now on at stateFile
  // and makes that device answer without latency.
  EmulatorKnobs(std::filesystem::path stateFile, std::filesystem::path tool);

  // Each returns an error text, empty on success.
  // The next call answers these bytes verbatim ({sessao}: the session sent).
  std::string forceAnswer(const std::string& answer) const;
  // The same for an answer of megabytes, which no command line holds.
  std::string forceAnswerFromFile(const std::filesystem::path& file) const;
  // Every call answers an empty text, until switched back.
  std::string answerEmpty(bool empty) const;
  // Every call takes this long before it answers.
  std::string setLatency(int milliseconds) const;
  // Sets fields of the state file: {"device.activated", "1", ...}.
  std::string set(const std::vector<std::string>& fieldsAndValues) const;
  // A sale (or the cancellation of the last sale) made on the device.
  std::string sale() const;
  std::string cancelLastSale() const;
  // Only the next call takes this long.
  std::string slowNextCall(int milliseconds) const;
  // "current" or "legacy": answers with or without the four-digit code.
  std::string setLayout(const std::string& layout) const;
  // A value of the device's state file as it is now ("emergencyCode",
  // "slowCalls"); empty when the file does not hold it.
  std::string stateValue(const std::string& key) const;
  // How many lines of the state file contain the text (the device's log
  // holds a line for each call it received).
  int linesContaining(const std::string& text) const;

 private:
  std::string run(const std::vector<std::string>& arguments) const;

  std::filesystem::path stateFile_;
  std::filesystem::path tool_;
};

}  // namespace e2e
