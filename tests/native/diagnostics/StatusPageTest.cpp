#include <gtest/gtest.h>

#include "diagnostics/HealthPanel.h"
#include "platform/Text.h"
#include "support/ProgramFixture.h"

namespace {

using testing_support::DialogKind;
using testing_support::ProgramFixture;

// Fields 5 to 27 of a status answer, joined after the answer's head.
std::string statusAnswer(const std::vector<std::string>& fields) {
  std::string answer = "123456|10000|Resposta com Sucesso.||";
  for (const std::string& field : fields) answer += "|" + field;
  return answer;
}

class StatusPage : public ProgramFixture {
 protected:
  StatusPage() { program.start(); }

  void request(const std::u16string& code, const std::string& answer) {
    answerCodePrompt(code);
    library.answers = {answer};
    user([&] { main.BitBtnStatus.click(); });
  }

  std::vector<std::u16string> listing() const { return main.TabStatus.MemoStatus.lines(); }
};

// Two makers' styles: memory in GB or in bytes, "DHCP" or "static" with the
// two characters "\n" after it, empty last-coupon and list fields, layout
// "00.06" or "0.06". Every field is shown as sent.
TEST_F(StatusPage, ListsEveryFieldAsSent) {
  request(u" segredo1 ", statusAnswer({"900004019",
                                       "DHCP",
                                       "192.168.1.50",
                                       "00:11:22:33:44:55",
                                       "255.255.255.0",
                                       "192.168.1.1",
                                       "8.8.8.8",
                                       "8.8.4.4",
                                       "CONECTADO",
                                       "ALTO",
                                       "4 GB",
                                       "26 MB",
                                       "20190620125210",
                                       "01.00.00",
                                       "00.06",
                                       "",
                                       "",
                                       "",
                                       "",
                                       "20190620124500",
                                       "20190101",
                                       "20240101",
                                       "2"}));
  ASSERT_EQ(library.calls.size(), 1u);
  EXPECT_EQ(library.calls[0].entry, satlib::EntryPoint::ConsultarStatusOperacional);
  EXPECT_EQ(library.calls[0].arguments[1], "segredo1");
  EXPECT_EQ(main.PageControl.activePageIndex(), page::kStatusPage);
  EXPECT_EQ(listing(), (std::vector<std::u16string>{
                           u" ",
                           u" NSERIE ........... 900004019",
                           u" TIPO_LAN ......... DHCP",
                           u" LAN_IP ........... 192.168.1.50",
                           u" LAN_MAC .......... 00:11:22:33:44:55",
                           u" LAN_MASK ......... 255.255.255.0",
                           u" LAN_GW ........... 192.168.1.1",
                           u" LAN_DNS_1 ........ 8.8.8.8",
                           u" LAN_DNS_2 ........ 8.8.4.4",
                           u" STATUS_LAN ....... CONECTADO",
                           u" NIVEL_BATERIA .... ALTO",
                           u" MT_TOTAL ......... 4 GB",
                           u" MT_USADA ......... 26 MB",
                           u" DH_ATUAL ......... 20/06/2019 - 12:52:10",
                           u" VER_SB ........... 01.00.00",
                           u" VER_LAYOUT ....... 00.06",
                           u" ULTIMO_CF-E-SAT .. ",
                           u" LISTA_INICIAL .... ",
                           u" LISTA_FINAL ...... ",
                           u" DH_CFe ........... // - ::",
                           u" DH_ULTIMA ........ 20/06/2019 - 12:45:00",
                           u" CERT_EMISSAO ..... 01/01/2019",
                           u" CERT_VENCIMENTO .. 01/01/2024",
                           u" ESTADO_OPERACAO .. BLOQUEIO CONTRIBUINTE",
                       }));
  EXPECT_TRUE(dialogs.messages().empty());

  request(u"segredo1", statusAnswer({"900004019",
                                     "static\\n",
                                     "10.0.0.2",
                                     "",
                                     "",
                                     "",
                                     "",
                                     "",
                                     "Conectado",
                                     "Alto",
                                     "1870127104",
                                     "1048576",
                                     "20261210093005",
                                     "1.2",
                                     "0.06",
                                     "",
                                     "",
                                     "",
                                     "",
                                     "",
                                     "2025011",
                                     "",
                                     "0"}));
  const auto lines = listing();
  ASSERT_EQ(lines.size(), 24u);
  EXPECT_EQ(lines[2], u" TIPO_LAN ......... static\\n");
  EXPECT_EQ(lines[11], u" MT_TOTAL ......... 1870127104");
  EXPECT_EQ(lines[15], u" VER_LAYOUT ....... 0.06");
  EXPECT_EQ(lines[21], u" CERT_EMISSAO ..... 1/01/2025") << "a short date keeps its separators";
  EXPECT_EQ(lines[22], u" CERT_VENCIMENTO .. //");
  EXPECT_EQ(lines[23], u" ESTADO_OPERACAO .. DESBLOQUEADO");
}

TEST_F(StatusPage, LockStatesAndFieldsOutsideTheTable) {
  std::vector<std::string> fields(22, "x");
  const struct {
    std::vector<std::string> tail;
    std::vector<std::u16string> lastLines;
  } cases[] = {
      {{"4"}, {u" ESTADO_OPERACAO .. BLOQUEIO PARA DESATIVACAO"}},
      {{"7"}, {u" ESTADO_OPERACAO .. 7"}},
      {{"0", "extra", "ç"},
       {u" ESTADO_OPERACAO .. DESBLOQUEADO", u" CAMPO_28 ......... extra",
        u" CAMPO_29 ......... ç"}},
      // Makers pad the number or sign it; what still is no number, a maker's
      // own name for the state included, is written as sent.
      {{" 2"}, {u" ESTADO_OPERACAO .. BLOQUEIO CONTRIBUINTE"}},
      {{"+2"}, {u" ESTADO_OPERACAO .. BLOQUEIO CONTRIBUINTE"}},
      {{"\t1 "}, {u" ESTADO_OPERACAO .. BLOQUEIO SEFAZ"}},
      {{" 9"}, {u" ESTADO_OPERACAO ..  9"}},
      {{"+-1"}, {u" ESTADO_OPERACAO .. +-1"}},
      {{""}, {u" ESTADO_OPERACAO .. "}},
      {{"BLOQUEIO_CONTRIBUINTE", "extra"},
       {u" ESTADO_OPERACAO .. BLOQUEIO_CONTRIBUINTE", u" CAMPO_28 ......... extra"}},
  };
  for (const auto& c : cases) {
    std::vector<std::string> all = fields;
    all.insert(all.end(), c.tail.begin(), c.tail.end());
    request(u"segredo1", statusAnswer(all));
    const auto lines = listing();
    ASSERT_GE(lines.size(), c.lastLines.size());
    EXPECT_EQ(std::vector<std::u16string>(lines.end() - static_cast<long>(c.lastLines.size()),
                                          lines.end()),
              c.lastLines)
        << c.tail[0];
  }
  EXPECT_TRUE(dialogs.texts(DialogKind::Unexpected).empty());
}

TEST_F(StatusPage, CancelShortCodeRefusalAndShortAnswers) {
  main.StatusBar.setText(u"answer of an earlier command");
  main.TabStatus.MemoStatus.setText(u"earlier listing");
  user([&] { main.BitBtnStatus.click(); });  // the prompt closed with its close box
  EXPECT_EQ(main.PageControl.activePageIndex(), page::kStatusPage);
  EXPECT_EQ(main.TabStatus.MemoStatus.text(), u"");
  EXPECT_EQ(main.StatusBar.text(), u"");

  request(u" 1234567 ", "unused");
  EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{
                                    u"Novo código de ativação deve ter no mínimo 8 caracteres."});
  EXPECT_TRUE(library.calls.empty());

