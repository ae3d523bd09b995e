// What makers' devices write in the status listing and the log, in the real
// program against the emulator: the lock state padded, signed or as a name
// of the device's own, and a log with CR LF line ends whose SuperLog block
// holds lines of other sources and levels, shown and saved.
#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

const std::wstring kEndMarkerShown = L"   " + std::wstring(51, L'=') + L"\r\n";
const std::wstring kDashLine(54, L'-');

class ListingAndLogShapes : public QuorvelTest {
 protected:
  bool memoEndsWith(const char* memo, std::wstring_view end) {
    return pollFor([&] { return controlText(main_, memo).ends_with(end); });
  }
  // Saves the log page's memo under the name and reads the file back.
  std::optional<std::string> saveLog(std::wstring_view name) {
    const std::filesystem::path file = folder_->file(name);
    typeInto(main_, "EdtLogs", file.wstring());
    click(control(main_, "BtnLog2"));
    expectMessage(L"Arquivo " + file.wstring() + L" salvo com sucesso");
    return folder_->read(name);
  }
};

TEST_F(ListingAndLogShapes, LockStateAsMakersWriteIt) {
  startActivated();
  ASSERT_EQ(knobs_->set({"device.lockState", "2"}), "");
  const struct {
    const char* form;
    std::wstring_view line;
  } forms[] = {
      {"padded", L" ESTADO_OPERACAO .. BLOQUEIO CONTRIBUINTE\r\n"},
      {"signed", L" ESTADO_OPERACAO .. BLOQUEIO CONTRIBUINTE\r\n"},
      {"text", L" ESTADO_OPERACAO .. BLOQUEIO_CONTRIBUINTE\r\n"},
  };
  for (const auto& f : forms) {
    ASSERT_EQ(knobs_->set({"knobs.estadoOperacao", f.form}), "");
    click(control(main_, "BitBtnStatus"));
    confirmPrompt();
    EXPECT_TRUE(memoEndsWith("MemoStatus", f.line)) << f.form << ":\n"
                                                    << toUtf8(controlText(main_, "MemoStatus"));
  }
  screenshot(main_, L"filled-8-TabStatus-estado-texto.png");
  EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
}

// A sale: the device frames its exchange with the authority as a SuperLog
// block, with a debug line and the authority's reply inside; the device ends
// its lines with CR LF.
TEST_F(ListingAndLogShapes, SuperLogOfOtherSourcesAndCrLfLines) {
  startActivated();
  ASSERT_EQ(knobs_->set({"knobs.crlfInLog", "1"}), "");
  associateAndSell();
  const std::string sale = "CF-e-SAT " + knobs_->stateValue("lastSaleKey") + " emitido, valor " +
                           knobs_->stateValue("lastSaleTotal");

  click(control(main_, "BitSuperLog"));
  confirmPrompt();
  ASSERT_TRUE(memoEndsWith("MemoLogs", kEndMarkerShown)) << toUtf8(controlText(main_, "MemoLogs"));
  EXPECT_EQ(toUtf8(controlText(main_, "MemoLogs")),
            toUtf8(L"\r\n   ==================== SuperLog =====================\r\n"
                   L"   conexão com a SEFAZ aberta\r\n   " +
                   widened(sale) +
                   L"\r\n   lote transmitido à SEFAZ\r\n"
                   L"   CF-e-SAT processado com sucesso\r\n" +
                   kEndMarkerShown));
  screenshot(main_, L"filled-9-TabLog-superlog-fontes.png");
  const std::optional<std::string> block = saveLog(L"superlog.txt");
  ASSERT_TRUE(block);
  EXPECT_EQ(*block,
            "\r\n   ==================== SuperLog =====================\r\n"
            "   conex\xe3o com a SEFAZ aberta\r\n   " +
                sale +
                "\r\n   lote transmitido \xe0 SEFAZ\r\n"
                "   CF-e-SAT processado com sucesso\r\n   " +
                std::string(51, '=') + "\r\n");

  click(control(main_, "BitLogs"));
  confirmPrompt();
  ASSERT_TRUE(memoEndsWith("MemoLogs", kDashLine + L"\r\n"))
      << toUtf8(controlText(main_, "MemoLogs"));
  EXPECT_EQ(controlText(main_, "MemoLogs").find(L"\r\r"), std::wstring::npos);
  const std::optional<std::string> whole = saveLog(L"log.txt");
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->find("\r\r"), std::string::npos) << "a CR LF line end doubled";
  EXPECT_NE(whole->find("|SAT-SEFAZ|info|CF-e-SAT processado com sucesso\r\n"), std::string::npos);
  EXPECT_TRUE(whole->ends_with("\r\n\r\n" + std::string(54, '-') + "\r\n"));
}

}  // namespace
}  // namespace e2e
