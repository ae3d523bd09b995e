// The answer forms SAT.DLL acts out, seen from the process that calls it: a
// fault the library handles itself before it answers, and exceptions it
// leaves to its caller.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "platform/Files.h"
#include "support/TempFolder.h"
#include "win32/LibraryPath.h"

namespace {

#if defined(__i386__)
using Consultar = char*(__stdcall*)(int);
#else
using Consultar = char* (*)(int);
#endif

// What the process saw of the exceptions on one thread. The handlers below
// have no context of their own, hence one record for the process.
struct Seen {
  DWORD thread = 0;
  LONG accessViolations = 0;
  bool unhandled = false;
  DWORD code = 0;
  DWORD flags = 0;
  DWORD arguments = 0;
};
Seen seen;

constexpr DWORD kEndedUnhandled = 0xDEAD;

// First in line: sees every access violation before any handler of the library.
LONG CALLBACK countAccessViolations(EXCEPTION_POINTERS* pointers) {
  if (GetCurrentThreadId() == seen.thread &&
      pointers->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION)
    ++seen.accessViolations;
  return EXCEPTION_CONTINUE_SEARCH;
}

// Asked only for what nobody handled; the thread that raised it ends here.
LONG WINAPI endThreadOfUnhandled(EXCEPTION_POINTERS* pointers) {
  if (GetCurrentThreadId() != seen.thread) return EXCEPTION_CONTINUE_SEARCH;
  seen.unhandled = true;
  seen.code = pointers->ExceptionRecord->ExceptionCode;
  seen.flags = pointers->ExceptionRecord->ExceptionFlags;
  seen.arguments = pointers->ExceptionRecord->NumberParameters;
  ExitThread(kEndedUnhandled);
}

class LibraryFaults : public ::testing::Test {
 protected:
  void SetUp() override {
    seen = Seen{};
    _putenv_s("QUORVEL_SATEMU_STATE", stateFile_.string().c_str());
    module_ = LoadLibraryW(satemu::testing::windowsPath(SATEMU_DLL).c_str());
    ASSERT_NE(module_, nullptr) << "LoadLibraryW failed: " << GetLastError();
    consultar_ = reinterpret_cast<Consultar>(
        reinterpret_cast<void*>(GetProcAddress(module_, "ConsultarSAT")));
    ASSERT_NE(consultar_, nullptr);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }

  void answerAs(const std::string& form) {
    platform::writeFileAtomically(stateFile_, "[knobs]\nlatencyMs = 0\nanswer = " + form + "\n");
  }
  // The thread of a call that is not expected to return.
  static DWORD WINAPI callOnThread(void* fixture) {
    seen.thread = GetCurrentThreadId();
    return static_cast<LibraryFaults*>(fixture)->consultar_(9) ? 1 : 2;
  }
  std::string call(int sessao) {
    const char* answer = consultar_(sessao);
    return answer ? answer : "<NULL>";
  }

  satemu::testing::TempFolder folder_;
  std::filesystem::path stateFile_ = folder_.path() / "device.ini";
  HMODULE module_ = nullptr;
  Consultar consultar_ = nullptr;
};

TEST_F(LibraryFaults, AFaultTheLibraryHandlesComesBeforeTheNormalAnswer) {
  answerAs("handled-fault");
  seen.thread = GetCurrentThreadId();
  void* handler = AddVectoredExceptionHandler(1, countAccessViolations);
  const std::string answer = call(7);
  RemoveVectoredExceptionHandler(handler);
  EXPECT_EQ(answer, "000007|08000|SAT em operação||");
  EXPECT_GE(seen.accessViolations, 1) << "the library read nothing it may not read";
}

// Each call is made on a thread of its own, which the exception ends; the
// library's lock is free again, so the next call answers.
TEST_F(LibraryFaults, UnhandledExceptionsReachTheCaller) {
  const struct {
    const char* form;
    DWORD code;
    bool continuable;
    DWORD arguments;
  } cases[] = {
      {"crash", EXCEPTION_ACCESS_VIOLATION, true, 0},
      {"delphi-exception", 0x0EEDFADE, false, 7},
  };
  for (const auto& expected : cases) {
    SCOPED_TRACE(expected.form);
    answerAs(expected.form);
    seen = Seen{};
    LPTOP_LEVEL_EXCEPTION_FILTER previous = SetUnhandledExceptionFilter(endThreadOfUnhandled);
    HANDLE thread = CreateThread(nullptr, 0, callOnThread, this, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, 30000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    GetExitCodeThread(thread, &exitCode);
    CloseHandle(thread);
    SetUnhandledExceptionFilter(previous);

    EXPECT_EQ(exitCode, kEndedUnhandled) << "the call returned";
    EXPECT_TRUE(seen.unhandled);
    EXPECT_EQ(seen.code, expected.code);
    EXPECT_EQ((seen.flags & EXCEPTION_NONCONTINUABLE) == 0, expected.continuable);
    EXPECT_EQ(seen.arguments, expected.arguments);

    answerAs("normal");
    EXPECT_EQ(call(8), "000008|08000|SAT em operação||");
  }
}

}  // namespace
