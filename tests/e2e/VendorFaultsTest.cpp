// Libraries as makers ship them, in the real program. One that reads memory
// it may not read and handles the fault itself works exactly as it does in
// any program; one that leaves an exception unhandled, as a library written
// in Delphi does, has that call reported and abandoned, and the program goes
// on with the next command.
#include <windows.h>

#include <functional>
#include <string>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

class VendorFaults : public QuorvelTest {
 protected:
  struct DeviceCommand {
    const char* entryPoint;
    // Drives the main window until the library has been called.
    std::function<void()> run;
    // Whether the window shows the command's normal outcome.
    std::function<bool()> answered;
  };

  void startWith(DeviceLibrary library) {
    start(library);
    main_ = waitForMainWindow();
    ASSERT_TRUE(main_);
  }

  // The device query, and the status listing behind the code prompt: a call
  // with one argument and one with two.
  std::vector<DeviceCommand> commands() {
    return {
        {"ConsultarSAT",
         [&] {
           session_ = controlText(main_, "Edit1");
           click(control(main_, "BtnPrincipal"));
         },
         [&] {
           const std::wstring session = controlText(main_, "Edit1");
           return session != session_ && isSixDigits(session) &&
                  controlText(main_, "StatusBar").starts_with(session + L"|08000|") &&
                  controlText(main_, "lbloperante") == L"SAT em operação";
         }},
        {"ConsultarStatusOperacional",
         [&] {
           click(control(main_, "BitBtnStatus"));
           confirmPrompt();
         },
         [&] {
           return controlText(main_, "MemoStatus").find(L" ESTADO_OPERACAO .. ") !=
                  std::wstring::npos;
         }},
    };
  }

  void waitGone(HWND window) {
    pollFor([&] { return !IsWindow(window) || !IsWindowVisible(window); });
  }

  std::wstring session_;
};

// Two rounds: every call faults and handles the fault again, and none is
// abandoned.
TEST_F(VendorFaults, ALibraryHandlingItsOwnFaultAnswersAsUsual) {
  startWith(DeviceLibrary::Emulator);
  ASSERT_EQ(knobs_->set({"knobs.answer", "handled-fault"}), "");
  for (int round = 0; round < 2; ++round) {
    for (const DeviceCommand& command : commands()) {
      SCOPED_TRACE(command.entryPoint);
      command.run();
      ASSERT_TRUE(pollFor(command.answered)) << windowsOnScreen();
      EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
    }
  }
}

// The 32-bit program meets both builds of the library; an abandoned call
// leaves the stack as it found it whichever convention the library uses.
TEST_F(VendorFaults, AnUnhandledDelphiExceptionIsReportedAndTheNextCommandWorks) {
  std::vector<DeviceLibrary> libraries{DeviceLibrary::Emulator};
  if (sizeof(void*) == 4) libraries.push_back(DeviceLibrary::CdeclEmulator);
  for (const DeviceLibrary library : libraries) {
    SCOPED_TRACE(library == DeviceLibrary::Emulator ? "stdcall" : "cdecl");
    startWith(library);
    for (const DeviceCommand& command : commands()) {
      SCOPED_TRACE(command.entryPoint);
      ASSERT_EQ(knobs_->set({"knobs.answer", "delphi-exception"}), "");
      command.run();
      const MessageBoxSeen box = waitForMessageBox();
      ASSERT_TRUE(box.window);
      // What happened, on the first line; what to do after it.
      EXPECT_TRUE(toUtf8(box.text).starts_with(std::string("O SAT.DLL falhou ao executar ") +
                                               command.entryPoint + ".\r\n"))
          << toUtf8(box.text);
      pressOk(box.window);
      waitGone(box.window);

      ASSERT_EQ(knobs_->set({"knobs.answer", "normal"}), "");
      command.run();
      EXPECT_TRUE(pollFor(command.answered)) << "the same command after the exception\n"
                                             << windowsOnScreen();
      EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
    }
    EXPECT_FALSE(program_->hasExited());
    close(main_);
    EXPECT_TRUE(program_->waitForExit(std::chrono::seconds(10)));
  }
}

}  // namespace
}  // namespace e2e
