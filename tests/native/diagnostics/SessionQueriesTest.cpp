// The session queries of the tests page.
#include <gtest/gtest.h>

#include "codec/Base64.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "satlib/SessionNumbers.h"
#include "support/ProgramFixture.h"

namespace {

using testing_support::DialogKind;
using testing_support::ProgramFixture;

constexpr char kCoupon[] =
    "<?xml version=\"1.0\"?>\n<CFe>\n  <infCFe>\n    <xNome>Padaria São João</xNome>\n"
    "  </infCFe>\n</CFe>\n";

// A stored sale answer of 12 fields, its coupon in field 6, here broken by a
// line break as some devices send it.
std::string storedSale(const std::string& session) {
  const std::string base64 = codec::encodeBase64(kCoupon);
  return session + "|06000|0000|Emitido com sucesso + conteúdo notas.|||" + base64.substr(0, 20) +
         "\r\n" + base64.substr(20) +
         "|20261210093005|CFe35261211222333000181599000040190000012345678|200.00||QRCODE";
}

class SessionQueries : public ProgramFixture {
 protected:
  SessionQueries() {
    program.start();
    dialogs.whenShown["TFValida"] = [this](ui::Form& form) {
      auto& valida = static_cast<shell::TFValida&>(form);
      valida.EdtCodigo.setTextFromUser(code);
      valida.BtnTrocarCod.click();
    };
  }

  void query(ui::Button& button, const std::string& answer) {
    library.answers = {answer};
    user([&] { button.click(); });
  }
  std::string cfeXml() const { return platform::readFile(folder.path() / "CFe.xml"); }

