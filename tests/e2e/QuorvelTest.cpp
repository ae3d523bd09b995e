#include "QuorvelTest.h"

#include <algorithm>
#include <iostream>

#include "DriverOptions.h"
#include "Polling.h"
#include "Screenshot.h"
#include "WindowActions.h"
#include "WindowQueries.h"
#include "ui/win32/ControlId.h"

namespace e2e {
namespace {

constexpr std::string_view kPages[] = {"TabMirel", "TabCodAtiva",  "TabAtivar",   "TabAssocAss",
                                       "TabBloq",  "TabTeste",     "TabConfRede", "TabStatus",
                                       "TabLog",   "TavAtualizaSW"};

}  // namespace

bool saysAllControlsExist(HWND main) {
  return GetPropW(main, ui::win32::kControlsCreatedProperty) != nullptr;
}

bool everyPageHasControls(HWND main) {
  return std::ranges::all_of(kPages, [&](std::string_view page) {
    HWND window = findControl(main, page);
    return window && GetWindow(window, GW_CHILD);
  });
}

void QuorvelTest::TearDown() {
  if (HasFailure()) {
    if (program_) std::cout << windowsOnScreen();
    if (folder_) {
      folder_->keep();
      std::cout << "Scenario folder kept: " << folder_->path().string() << "\n";
    }
  }
  // The program goes before its folder, which cannot be removed while in use.
  program_.reset();
  knobs_.reset();
  folder_.reset();
}

void QuorvelTest::start(DeviceLibrary library) {
  layOut(library);
  launch();
}

void QuorvelTest::layOut(DeviceLibrary library) {
  const DriverOptions& options = driverOptions();
  folder_ = std::make_unique<ScenarioFolder>();
  folder_->copyIn(options.quorvel, L"Quorvel.exe");
  switch (library) {
    case DeviceLibrary::None:
      break;
    case DeviceLibrary::Emulator:
      folder_->copyIn(options.emulator, L"SAT.DLL");
      break;
    case DeviceLibrary::CdeclEmulator:
      folder_->copyIn(options.emulatorCdecl, L"SAT.DLL");
      break;
    case DeviceLibrary::NotALibrary:
      folder_->write(L"SAT.DLL", "not a library\r\n");
      break;
  }
  if (library == DeviceLibrary::Emulator || library == DeviceLibrary::CdeclEmulator) {
    knobs_ =
        std::make_unique<EmulatorKnobs>(folder_->file(L"satemu-state.ini"), options.satemuTool);
  }
}

void QuorvelTest::launch() {
  program_ = std::make_unique<ProgramProcess>(folder_->file(L"Quorvel.exe"));
}

HWND QuorvelTest::waitForWindow(std::wstring_view caption) {
  HWND window = pollFor([&] { return findTopLevelWindow(program_->id(), caption); });
  if (!window) {
    ADD_FAILURE() << "no window captioned \"" << toUtf8(caption) << "\" appeared\n"
                  << windowsOnScreen();
  }
  return window;
}

HWND QuorvelTest::waitForMainWindow() {
  HWND main = waitForWindow(kMainCaption);
  if (!main) return nullptr;
  // The window shows before its hidden pages have their controls, which the
  // program makes while it waits for input and then says so on the window.
  if (!program_->waitUntilReadyForInput(std::chrono::seconds(30)) ||
      !pollFor([&] { return saysAllControlsExist(main); }) || !everyPageHasControls(main)) {
    ADD_FAILURE() << "the main window never got the controls of all its pages\n"
                  << windowsOnScreen();
    return nullptr;
  }
  return main;
}

bool QuorvelTest::waitUntilClosed(std::wstring_view caption) {
  const bool closed = pollFor([&] { return !findTopLevelWindow(program_->id(), caption); });
  if (!closed) {
    ADD_FAILURE() << "the window \"" << toUtf8(caption) << "\" stayed open\n" << windowsOnScreen();
  }
  return closed;
}

MessageBoxSeen QuorvelTest::waitForMessageBox(HWND besides) {
  MessageBoxSeen seen;
  seen.window = pollFor([&] {
    for (HWND box : messageBoxes(program_->id()))
      if (box != besides) return box;
    return HWND{};
  });
  if (!seen.window) {
    ADD_FAILURE() << "no message box appeared\n" << windowsOnScreen();
    return seen;
  }
  seen.caption = windowText(seen.window);
  // The box may show before its text control is filled in.
  pollFor(
      [&] {
        seen.text = messageBoxText(seen.window);
        return !seen.text.empty();
      },
      std::chrono::seconds(5));
  return seen;
}

HWND QuorvelTest::control(HWND top, std::string_view name) {
  HWND found = findControl(top, name);
  if (!found) {
    ADD_FAILURE() << "no control named " << name << " in \"" << toUtf8(windowText(top)) << "\"";
  }
  return found;
}

bool QuorvelTest::waitForPage(HWND main, std::string_view page) {
  auto visiblePages = [&] {
    std::vector<std::string_view> visible;
    for (std::string_view name : kPages) {
      HWND window = findControl(main, name);
      if (window && IsWindowVisible(window)) visible.push_back(name);
    }
    return visible;
  };
  const bool shown = pollFor([&] {
    const auto visible = visiblePages();
    return visible.size() == 1 && visible.front() == page;
  });
  if (!shown) {
    std::string names;
    for (std::string_view name : visiblePages()) names.append(" ").append(name);
    ADD_FAILURE() << "expected page " << page << " alone to be visible; visible:" << names;
  }
  return shown;
}

void QuorvelTest::startActivated() {
  start(DeviceLibrary::Emulator);
  ASSERT_EQ(knobs_->set({"device.activated", "1", "device.activationCode", "segredo1",
                         "device.cnpj", "11222333000181", "device.cUF", "35"}),
            "");
  main_ = waitForMainWindow();
  ASSERT_TRUE(main_);
}

void QuorvelTest::associate() {
  ASSERT_EQ(knobs_->set({"device.associated", "1", "device.softwareHouseCnpj", "11222333000009",
                         "device.signAC", "U2lnbmF0dXJl"}),
            "");
}

void QuorvelTest::associateAndSell() {
  ASSERT_NO_FATAL_FAILURE(associate());
  ASSERT_EQ(knobs_->sale(), "");
}

void QuorvelTest::openPage(const char* sideButton, const char* page) {
  click(control(main_, sideButton));
  EXPECT_TRUE(waitForPage(main_, page)) << sideButton;
}

void QuorvelTest::confirmPrompt() {
  HWND prompt = waitForWindow(kPromptCaption);
  if (!prompt) return;
  HWND edit = control(prompt, "EdtCodigo");
  clickWithMouse(edit);
  type(edit, kActivationCode);
  pressEnter(edit);
  waitUntilClosed(kPromptCaption);
}

std::optional<std::chrono::milliseconds> QuorvelTest::confirmPromptAndWait(const char* memo,
                                                                           LRESULT beyond) {
  HWND prompt = waitForWindow(kPromptCaption);
  if (!prompt) return std::nullopt;
  HWND edit = control(prompt, "EdtCodigo");
  type(edit, kActivationCode);
  const auto started = std::chrono::steady_clock::now();
  pressEnter(edit);
  return waitForLength(memo, beyond, started);
}

std::optional<std::chrono::milliseconds> QuorvelTest::waitForLength(
    const char* memo, LRESULT beyond, std::chrono::steady_clock::time_point started) {
  HWND window = control(main_, memo);
  const bool shown = pollFor([&] { return textLength(window) > beyond; }, kLargeAnswerHangBound);
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - started);
  if (!shown) {
    ADD_FAILURE() << memo << " held " << textLength(window) << " characters " << elapsed.count()
                  << " ms after the prompt was confirmed\n"
                  << windowsOnScreen();
    return std::nullopt;
  }
  std::cout << memo << " held its " << textLength(window) << " characters " << elapsed.count()
            << " ms after the prompt was confirmed\n";
  return elapsed;
}

