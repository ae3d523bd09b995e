// The device thread against a library that misbehaves: what the library
// handles itself stays its own business, what it leaves unhandled abandons
// the call as DeviceCallFaulted, and the thread serves the next call.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "ui/DeviceCalls.h"
#include "ui/win32/DeviceThread.h"

namespace {

constexpr char kAnswer[] = "123456|08000|SAT em operação||";

class DeviceThreadTest : public testing::Test {
 protected:
  void SetUp() override {
    library_ = LoadLibraryA(QUORVEL_FAULTING_LIBRARY);
    ASSERT_TRUE(library_) << QUORVEL_FAULTING_LIBRARY;
  }

  // Runs the call on the device thread; "faulted" when it was abandoned.
  std::string run(const std::function<std::string()>& call) {
    std::string answer;
    const std::function<void()> work = [&] { answer = call(); };
    thread_.start(work);
    if (WaitForSingleObject(thread_.finished(), 60000) != WAIT_OBJECT_0) return "hung";
    try {
      thread_.rethrowFailure();
    } catch (const ui::DeviceCallFaulted&) {
      return "faulted";
    }
    return answer;
  }
  std::string callEntry(const char* name) {
    using Entry = const char* (*)();
    const auto entry =
        reinterpret_cast<Entry>(reinterpret_cast<void (*)()>(GetProcAddress(library_, name)));
    if (!entry) return std::string("no entry point ") + name;
    return run([entry] { return std::string(entry()); });
  }

  HMODULE library_ = nullptr;
  ui::win32::DeviceThread thread_;
};

TEST_F(DeviceThreadTest, ALibraryHandlingItsOwnFaultAnswers) {
  EXPECT_EQ(callEntry("handlesOwnFault"), kAnswer);
}

// Each unhandled exception, whatever its code, and twice in a row (a stack
// overflow uses up the stack's guard); the next call is served.
TEST_F(DeviceThreadTest, WhatTheLibraryLeavesUnhandledAbandonsOnlyThatCall) {
  for (const char* entry : {"raisesDelphiException", "raisesOtherCompilersCxxException",
                            "hitsBreakpoint", "overflowsStack"}) {
    for (int time = 0; time < 2; ++time) {
      EXPECT_EQ(callEntry(entry), "faulted") << entry;
      EXPECT_EQ(callEntry("handlesOwnFault"), kAnswer) << "after " << entry;
    }
  }
}

// The same thread makes the next call, so the lock the abandoned call held
// is still its own and the library can take it again.
TEST_F(DeviceThreadTest, ALockTheAbandonedCallHeldIsTheThreadsStill) {
  EXPECT_EQ(callEntry("faultsHoldingLock"), "faulted");
  EXPECT_EQ(callEntry("usesLock"), kAnswer);
}

// The program's own exceptions pass through the guard as themselves.
TEST_F(DeviceThreadTest, TheProgramsOwnExceptionIsRethrownAsItIs) {
  const std::function<void()> work = [] { throw std::runtime_error("resposta vazia"); };
  thread_.start(work);
  ASSERT_EQ(WaitForSingleObject(thread_.finished(), 60000), WAIT_OBJECT_0);
  EXPECT_THROW(
      {
        try {
          thread_.rethrowFailure();
        } catch (const ui::DeviceCallFaulted&) {
          FAIL() << "reported as a fault of the library";
        }
      },
      std::runtime_error);
  EXPECT_EQ(callEntry("handlesOwnFault"), kAnswer);
}

}  // namespace
