#pragma once
// The console program's commands against the device library. Each makes one
// read-only call through the device calls, reads the answer and, for logs and
// coupons, writes the file asked for, atomically.
#include <string>

#include "cli/CommandResult.h"
#include "cli/Invocation.h"
#include "platform/Clock.h"
#include "satlib/SatLibrary.h"
#include "satlib/SessionNumbers.h"
#include "ui/DeviceCalls.h"

namespace cli {

struct DeviceAccess {
  satlib::SatLibrary& library;
  ui::DeviceCalls& deviceCalls;
  satlib::SessionNumbers& sessions;
  const platform::Clock& clock;
};

// `code` is in the ANSI code page; the device query takes none.
CommandResult runCommand(const Invocation& invocation, const std::string& code,
                         DeviceAccess& device);

}  // namespace cli
