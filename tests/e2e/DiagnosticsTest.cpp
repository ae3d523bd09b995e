// The diagnostics pages driven from outside the real program against the
// emulator: the status listing, both end-to-end tests with their coupon shown
// and kept in CFe.xml, "Abrir no Navegador" reaching the shell, the session
// queries, the log whole and as its SuperLog view, saving it, and a large log
// shown and searched.
#include <windows.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"
#include "platform/Xml.h"

namespace e2e {
namespace {

// Files of type .xml open, for one scenario, with a command that copies the
// file it is given: the shell's "open" leaves a trace to look for. Wine reads
// file types from the machine's classes only; the earlier type is restored.
class XmlOpenedByCopy {
 public:
  explicit XmlOpenedByCopy(const std::filesystem::path& copy) {
    wchar_t previous[256] = L"";
    DWORD size = sizeof previous;
    hadType_ = RegGetValueW(HKEY_CLASSES_ROOT, L".xml", nullptr, RRF_RT_REG_SZ, nullptr, previous,
                            &size) == ERROR_SUCCESS;
    previousType_ = previous;
    setDefault(L"QuorvelE2E.xml\\shell\\open\\command",
               L"C:\\windows\\system32\\cmd.exe /c copy /b \"%1\" \"" + copy.wstring() + L"\"");
    setDefault(L".xml", L"QuorvelE2E.xml");
  }
  ~XmlOpenedByCopy() {
    if (hadType_) {
      setDefault(L".xml", previousType_);
    } else {
      RegDeleteTreeW(HKEY_CLASSES_ROOT, L".xml");
    }
    RegDeleteTreeW(HKEY_CLASSES_ROOT, L"QuorvelE2E.xml");
  }
  XmlOpenedByCopy(const XmlOpenedByCopy&) = delete;
  XmlOpenedByCopy& operator=(const XmlOpenedByCopy&) = delete;

