// Device answers of megabytes reach their memos in the real program: a
// status listing of 200,000 fields, a consulted answer of 6 MB and a test
// coupon of 3 MB, which an edit control took seconds to show. How fast is
// printed, not judged (bench/ measures against yardsticks): the bound only
// tells a hang from slowness.
#include <windows.h>

#include <chrono>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"
#include "codec/Base64.h"

namespace e2e {
namespace {

// A coupon of about 3 MB: one sale of 8,000 items. (Wine's XmlLite refuses
// some larger documents with a name error that is not there, 0xC00CEE61,
// which leaves the memo with its first dash line: no coupon of 7 MB is
// formatted under Wine.)
std::string largeCoupon() {
  std::string coupon = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><CFe><infCFe versao=\"0.07\">";
  for (int item = 1; item <= 8000; ++item) {
    coupon += "<det nItem=\"" + std::to_string(item) +
              "\"><prod><cProd>001</cProd><xProd>MiniPc Mirel \xc3\xa7\xc3\xa3o</xProd>"
              "<CFOP>5001</CFOP><uCom>UN</uCom><qCom>1.0000</qCom><vUnCom>654.320</vUnCom>"
              "<indRegra>A</indRegra><vProd>654.32</vProd><vItem>654.32</vItem></prod>"
              "<imposto><vItem12741>1.00</vItem12741><ICMS><ICMS00><Orig>0</Orig><CST>00</CST>"
              "<pICMS>12.00</pICMS><vICMS>78.52</vICMS></ICMS00></ICMS></imposto></det>";
  }
  return coupon + "<total><vCFe>1.00</vCFe></total></infCFe></CFe>";
}

class LargeAnswers : public QuorvelTest {
 protected:
  // The next call answers these bytes.
  void forceAnswer(const std::string& answer) {
    const std::filesystem::path file = folder_->file(L"resposta.txt");
    std::ofstream(file, std::ios::binary) << answer;
    ASSERT_EQ(knobs_->forceAnswerFromFile(file), "");
  }
};

TEST_F(LargeAnswers, AStatusOf200000FieldsIsListed) {
  startActivated();
  std::string answer = "{sessao}|10000|Resposta com sucesso|0000||";
  for (int field = 5; field < 200000; ++field) answer += "valor " + std::to_string(field) + "|";
  forceAnswer(answer + "fim");
  click(control(main_, "BitBtnStatus"));
  ASSERT_TRUE(confirmPromptAndWait("MemoStatus", 5'000'000));
  EXPECT_TRUE(controlText(main_, "MemoStatus").ends_with(L" CAMPO_200000 ..... fim\r\n"));
  screenshot(main_, L"filled-8-TabStatus-200000.png");
}

TEST_F(LargeAnswers, AConsultedAnswerOfSixMegabytesIsListed) {
  startActivated();
  click(control(main_, "BtnTestefimafim"));
  ASSERT_TRUE(waitForPage(main_, "TabTeste"));
  forceAnswer("000001|09000|Emitido com sucesso|||" + std::string(6'000'000, 'A') + "|fim");
  click(control(main_, "BtnSessaoFiscal"));
  ASSERT_TRUE(confirmPromptAndWait("MemoCFe", 6'000'000));
  EXPECT_TRUE(controlText(main_, "MemoCFe").ends_with(L"AAAA|fim\r\n"));
}

TEST_F(LargeAnswers, ATestCouponOfMegabytesIsShownIndented) {
  startActivated();
  click(control(main_, "BtnTestefimafim"));
  ASSERT_TRUE(waitForPage(main_, "TabTeste"));
  forceAnswer("{sessao}|09000|Emitido com sucesso|||" + codec::encodeBase64(largeCoupon()) +
              "|20261211120000|CFe35261211222333000181599000000000000000000001|1.00||");
  click(control(main_, "BtnTesteAtivacao"));
  confirmPrompt();
  HWND dialog = waitForWindow(kFimAFimCaption);
  ASSERT_TRUE(dialog);
  HWND cnpj = control(dialog, "EdtCNPJContrib2");
  clickWithMouse(cnpj);
  type(cnpj, L"11222333000181");
  const auto started = std::chrono::steady_clock::now();
  pressEnter(cnpj);
  expectMessage(L"09000: Emitido com sucesso");
  ASSERT_TRUE(waitForLength("MemoCFe", 4'500'000, started));
  const std::wstring shown = controlText(main_, "MemoCFe");
  EXPECT_NE(shown.find(L"\r\n    <det nItem=\"8000\">\r\n"), std::wstring::npos)
      << toUtf8(shown.substr(0, 400));
}

}  // namespace
}  // namespace e2e
