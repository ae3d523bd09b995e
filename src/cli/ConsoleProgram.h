#pragma once
// The console program's run, apart from the console itself: takes the
// activation code, loads the device library, runs the command and hands the
// result on in the form asked for. Exit codes are the monitoring plugins':
// 0 ok, 1 warning, 2 critical, 3 unknown.
#include <functional>
#include <string>
#include <string_view>

#include "cli/ActivationCode.h"
#include "cli/CollectedMessages.h"
#include "cli/CommandResult.h"
#include "cli/Invocation.h"
#include "platform/Clock.h"
#include "satlib/SatLibrary.h"
#include "satlib/SessionNumbers.h"
#include "ui/DeviceCalls.h"

namespace cli {

struct ConsoleStreams {
  std::function<void(std::string_view)> output;    // standard output, UTF-8 bytes
  std::function<void(std::u16string_view)> error;  // standard error
};

// The library's file name, beside the program.
inline constexpr char16_t kLibraryName[] = u"SAT.DLL";

class ConsoleProgram {
 public:
  struct Parts {
    satlib::SatLibrary& library;
    // Calls and loads the library within the run's time limit, one caller of
    // the device at a time.
    ui::DeviceCalls& deviceCalls;
    // What the library's loader says.
    CollectedMessages& messages;
    CodeInputs& codeInputs;
    const platform::Clock& clock;
    ConsoleStreams streams;
  };

  explicit ConsoleProgram(Parts parts);

  // Returns the exit code.
  int run(const Invocation& invocation);

  // The time limit ran out with the device library still working: says so in
  // the form asked for and returns the exit code. The run cannot go on, and
  // whatever the library's thread uses must stay as it is: the caller ends
  // the process at once, without unwinding.
  int giveUp(const std::u16string& why);

 private:
  int deliver(const CommandResult& result);
  CommandResult failure(std::u16string why) const;

  Parts parts_;
  Invocation invocation_;
  satlib::SessionNumbers sessions_;
};

// Shows the usage asked for (exit code 0) or why the command line was refused
// (3).
int answerCommandLine(const ParsedCommandLine& parsed, const ConsoleStreams& streams);

}  // namespace cli