  std::u16string code = u"segredo1";
  diagnostics::TestsPage& page = main.TabTeste;
};

TEST_F(SessionQueries, AStoredSaleIsListedWithItsCoupon) {
  page.Edit1.setTextFromUser(u"4019");
  query(page.BtnSessao, storedSale("004019"));
  ASSERT_EQ(library.calls.size(), 1u);
  EXPECT_EQ(library.calls[0].entry, satlib::EntryPoint::ConsultarNumeroSessao);
  EXPECT_EQ(library.calls[0].arguments[2], "4019");
  EXPECT_EQ(page.Edit1.text(), platform::fromUtf8(library.lastSession()));
  EXPECT_EQ(page.frame.header.text(), u"CONSULTAR NÚMERO DE SESSÃO");
  const std::u16string dash(54, u'-');
  EXPECT_EQ(platform::toUtf8(page.MemoCFe.text()),
            platform::toUtf8(dash + u"\r\n" + platform::fromUtf8(storedSale("004019")) + u"\r\n" +
                             dash + u"\r\nSessão: 004019\r\n" +
                             u"Chave: CFe35261211222333000181599000040190000012345678\r\n" + dash +
                             u"\r\n<?xml version=\"1.0\"?>\r\n<CFe>\r\n  <infCFe>\r\n"
                             u"    <xNome>Padaria São João</xNome>\r\n  </infCFe>\r\n</CFe>\r\n" +
                             dash + u"\r\n"));
  EXPECT_EQ(cfeXml(),
            "<?xml version=\"1.0\"?>\r\n<CFe>\r\n  <infCFe>\r\n"
            "    <xNome>Padaria S\xc3\xa3o Jo\xc3\xa3o</xNome>\r\n  </infCFe>\r\n</CFe>\r\n");
  EXPECT_TRUE(dialogs.messages().empty());
  EXPECT_TRUE(dialogs.texts(DialogKind::Modal).size() == 1) << "no authority window";
}

TEST_F(SessionQueries, OtherAnswers) {
  const std::u16string dash(54, u'-');
  const struct {
    const char* name;
    std::function<std::string(const std::string& own)> answer;
    std::vector<std::u16string> messages;
    bool listed;
    std::optional<std::string> file;
  } cases[] = {
      {"the query's own answer",
       [](const std::string& own) { return own + "|11003|Sessão inválida|112|x"; },
       {u"11003: Sessão inválida"},
       false,
       std::nullopt},
      {"the own number with more leading zeros is still the query's",
       [](const std::string& own) { return "0" + own + "|11003|x"; },
       {u"11003: x"},
       false,
       std::nullopt},
      {"another number is a stored answer",
       [](const std::string& own) {
         return std::to_string((std::stoi(own) + 1) % 1000000) + "|11003|x";
       },
       {},
       true,
       "{fields}"},
      {"a stored end-to-end test",
       [](const std::string&) { return std::string("000777|09000|Emitido|||Q0ZF|"); },
       {},
       true,
       "000777\r\n09000\r\nEmitido\r\n\r\n\r\nQ0ZF\r\n\r\n"},
      {"a sale of too few fields",
       [](const std::string&) { return std::string("000777|06000|ok|||x"); },
       {},
       true,
       std::nullopt},
      {"a sale whose second split is short",
       [](const std::string&) { return std::string("000777|06000|ok|||Q0ZF|t|chave|1|q"); },
       {},
       true,
       ""},
      {"empty", [](const std::string&) { return std::string(); }, {}, false, std::nullopt},
  };
  for (const auto& c : cases) {
    dialogs.calls.clear();
    std::filesystem::remove(folder.path() / "CFe.xml");
    std::string sent;
    page.MemoCFe.setText(u"old");
    library.answers.clear();
    library.duringCall = [&] {
      sent = c.answer(library.lastSession());
      library.answers = {sent};
    };
    user([&] { page.BtnSessaoFiscal.click(); });
    EXPECT_EQ(library.calls.back().entry, satlib::EntryPoint::ConsultarUltimaSessaoFiscal);
    EXPECT_EQ(dialogs.messages(), c.messages) << c.name;
    EXPECT_EQ(page.MemoCFe.text().starts_with(dash), c.listed) << c.name;
    if (!c.listed) {
      EXPECT_EQ(page.MemoCFe.text(), u"") << c.name;
    }
    const auto file = folder.path() / "CFe.xml";
    // "{fields}": the answer's fields, one per line.
    std::optional<std::string> expectedFile = c.file;
    if (c.file == "{fields}") {
      expectedFile.emplace();
      for (const char ch : sent)
        *expectedFile += ch == '|' ? std::string("\r\n") : std::string(1, ch);
      *expectedFile += "\r\n";
    }
    EXPECT_EQ(platform::fileExists(file) ? std::optional(cfeXml()) : std::nullopt, expectedFile)
        << c.name;
    EXPECT_EQ(dialogs.texts(DialogKind::Modal).size(), 1u) << c.name << ": no authority window";
    EXPECT_TRUE(dialogs.texts(DialogKind::Unexpected).empty()) << c.name;
  }
  EXPECT_EQ(page.frame.header.text(), u"CONSULTAR ÚLTIMA SESSÃO FISCAL");
}

// Some devices echo the session number without its leading zeros: their
// refusal of the query itself is told, never listed nor written.
TEST_F(SessionQueries, TheQuerysOwnNumberEchoedWithoutLeadingZeros) {
  // On to the time at which the next number drawn begins with a zero.
  while (satlib::SessionNumbers::candidateFor(satlib::SessionNumbers::seedFor(
             testing_support::SteppingClock(clock).now()))[0] != '0')
    clock.now();
  platform::writeFileAtomically(folder.path() / "CFe.xml", "earlier");
  page.Edit1.setTextFromUser(u"4019");
  library.duringCall = [&] {
    const int own = std::stoi(library.calls.back().arguments[0]);
    ASSERT_LT(own, 100000) << "the session drawn has a leading zero";
    library.answers = {std::to_string(own) + "|11003|Sessão não encontrada||"};
  };
  user([&] { page.BtnSessao.click(); });
  EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{u"11003: Sessão não encontrada"});
  EXPECT_EQ(page.MemoCFe.text(), u"");
  EXPECT_EQ(cfeXml(), "earlier");
  EXPECT_EQ(page.Edit1.text(), platform::fromUtf8(library.lastSession()));
}

