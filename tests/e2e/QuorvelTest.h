#pragma once
// The fixture of every scenario: a fresh folder with Quorvel.exe and the
// chosen SAT.DLL, the running program, and waits that report what the screen
// held when they gave up.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "EmulatorKnobs.h"
#include "ProgramProcess.h"
#include "ScenarioFolder.h"

namespace e2e {

inline constexpr std::wstring_view kMainCaption = L"SAT - MIREL (Ativação - Versão: 3.0.0.3)";
inline constexpr std::wstring_view kApplicationTitle = L"Mirel - Programa de Ativação S@T";
inline constexpr std::wstring_view kPromptCaption = L"SAT - MIREL (Valida Cód. Ativação)";
inline constexpr wchar_t kActivationCode[] = L"segredo1";
inline constexpr std::wstring_view kSefazCaption = L"Quorvel (Mensagem Sefaz)";
inline constexpr std::wstring_view kFimAFimCaption = L"SAT - MIREL (Testes FimAFim)";
// A healthy program shows an answer of tens of megabytes in a second or a
// few on a loaded machine; this only tells a hang from slowness.
inline constexpr std::chrono::seconds kLargeAnswerHangBound{120};

enum class DeviceLibrary { None, Emulator, CdeclEmulator, NotALibrary };

struct MessageBoxSeen {
  HWND window = nullptr;
  std::wstring caption;
  std::wstring text;
};

class QuorvelTest : public testing::Test {
 protected:
  void TearDown() override;

  // Lays out the folder and starts the program in it.
  void start(DeviceLibrary library);
  // The two halves of start, for a scenario that puts files of its own in
  // the folder before the program starts.
  void layOut(DeviceLibrary library);
  void launch();
  // The main window once it shows with its controls; nullptr after a timeout.
  HWND waitForMainWindow();
  HWND waitForWindow(std::wstring_view caption);
  // Waits until no visible window has this caption any more.
  bool waitUntilClosed(std::wstring_view caption);
  // The first message box, or the first but `besides` (a file dialog is
  // one of the system's boxes too, and its question carries its caption).
  MessageBoxSeen waitForMessageBox(HWND besides = nullptr);
  // The named control of the window; records a failure when it is missing.
  HWND control(HWND top, std::string_view name);
  // Waits until the named page is the only visible page of the main window.
  bool waitForPage(HWND main, std::string_view page);
  void screenshot(HWND window, const std::wstring& fileName);
  // Starts the program against an emulated device already activated with
  // kActivationCode for the CNPJ 11222333000181 in state 35, and waits for
  // its main window, which main_ then holds.
  void startActivated();
  // Associates the emulated device with the application that sells on it
  // (CNPJ 11222333000009, signature U2lnbmF0dXJl).
  void associate();
  // Associates it, then makes a sale on the device from outside, by that
  // application: the last fiscal session holds a sale.
  void associateAndSell();
  // Clicks the side button and expects its page alone to be visible.
  void openPage(const char* sideButton, const char* page);
  // Confirms with kActivationCode the code prompt the last click opened.
  void confirmPrompt();
  // Confirms that prompt and waits until the named memo of the main window
  // holds more than `beyond` characters: the time from the prompt's Enter,
  // nothing (a failure) when the memo never got there.
  std::optional<std::chrono::milliseconds> confirmPromptAndWait(const char* memo, LRESULT beyond);
  // Waits until the named memo holds more than `beyond` characters: the time
  // since `started`, nothing (a failure) when it never got there.
  std::optional<std::chrono::milliseconds> waitForLength(
      const char* memo, LRESULT beyond, std::chrono::steady_clock::time_point started);
  // Clicks into the named field of the window and types the text.
  void typeInto(HWND top, const char* name, std::wstring_view text);
  // The next message box's text, once OK has closed it; empty when none
  // showed.
  std::wstring answerNextMessage();
  void expectMessage(std::wstring_view text);
  // Waits until the named memo of the main window holds the text.
  bool memoHolds(const char* memo, std::wstring_view text);
  // The authority's window shows its message starting with the text; it is
  // closed then.
  void expectAuthorityWindow(std::wstring_view start);
  // No authority window follows what the command showed.
  void expectNoAuthorityWindow();
  // Ctrl+F in a memo of the main window, the text in the Find dialog's
  // "Find what" and its Find Next pressed; the dialog, which stays open, or
  // nullptr (a failure) when it never opened.
  HWND findInMemo(HWND memo, std::wstring_view text);
  // Gives an open file dialog (opening or saving) the file's name and
  // presses its OK button.
  void chooseInFileDialog(HWND dialog, const std::filesystem::path& file);
  std::string windowsOnScreen() const;

  std::unique_ptr<ScenarioFolder> folder_;
  std::unique_ptr<EmulatorKnobs> knobs_;
  std::unique_ptr<ProgramProcess> program_;
  HWND main_ = nullptr;
};

std::wstring controlText(HWND top, std::string_view name);
// Whether the program says every control of every page exists, and whether
// every page of the main window has its controls.
bool saysAllControlsExist(HWND main);
bool everyPageHasControls(HWND main);
// The client area in the program's own pixels (the screen runs at 96 DPI).
SIZE clientSize(HWND window);
bool isSixDigits(std::wstring_view text);
// The folder beside the driver with the libraries the tests build.
std::filesystem::path probeFolder();

}  // namespace e2e