  dialogs.calls.clear();
  request(u"segredo1", "1|10001|Código de ativação inválido||");
  EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{u"10001: Código de ativação inválido"});
  EXPECT_EQ(main.TabStatus.MemoStatus.text(), u"");

  request(u"segredo1", "1|10000|ok|||900004019|DHCP");
  EXPECT_EQ(listing(), (std::vector<std::u16string>{u" ", u" NSERIE ........... 900004019",
                                                    u" TIPO_LAN ......... DHCP"}));
  EXPECT_EQ(main.TabStatus.EdtCodAtiv4.text(), u"segredo1") << "the code is not cleared";
}

// Under the listing, which stays as it was, the health checks worst first,
// each a mark that says its level and a sentence; a refusal takes the panel
// away and gives the memo its height back. The fixture's clock reads
// 11/12/2026 10:00.
TEST_F(StatusPage, HealthPanelUnderTheListing) {
  const ui::Rect memoBefore = main.TabStatus.MemoStatus.bounds();
  const diagnostics::HealthPanel& health = main.TabStatus.health;
  EXPECT_FALSE(health.PanelSaude.visible());

  request(u"segredo1", statusAnswer({"900004019",
                                     "DHCP",
                                     "",
                                     "",
                                     "",
                                     "",
                                     "",
                                     "",
                                     "CONECTADO",
                                     "ALTO",
                                     "4 GB",
                                     "26 MB",
                                     "20261211100000",
                                     "01.00.00",
                                     "00.06",
                                     "",
                                     "",
                                     "",
                                     "",
                                     "20261211093000",
                                     "20250101",
                                     "20261223",
                                     "0"}));
  ASSERT_EQ(listing().size(), 24u) << "the listing keeps every line";
  ASSERT_TRUE(health.PanelSaude.visible());
  const std::u16string summary = health.summary();
  EXPECT_EQ(summary.rfind(u"ATENÇÃO: Certificado do SAT vence em 12 dias (23/12/2026)\r\n", 0), 0u)
      << platform::toUtf8(summary);
  EXPECT_NE(summary.find(u"OK: "), std::u16string::npos);
  const ui::Rect memo = main.TabStatus.MemoStatus.bounds();
  const ui::Rect panel = health.PanelSaude.bounds();
  EXPECT_LT(memo.top + memo.height, panel.top) << "the memo ends above the panel";
  EXPECT_EQ(panel.top + panel.height, memoBefore.top + memoBefore.height);

  request(u"segredo1", "1|10001|Código de ativação inválido||");
  EXPECT_FALSE(health.PanelSaude.visible());
  EXPECT_TRUE(health.summary().empty());
  EXPECT_EQ(main.TabStatus.MemoStatus.bounds().height, memoBefore.height);
}

}  // namespace
