#include "ui/win32/DeviceWait.h"

#include "ui/win32/PreparedQuestion.h"

#include <optional>
#include <string>

namespace ui::win32 {

namespace {

// A whole number from the environment, or nothing.
std::optional<unsigned long> environmentNumber(const wchar_t* name) {
  wchar_t text[16];
  const DWORD length = GetEnvironmentVariableW(name, text, 16);
  if (length == 0 || length >= 16) return std::nullopt;
  unsigned long value = 0;
  for (DWORD i = 0; i < length; ++i) {
    if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
    value = value * 10 + static_cast<unsigned long>(text[i] - L'0');
  }
  return value;
}

std::u16string decimal(unsigned long value) {
  const std::string digits = std::to_string(value);
  return {digits.begin(), digits.end()};
}

}  // namespace

DevicePatience devicePatienceFromEnvironment() {
  DevicePatience patience;
  if (const auto minutes = environmentNumber(L"QUORVEL_UNANSWERED_CALL_MINUTES");
      minutes && *minutes <= 24 * 60)
    patience.unansweredCallMs = static_cast<DWORD>(*minutes * 60 * 1000);
  if (const auto seconds = environmentNumber(L"QUORVEL_LIBRARY_LOAD_SECONDS");
      seconds && *seconds >= 1 && *seconds <= 60 * 60)
    patience.libraryLoadMs = static_cast<DWORD>(*seconds * 1000);
  return patience;
}

void DeviceWait::whileDeviceWorks(const std::function<void()>& call) {
  thread_.start(call, &deviceLock_);
  const ULONGLONG startedAt = GetTickCount64();
  pumpUntilFinished(INFINITE, [&] { askWhetherToCloseUnanswered(startedAt); });
  thread_.rethrowFailure();
}

void DeviceWait::whileLibraryLoads(const std::function<void()>& load) {
  // The question is made first: once a DllMain hangs, no window can be.
  const PreparedQuestion question(
      title_, u"O SAT.DLL não terminou de carregar em " + decimal(patience_.libraryLoadMs / 1000) +
                  u" segundos: a biblioteca do fabricante parou ao iniciar, e o programa não pode "
                  u"usar o SAT "
                  u"enquanto ela não terminar.\r\n"
                  u"Verifique se o SAT está ligado e com o cabo conectado, e feche outros "
                  u"programas que usam "
                  u"o SAT.\r\n\r\n"
                  u"Deseja continuar aguardando? Se escolher \"Não\", o programa será fechado.");
  // Loaded on the device thread, so that a DllMain that never returns holds
  // that thread and not this one.
  thread_.start(load);
  while (!pumpUntilFinished(patience_.libraryLoadMs, [] {})) {
    if (!question.ask() && WaitForSingleObject(thread_.finished(), 0) != WAIT_OBJECT_0)
      closeProgramNow();
  }
  thread_.rethrowFailure();
}

bool DeviceWait::pumpUntilFinished(DWORD timeoutMs, const std::function<void()>& onCloseRequest) {
  const HANDLE finished = thread_.finished();
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    DWORD wait = INFINITE;
    if (timeoutMs != INFINITE) {
      const ULONGLONG now = GetTickCount64();
      if (now >= deadline) return false;
      wait = static_cast<DWORD>(deadline - now);
    }
    const DWORD woken = MsgWaitForMultipleObjects(1, &finished, FALSE, wait, QS_ALLINPUT);
    if (woken == WAIT_OBJECT_0) return true;
    if (woken == WAIT_TIMEOUT) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop, afterwards
        break;
      }
      if (isCloseRequest(message)) {
        onCloseRequest();
        continue;
      }
      if (!takenWhileDeviceWorks(message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }
}

// While the device works the windows paint and can be moved by their
// caption; clicks, keys, the close box and posted commands are dropped.
bool DeviceWait::takenWhileDeviceWorks(const MSG& message) {
  switch (message.message) {
    case WM_PAINT:
    case WM_TIMER:
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
      return true;
    case WM_NCLBUTTONDOWN:
      return message.wParam == HTCAPTION;
    default:
      return false;
  }
}

// The close box, Alt+F4, and the close command of the window menu or of
// outside automation.
bool DeviceWait::isCloseRequest(const MSG& message) {
  switch (message.message) {
    case WM_NCLBUTTONDOWN:
      return message.wParam == HTCLOSE;
    case WM_SYSKEYDOWN:
      return message.wParam == VK_F4;
    case WM_SYSCOMMAND:
      return (message.wParam & 0xFFF0) == SC_CLOSE;
    case WM_CLOSE:
      return true;
    default:
      return false;
  }
}

void DeviceWait::askWhetherToCloseUnanswered(ULONGLONG startedAt) {
  const ULONGLONG waited = GetTickCount64() - startedAt;
  if (waited < patience_.unansweredCallMs) return;
  const std::u16string question = u"O SAT não responde há " +
                                  decimal(static_cast<unsigned long>(waited / 60000)) +
                                  u" minutos. Fechar o programa mesmo assim?";
  if (!ask_(question)) return;
  // The device answered while the question was open: the program closes as
  // it always does.
  if (WaitForSingleObject(thread_.finished(), 0) == WAIT_OBJECT_0) {
    PostQuitMessage(0);
    return;
  }
  closeProgramNow();
}

// The device thread is inside the library and cannot be stopped or waited
// for; the process ends without unwinding, after the last words.
void DeviceWait::closeProgramNow() {
  if (lastWords_) lastWords_();
  TerminateProcess(GetCurrentProcess(), 1);
  for (;;) Sleep(INFINITE);
}

}  // namespace ui::win32
