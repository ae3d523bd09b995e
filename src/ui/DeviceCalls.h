#pragma once
// Where the device library runs: the Win32 implementation runs each call on
// a thread of its own while the windows stay painted (ui/win32/DeviceWait);
// headless, the call runs at once on the caller's thread.
#include <functional>
#include <stdexcept>

namespace ui {

// A device call abandoned because the device library left an exception
// unhandled (an access violation in the maker's code, an exception of its
// language, a stack overflow) instead of returning.
struct DeviceCallFaulted : std::runtime_error {
  DeviceCallFaulted() : std::runtime_error("SAT.DLL falhou") {}
};

class DeviceCalls {
 public:
  virtual ~DeviceCalls() = default;

  // Runs a device call. Nothing else can be done meanwhile, but the windows
  // stay painted and movable; returns once the call has, rethrowing what it
  // threw, or throwing DeviceCallFaulted when it crashed.
  virtual void whileDeviceWorks(const std::function<void()>& call) = 0;
  // Loads the device library as whileDeviceWorks runs a call; a load that
  // does not end is reported, and the user may wait on or close the program.
  virtual void whileLibraryLoads(const std::function<void()>& load) = 0;
};

}  // namespace ui
