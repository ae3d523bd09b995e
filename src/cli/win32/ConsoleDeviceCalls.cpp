#include "cli/win32/ConsoleDeviceCalls.h"

#include "cli/DeviceCallLimits.h"
#include "platform/Text.h"

namespace cli::win32 {

ConsoleDeviceCalls::ConsoleDeviceCalls(int timeLimitSeconds, platform::DeviceLock& lock,
                                       std::function<void(const std::u16string&)> timeIsUp)
    : timeLimitSeconds_(timeLimitSeconds), lock_(lock), timeIsUp_(std::move(timeIsUp)) {}

DWORD ConsoleDeviceCalls::remainingMs() {
  const ULONGLONG now = GetTickCount64();
  if (deadline_ == 0) deadline_ = now + static_cast<ULONGLONG>(timeLimitSeconds_) * 1000;
  return now >= deadline_ ? 0 : static_cast<DWORD>(deadline_ - now);
}

void ConsoleDeviceCalls::whileDeviceWorks(const std::function<void()>& call) {
  switch (lock_.take(remainingMs())) {
    case platform::DeviceLock::Outcome::Taken:
      break;
    case platform::DeviceLock::Outcome::TimedOut:
      throw DeviceUnavailable(busyFor(timeLimitSeconds_));
    case platform::DeviceLock::Outcome::Unavailable:
      throw DeviceUnavailable(
          u"Não foi possível usar a trava que reserva o SAT a um programa "
          u"por vez (erro " +
          platform::fromUtf8(std::to_string(lock_.error())) + u" do Windows).");
  }
  struct Release {
    platform::DeviceLock& lock;
    ~Release() { lock.release(); }
  } release{lock_};
  runWithinTimeLimit(call);
}

void ConsoleDeviceCalls::whileLibraryLoads(const std::function<void()>& load) {
  runWithinTimeLimit(load);
}

void ConsoleDeviceCalls::runWithinTimeLimit(const std::function<void()>& work) {
  thread_.start(work);
  if (WaitForSingleObject(thread_.finished(), remainingMs()) != WAIT_OBJECT_0)
    timeIsUp_(noAnswerWithin(timeLimitSeconds_));
  thread_.rethrowFailure();
}

}  // namespace cli::win32