// A stored sale or cancellation comes with or without the validation code
// after the return code, and with the authority's code and message empty or
// filled in: the coupon and the key are found by the layout, and nothing but
// the coupon field is decoded.
TEST_F(SessionQueries, StoredCouponsInEitherLayout) {
  const std::string base64 = codec::encodeBase64(kCoupon);
  const std::string broken = base64.substr(0, 20) + "\r\n" + base64.substr(20);
  const std::string key = "CFe35261211222333000181599000040190000012345678";
  // The QR code signature broken by a line break too.
  const std::string after = "|20261210093005|" + key + "|200.00||QRCO\r\nDE";
  const struct {
    const char* name;
    std::string answer;
  } cases[] = {
      {"a sale with the authority's message",
       "000777|06000|0000|Emitido com sucesso|1|Mensagem da SEFAZ|" + base64 + after},
      {"a sale without the validation code",
       "000777|06000|Emitido com sucesso|||" + base64 + after},
      {"a sale without the validation code, with the authority's message",
       "000777|06000|Emitido com sucesso|1|Mensagem da SEFAZ|" + broken + after},
      {"a sale with an empty message", "000777|06000|0000||||" + base64 + after},
      {"a cancellation", "000777|07000|0000|Cupom cancelado com sucesso|||" + broken + after},
      {"a cancellation without the validation code, with the authority's message",
       "000777|07000|Cupom cancelado com sucesso|1|Mensagem da SEFAZ|" + base64 + after},
  };
  const std::u16string dash(54, u'-');
  for (const auto& c : cases) {
    dialogs.calls.clear();
    std::filesystem::remove(folder.path() / "CFe.xml");
    query(page.BtnSessaoFiscal, c.answer);
    EXPECT_EQ(platform::toUtf8(page.MemoCFe.text()),
              platform::toUtf8(dash + u"\r\n" + platform::fromUtf8(c.answer) + u"\r\n" + dash +
                               u"\r\nSessão: 000777\r\nChave: " + platform::fromUtf8(key) +
                               u"\r\n" + dash +
                               u"\r\n<?xml version=\"1.0\"?>\r\n<CFe>\r\n  <infCFe>\r\n"
                               u"    <xNome>Padaria São João</xNome>\r\n  </infCFe>\r\n</CFe>\r\n" +
                               dash + u"\r\n"))
        << c.name;
    EXPECT_EQ(cfeXml(),
              "<?xml version=\"1.0\"?>\r\n<CFe>\r\n  <infCFe>\r\n"
              "    <xNome>Padaria S\xc3\xa3o Jo\xc3\xa3o</xNome>\r\n  </infCFe>\r\n</CFe>\r\n")
        << c.name;
    EXPECT_TRUE(dialogs.messages().empty()) << c.name;
    EXPECT_TRUE(dialogs.texts(DialogKind::Unexpected).empty()) << c.name;
  }
}

TEST_F(SessionQueries, TheConsultedNumberIsCheckedAfterTheCode) {
  const struct {
    const char16_t* typed;
    const char16_t* code;
    const char16_t* message;
  } cases[] = {
      {u"", u"1234567", u"Código de Ativação deve ter no mínimo 8 caracteres."},
      {u"", u"segredo1", u"Número de sessão consultada inválida."},
      {u"12a", u"segredo1", u"Número de sessão consultada inválida."},
      {u"  ", u"segredo1", u"Número de sessão consultada inválida."},
  };
  for (const auto& c : cases) {
    dialogs.calls.clear();
    page.frame.header.setText({});
    page.Edit1.setText(c.typed);
    code = c.code;
    query(page.BtnSessao, "unused");
    EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{c.message});
    EXPECT_EQ(page.frame.header.text(), u"CONSULTAR NÚMERO DE SESSÃO")
        << "the header is set as soon as the prompt is confirmed";
  }
  EXPECT_TRUE(library.calls.empty());
}

}  // namespace
