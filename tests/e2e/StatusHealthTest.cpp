// The health panel under the status listing, in the real program: one row
// per check, worst first, each mark saying its level in a word on its
// colour, so a screen reader reads what the colours show.
#include <windows.h>

#include <string>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

class StatusHealth : public QuorvelTest {};

// A certificate 12 days from its end, the network down, a battery level no
// one can read and the rest well: the four colours at once.
TEST_F(StatusHealth, EveryLevelInItsColourWorstFirst) {
  startActivated();
  ASSERT_EQ(knobs_->set({"knobs.certificateDaysLeft", "12", "knobs.lastCommunicationMinutesAgo",
                         "10", "knobs.networkStatus", "DESCONECTADO", "knobs.batteryLevel", "???"}),
            "");
  click(control(main_, "BitBtnStatus"));
  confirmPrompt();
  ASSERT_TRUE(pollFor([&] { return IsWindowVisible(control(main_, "PanelSaude")) != FALSE; }))
      << windowsOnScreen();
  const std::wstring expectedMarks[] = {L"CRÍTICO", L"ATENÇÃO", L"DESCONHECIDO", L"OK",
                                        L"OK",      L"OK",      L"OK",           L"OK"};
  for (int row = 1; row <= 8; ++row) {
    const std::string number = std::to_string(row);
    EXPECT_EQ(controlText(main_, "HealthMark" + number), expectedMarks[row - 1]) << row;
    EXPECT_FALSE(controlText(main_, "HealthSentence" + number).empty()) << row;
  }
  EXPECT_NE(controlText(main_, "HealthSentence2").find(L"Certificado do SAT vence em 12 dias"),
            std::wstring::npos)
      << toUtf8(controlText(main_, "HealthSentence2"));
  EXPECT_NE(controlText(main_, "MemoStatus").find(L" STATUS_LAN ....... DESCONECTADO\r\n"),
            std::wstring::npos);
  screenshot(main_, L"filled-8-TabStatus-saude.png");
  EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
}

}  // namespace
}  // namespace e2e