 private:
  static void setDefault(const wchar_t* key, const std::wstring& value) {
    RegSetKeyValueW(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  bool hadType_ = false;
  std::wstring previousType_;
};

class Diagnostics : public QuorvelTest {
 protected:
  // Has the device hand out a 20 MB log, asks for it on the "Extrair Logs"
  // page and waits until the memo holds it; the time from the prompt's
  // confirmation until then, none when it never got there.
  std::optional<std::chrono::milliseconds> showLargeLog() {
    EXPECT_EQ(knobs_->set({"knobs.hugeLogMegabytes", "20"}), "");
    click(control(main_, "BitLogs"));
    return confirmPromptAndWait("MemoLogs", 20'000'000);
  }
};

TEST_F(Diagnostics, StatusListing) {
  startActivated();
  click(control(main_, "BitBtnStatus"));
  confirmPrompt();
  EXPECT_TRUE(memoHolds("MemoStatus", L" ESTADO_OPERACAO .. DESBLOQUEADO"))
      << toUtf8(controlText(main_, "MemoStatus"));
  const std::wstring listing = controlText(main_, "MemoStatus");
  EXPECT_TRUE(listing.starts_with(L" \r\n NSERIE ........... ")) << toUtf8(listing);
  EXPECT_NE(listing.find(L" CERT_EMISSAO ..... "), std::wstring::npos);
  screenshot(main_, L"filled-8-TabStatus.png");
  EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
}

TEST_F(Diagnostics, EndToEndTestsAndSessionQueries) {
  startActivated();
  click(control(main_, "BtnTestefimafim"));
  ASSERT_TRUE(waitForPage(main_, "TabTeste"));

  // Activation mode: only the taxpayer's CNPJ is asked for.
  click(control(main_, "BtnTesteAtivacao"));
  confirmPrompt();
  HWND dialog = waitForWindow(kFimAFimCaption);
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(IsWindowEnabled(control(dialog, "EdtCNPJSw")));
  HWND cnpj = control(dialog, "EdtCNPJContrib2");
  clickWithMouse(cnpj);
  type(cnpj, L"11222333000181");
  screenshot(dialog, L"dialog-TFFimAFim-ativacao.png");
  pressEnter(cnpj);
  expectMessage(L"09000: Emitido com sucesso");
  EXPECT_TRUE(memoHolds("MemoCFe", L"\r\n  <infCFe")) << toUtf8(controlText(main_, "MemoCFe"));
  EXPECT_EQ(toUtf8(controlText(main_, "Panel4")), "FIM-A-FIM ATIVAÇÃO");
  screenshot(main_, L"filled-5-TabTeste-ativacao.png");
  const std::optional<std::string> coupon = folder_->read(L"CFe.xml");
  ASSERT_TRUE(coupon);
  EXPECT_NO_THROW(platform::parseXml(*coupon)) << *coupon;
  EXPECT_NE(coupon->find("S\xc3\xa3o"), std::string::npos) << "the emitter's name in UTF-8";

  // "Abrir no Navegador" hands CFe.xml to the shell.
  {
    XmlOpenedByCopy association(folder_->file(L"opened.xml"));
    EXPECT_TRUE(pollFor([&] { return IsWindowEnabled(control(main_, "BtnNaveg")) != FALSE; }));
    click(control(main_, "BtnNaveg"));
    EXPECT_TRUE(
        pollFor([&] { return folder_->read(L"opened.xml") == coupon; }, std::chrono::seconds(30)))
        << "the shell did not open CFe.xml";
  }

  // The session of that test, asked for by its number.
  const std::wstring testSession = controlText(main_, "Edit1");
  EXPECT_TRUE(isSixDigits(testSession));
  click(control(main_, "BtnSessao"));
  confirmPrompt();
  EXPECT_TRUE(memoHolds("MemoCFe", testSession + L"|09000|"))
      << toUtf8(controlText(main_, "MemoCFe"));
  EXPECT_EQ(toUtf8(controlText(main_, "Panel4")), "CONSULTAR NÚMERO DE SESSÃO");
  EXPECT_NE(controlText(main_, "Edit1"), testSession) << "Edit1 holds the query's own number";

  // Production mode with live data.
  click(control(main_, "BtnTesteProducao"));
  confirmPrompt();
  dialog = waitForWindow(kFimAFimCaption);
  ASSERT_TRUE(dialog);
  for (const auto& [name, text] :
       {std::pair{"EdtCNPJContrib2", L"11222333000181"}, std::pair{"EdtIEContrib", L"111222333444"},
        std::pair{"EdtCNPJSw", L"11222333000009"}, std::pair{"EdtAssinatura", L"U2lnbmF0dXJl"}}) {
    HWND field = control(dialog, name);
    clickWithMouse(field);
    type(field, text);
  }
  screenshot(dialog, L"dialog-TFFimAFim-producao.png");
  click(control(dialog, "BtnOk"));
  expectMessage(L"09000: Emitido com sucesso");
  EXPECT_EQ(toUtf8(controlText(main_, "Panel4")), "FIM-A-FIM PRODUÇÃO");

  // The last fiscal session after a sale made on the device.
  associateAndSell();
  click(control(main_, "BtnSessaoFiscal"));
  confirmPrompt();
  EXPECT_TRUE(memoHolds("MemoCFe", L"\r\nChave: CFe")) << toUtf8(controlText(main_, "MemoCFe"));
  screenshot(main_, L"filled-5-TabTeste-sessao-fiscal.png");
  const std::optional<std::string> sale = folder_->read(L"CFe.xml");
  ASSERT_TRUE(sale);
  EXPECT_NO_THROW(platform::parseXml(*sale)) << *sale;
  EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
}

TEST_F(Diagnostics, LogWholeSuperLogAndSaving) {
  startActivated();
  // A sale: an exchange with the authority, which the device frames as a
  // SuperLog block.
  associateAndSell();
  click(control(main_, "BitLogs"));
  confirmPrompt();
  EXPECT_TRUE(memoHolds("MemoLogs", L"------------------------------------------------------"))
      << toUtf8(controlText(main_, "MemoLogs"));
  EXPECT_EQ(toUtf8(controlText(main_, "Panel11")), "EXTRAÇÃO DOS LOGS");
  screenshot(main_, L"filled-9-TabLog.png");

  click(control(main_, "BitSuperLog"));
  confirmPrompt();
  EXPECT_TRUE(memoHolds("MemoLogs", L"\r\n   ")) << toUtf8(controlText(main_, "MemoLogs"));
  EXPECT_EQ(toUtf8(controlText(main_, "Panel11")), "SuperLog MIREL");
  screenshot(main_, L"filled-9-TabLog-superlog.png");

  const std::filesystem::path saved = folder_->file(L"log salvo.txt");
  HWND name = control(main_, "EdtLogs");
  clickWithMouse(name);
  type(name, saved.wstring());
  click(control(main_, "BtnLog2"));
  expectMessage(L"Arquivo " + saved.wstring() + L" salvo com sucesso");
  const std::optional<std::string> file = folder_->read(L"log salvo.txt");
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->ends_with("\r\n"));
  EXPECT_EQ(file->find("\n"), file->find("\r\n") + 1) << "CR LF after every line";
}

// Tens of megabytes of log occur: a 20 MB log is shown whole and can be
// searched. How fast is measured by bench/log-on-screen, not here: the bounds
// below only catch a program that never gets there.
TEST_F(Diagnostics, ALargeLogIsShownAndSearchable) {
  startActivated();
  const std::optional<std::chrono::milliseconds> elapsed = showLargeLog();
  ASSERT_TRUE(elapsed);
  std::cout << "A 20 MB log was on the screen " << elapsed->count()
            << " ms after the prompt was confirmed\n";
  HWND memo = control(main_, "MemoLogs");
  screenshot(main_, L"filled-9-TabLog-20MB.png");

  // Ctrl+F finds a line near its end (the device's own lines come after the
  // filler) and shows it.
  HWND find = findInMemo(memo, L"RECEBIDA MENSAGEM");
  ASSERT_TRUE(find);
  const auto searched = std::chrono::steady_clock::now();
  const LRESULT lines = SendMessageW(memo, EM_GETLINECOUNT, 0, 0);
  ASSERT_TRUE(pollFor([&] {
    return SendMessageW(memo, EM_GETFIRSTVISIBLELINE, 0, 0) > lines * 9 / 10;
  })) << "first visible line "
      << SendMessageW(memo, EM_GETFIRSTVISIBLELINE, 0, 0) << " of " << lines;
  const auto found = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now() - searched);
  std::cout << "Find showed a line near the end of the 20 MB log " << found.count() << " ms after "
            << "the Find dialog's Find Next\n";
  screenshot(main_, L"find-in-20MB-log.png");
  PostMessageW(find, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

// The emulator's own time for the log the program was just given: its
// library, loaded here from the scenario's folder, reads the same state and
// builds the same answer.
std::optional<std::chrono::milliseconds> timeTheEmulatorAlone(
    const std::filesystem::path& library) {
  using ExtrairLogs = char*(__stdcall*)(int, char*);
  HMODULE module = LoadLibraryW(library.c_str());
  if (!module) return std::nullopt;
  // Through void (*)(), the generic function type: FARPROC's own would warn.
  const auto extract = reinterpret_cast<ExtrairLogs>(
      reinterpret_cast<void (*)()>(GetProcAddress(module, "ExtrairLogs")));
  std::optional<std::chrono::milliseconds> elapsed;
  if (extract) {
    char code[] = "segredo1";
    const auto started = std::chrono::steady_clock::now();
    const char* answer = extract(424242, code);
    if (answer && std::strlen(answer) > 20'000'000) {
      elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
          std::chrono::steady_clock::now() - started);
    }
  }
  FreeLibrary(module);
  return elapsed;
}

// Not a test: bench/log-on-screen runs it (it is disabled otherwise) once per
// start of the program and reads the figures it prints.
TEST_F(Diagnostics, DISABLED_LargeLogOnScreenBench) {
  startActivated();
  const std::optional<std::chrono::milliseconds> onScreen = showLargeLog();
  ASSERT_TRUE(onScreen);
  const std::optional<std::chrono::milliseconds> alone =
      timeTheEmulatorAlone(folder_->file(L"SAT.DLL"));
  ASSERT_TRUE(alone) << "the emulator's ExtrairLogs gave no 20 MB answer to the driver";
  std::cout << "bench log-on-screen: program " << onScreen->count() << " ms, emulator alone "
            << alone->count() << " ms\n";
}

// Devices built before the four-digit validation code: the query and the
// status prompt work the same.
TEST_F(Diagnostics, QueryAndStatusOnAnOlderDevice) {
  startActivated();
  ASSERT_EQ(knobs_->setLayout("legacy"), "");
  click(control(main_, "BtnPrincipal"));
  EXPECT_TRUE(pollFor([&] { return controlText(main_, "lbloperante") == L"SAT em operação"; }));
  click(control(main_, "BitBtnStatus"));
  confirmPrompt();
  EXPECT_TRUE(memoHolds("MemoStatus", L" ESTADO_OPERACAO .. "));
}

}  // namespace
}  // namespace e2e

namespace e2e {
namespace {

// The technician's commands of the main window's system menu, by the IDs
// the program gives them.
constexpr WPARAM kAboutCommand = 0x100;
constexpr WPARAM kReportCommand = 0x110;

// "Sobre o Quorvel..." names the library, its version resource and the
// convention its entry points turned out to use, for both builds of it.
TEST_F(Diagnostics, AboutTellsTheLibraryAndItsCallingConvention) {
  // 64-bit code has one convention; the 32-bit program meets both builds.
  constexpr bool k64Bit = sizeof(void*) == 8;
  std::vector<std::pair<DeviceLibrary, std::wstring>> libraries{
      {DeviceLibrary::Emulator, k64Bit ? L"a única de 64 bits" : L"stdcall"}};
  if (!k64Bit) libraries.emplace_back(DeviceLibrary::CdeclEmulator, L"cdecl");
  for (const auto& [library, convention] : libraries) {
    SCOPED_TRACE(toUtf8(convention));
    start(library);
    main_ = waitForMainWindow();
    ASSERT_TRUE(main_);
    click(control(main_, "BtnPrincipal"));  // one call, so the convention is known
    ASSERT_TRUE(pollFor(
        [&] { return controlText(main_, "StatusBar").find(L"|08") != std::wstring::npos; }));
    PostMessageW(main_, WM_SYSCOMMAND, kAboutCommand, 0);
    const MessageBoxSeen box = waitForMessageBox();
    ASSERT_TRUE(box.window) << windowsOnScreen();
    EXPECT_NE(box.text.find(L"Quorvel 3.0.0.3, programa de " + std::to_wstring(k64Bit ? 64 : 32) +
                            L" bits"),
              std::wstring::npos);
    EXPECT_NE(box.text.find(L"SAT.DLL: " + folder_->file(L"SAT.DLL").wstring()), std::wstring::npos)
        << toUtf8(box.text);
    EXPECT_NE(box.text.find(L"Convenção de chamada: " + std::wstring(convention)),
              std::wstring::npos)
        << toUtf8(box.text);
    EXPECT_NE(box.text.find(L"Funções presentes (17 de 17)"), std::wstring::npos);
    EXPECT_NE(box.text.find(L"Versão do arquivo: 3.0.0.3\r\nProduto: Emulador de SAT do Quorvel"),
              std::wstring::npos);
    screenshot(box.window, k64Bit ? L"about-64.png" : L"about-" + convention + L".png");
    pressOk(box.window);
    close(main_);
    EXPECT_TRUE(program_->waitForExit(std::chrono::seconds(10)));
  }
}

// The support report asks where, is written there as a zip and says so.
TEST_F(Diagnostics, TheSupportReportIsWrittenWhereTheUserSays) {
  startActivated();
  click(control(main_, "BitBtnStatus"));
  confirmPrompt();
  ASSERT_TRUE(memoHolds("MemoStatus", L"ESTADO_OPERACAO"));
  PostMessageW(main_, WM_SYSCOMMAND, kReportCommand, 0);
  HWND dialog = waitForWindow(L"Relatório para suporte");
  ASSERT_TRUE(dialog) << windowsOnScreen();
  const std::filesystem::path zip = folder_->file(L"relatório.zip");
  chooseInFileDialog(dialog, zip);
  ASSERT_TRUE(waitUntilClosed(L"Relatório para suporte"));
  const MessageBoxSeen box = waitForMessageBox();
  ASSERT_TRUE(box.window) << windowsOnScreen();
  EXPECT_EQ(toUtf8(box.text), toUtf8(L"Relatório para suporte gravado em " + zip.wstring()));
  screenshot(box.window, L"support-report-written.png");
  pressOk(box.window);
  const std::optional<std::string> bytes = folder_->read(L"relatório.zip");
  ASSERT_TRUE(bytes);
  EXPECT_TRUE(bytes->starts_with("PK\x03\x04"));
  // The central directory keeps the names as they are.
  for (const char* name :
       {"sobre.txt", "Parametros.xml", "ConfRede.xml", "respostas.txt", "tela-status.txt"})
    EXPECT_NE(bytes->find(name), std::string::npos) << name;
}

}  // namespace
}  // namespace e2e