void QuorvelTest::typeInto(HWND top, const char* name, std::wstring_view text) {
  HWND field = control(top, name);
  clickWithMouse(field);
  type(field, text);
}

std::wstring QuorvelTest::answerNextMessage() {
  const MessageBoxSeen box = waitForMessageBox();
  if (!box.window) return {};
  pressOk(box.window);
  pollFor([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); });
  return box.text;
}

void QuorvelTest::expectMessage(std::wstring_view text) {
  EXPECT_EQ(toUtf8(answerNextMessage()), toUtf8(text));
}

bool QuorvelTest::memoHolds(const char* memo, std::wstring_view text) {
  return pollFor([&] { return controlText(main_, memo).find(text) != std::wstring::npos; });
}

void QuorvelTest::expectAuthorityWindow(std::wstring_view start) {
  HWND sefaz = waitForWindow(kSefazCaption);
  ASSERT_TRUE(sefaz);
  EXPECT_TRUE(controlText(sefaz, "MemoSefaz").starts_with(start))
      << toUtf8(controlText(sefaz, "MemoSefaz"));
  close(sefaz);
  EXPECT_TRUE(waitUntilClosed(kSefazCaption));
}

void QuorvelTest::expectNoAuthorityWindow() {
  EXPECT_FALSE(pollFor([&] { return findTopLevelWindow(program_->id(), kSefazCaption); },
                       std::chrono::milliseconds(1500)))
      << windowsOnScreen();
}

