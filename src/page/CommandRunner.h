#pragma once
// The one sequence every device command runs: code check, wait indication,
// session number, library call, answer in the status bar, the answer's fields
// read under a guard, the authority's message, the code field cleared.
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "page/AnswerFields.h"
#include "page/InputChecks.h"
#include "page/PageHost.h"
#include "satlib/CallRecorder.h"
#include "satlib/SatLibrary.h"
#include "satlib/SessionNumbers.h"
#include "ui/Controls.h"
#include "ui/DeviceCalls.h"
#include "ui/Messages.h"

namespace page {

// The library failed while it ran the command: "O SAT.DLL falhou ao executar
// <entry point>."
struct DeviceCallFailed : std::runtime_error, ui::FailureClass {
  explicit DeviceCallFailed(satlib::EntryPoint entry);
};

// What one command does on top of the common sequence.
struct Command {
  satlib::EntryPoint entryPoint;
  // The library call, given the session number and the trimmed code in the
  // ANSI code page.
  std::function<std::string(satlib::SatLibrary&, int sessao, const std::string& codigo)> call;

  // Where the code comes from: the page's code field, which is cleared when
  // the command ends, or a code given as text (the prompt's, or a field the
  // page clears itself).
  ui::Edit* codeField = nullptr;
  std::u16string code;
  // False: the code is sent without the 8-character check.
  bool checkCode = true;

  // Runs after the code check, before the wait indication.
  std::function<void()> prepare;
  // Reads the answer; by default one message box with field 1 and field 2.
  std::function<void(const AnswerFields&)> react;
  // Runs when reading the answer failed under the guard.
  std::function<void()> onReadingFailed;
  // A failure while reading the answer ends the command, after the
  // authority's message, with the report of an unexpected failure instead of
  // being silenced.
  bool readingFailuresReported = false;
  // The answer reaches the status bar after the messages instead of before.
  bool statusAfterMessages = false;
  // False: the runner shows no authority-message window (the session queries
  // show none; the end-to-end test shows it from its reaction).
  bool showsAuthorityMessage = true;
};

// An answer as the status bar shows it: decoded from UTF-8, cut to 110
// characters and " ...". Only the bytes those characters can come from are
// decoded: a log's answer runs to tens of megabytes. (bench/log-pipeline
// times it.)
std::u16string statusText(std::string_view mensagem);

// The authority-message window and its memo, which the runner fills.
struct AuthorityWindow {
  ui::Form& window;
  ui::Memo& MemoSefaz;
};

class CommandRunner {
 public:
  CommandRunner(ui::Messages& messages, ui::DeviceCalls& deviceCalls, satlib::SatLibrary& library,
                satlib::CallRecorder& calls, satlib::SessionNumbers& sessions, ui::Form& mainWindow,
                ui::StatusBar& statusBar, PageHost& host, AuthorityWindow authority);

  void run(const Command& command);

  void CursorWait();
  void CursorDefault();
  // Shows an answer in the status bar, cut to 110 characters and " ...".
  void mostrastatus(std::string_view mensagem);
  // Opens the authority-message window when the answer carries its code.
  void MostraMSefaz(const AnswerFields& CamposRetorno);
  // The usual message: field 1, ": " and the message, field 2 (field 3 after a
  // four-digit validation code).
  void showCodeAndMessage(const AnswerFields& CamposRetorno);

  const std::string& Retorno() const { return *Retorno_; }
  const std::string& NumSessao() const { return NumSessao_; }

 private:
  // Draws the session number and calls the library with the wait indication
  // on; the indication goes however the call ends.
  void callLibrary(const Command& command, const std::u16string& code);

  ui::Messages& messages_;
  ui::DeviceCalls& deviceCalls_;
  satlib::SatLibrary& library_;
  satlib::CallRecorder& calls_;
  satlib::SessionNumbers& sessions_;
  ui::Form& mainWindow_;
  ui::StatusBar& statusBar_;
  PageHost& host_;
  AuthorityWindow authority_;
  std::shared_ptr<std::string> Retorno_ = std::make_shared<std::string>();
  std::string NumSessao_;
};

}  // namespace page