HWND QuorvelTest::findInMemo(HWND memo, std::wstring_view text) {
  clickWithMouse(memo);
  PostMessageW(memo, WM_CHAR, 0x06, 1);  // ^F, what Ctrl+F types
  HWND find = pollFor([&] { return ownedDialog(main_); });
  if (!find) {
    ADD_FAILURE() << "Ctrl+F opened no Find dialog\n" << windowsOnScreen();
    return nullptr;
  }
  SetDlgItemTextW(find, 0x480, std::wstring(text).c_str());  // the dialog's "Find what" edit
  PostMessageW(find, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(find, IDOK)));
  return find;
}

void QuorvelTest::chooseInFileDialog(HWND dialog, const std::filesystem::path& file) {
  // The file name field: an edit inside a combo box (cmb13) in the explorer
  // style dialog, a plain edit (edt1) in the old one.
  HWND name = GetDlgItem(dialog, 0x47c);
  if (!name) name = GetDlgItem(dialog, 0x480);
  ASSERT_TRUE(name) << windowsOnScreen();
  SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.wstring().c_str()));
  pressOk(dialog);
}

void QuorvelTest::screenshot(HWND window, const std::wstring& fileName) {
  const std::string error = saveScreenshot(window, fileName);
  EXPECT_EQ(error, "") << "screenshot " << toUtf8(fileName);
}

std::string QuorvelTest::windowsOnScreen() const {
  if (!program_) return "no program running\n";
  if (program_->hasExited()) {
    return "the program has exited with code " + std::to_string(program_->exitCode()) + "\n";
  }
  return describeWindows(program_->id());
}

std::wstring controlText(HWND top, std::string_view name) {
  HWND window = findControl(top, name);
  return window ? windowText(window) : std::wstring();
}

std::filesystem::path probeFolder() {
  wchar_t self[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  return std::filesystem::path(self).parent_path() / "probe";
}

SIZE clientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right - client.left, client.bottom - client.top};
}

bool isSixDigits(std::wstring_view text) {
  return text.size() == 6 &&
         std::all_of(text.begin(), text.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

}  // namespace e2e
