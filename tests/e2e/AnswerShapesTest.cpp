// Answers real devices give, in the real program against the emulator: the
// association answer in both layouts, the query's own refusal echoing its
// session number in another form, stored sales and cancellations in both
// layouts with the authority's message filled in, and a coupon that decodes
// to any bytes at all.
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "Polling.h"
#include "QuorvelTest.h"
#include "WindowActions.h"
#include "WindowQueries.h"
#include "codec/Base64.h"
#include "platform/Xml.h"

namespace e2e {
namespace {

std::vector<std::string> fieldsOf(const std::string& answer) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t bar = answer.find('|'); bar != std::string::npos;
       bar = answer.find('|', start)) {
    fields.push_back(answer.substr(start, bar - start));
    start = bar + 1;
  }
  fields.push_back(answer.substr(start));
  return fields;
}

std::string joined(const std::vector<std::string>& fields) {
  std::string answer;
  for (std::size_t i = 0; i < fields.size(); ++i) answer += (i ? "|" : "") + fields[i];
  return answer;
}

class AnswerShapes : public QuorvelTest {
 protected:
  // The fields of the answer the device keeps for its last fiscal command.
  std::vector<std::string> lastFiscalAnswer() const {
    return fieldsOf(knobs_->stateValue("lastFiscalAnswer"));
  }
  void openTestsPage() {
    click(control(main_, "BtnTestefimafim"));
    ASSERT_TRUE(waitForPage(main_, "TabTeste"));
  }
  // "Consulta Sessão Fiscal", answered with these bytes when there are any.
  void consultFiscalSession(const std::string& forced = {}) {
    if (!forced.empty()) {
      ASSERT_EQ(knobs_->forceAnswer(forced), "");
    }
    click(control(main_, "BtnSessaoFiscal"));
    confirmPrompt();
  }
  // The last fiscal session asked for, CFe.xml removed first: the coupon
  // is listed under its key and kept in CFe.xml as a document with this root.
  void expectCouponListedAndKept(const std::string& forced, const std::string& key,
                                 const std::string& root) {
    std::filesystem::remove(folder_->file(L"CFe.xml"));
    consultFiscalSession(forced);
    EXPECT_TRUE(memoHolds("MemoCFe", L"\r\nChave: " + widened(key) + L"\r\n"))
        << toUtf8(controlText(main_, "MemoCFe"));
    EXPECT_TRUE(memoHolds("MemoCFe", L"\r\n<" + widened(root)))
        << toUtf8(controlText(main_, "MemoCFe"));
    // The file is written right after the memo is filled.
    const std::optional<std::string> file =
        pollFor([&] { return folder_->read(L"CFe.xml"); }, std::chrono::seconds(5));
    ASSERT_TRUE(file);
    try {
      EXPECT_EQ(platform::parseXml(*file).name, root);
    } catch (const std::exception& error) {
      ADD_FAILURE() << "CFe.xml is no document: " << error.what() << "\n" << *file;
    }
    EXPECT_TRUE(messageBoxes(program_->id()).empty()) << windowsOnScreen();
  }
};

// Field 2 of an association answer decides its layout only when it holds a
// message: an empty or numeric field is the validation code's place.
TEST_F(AnswerShapes, AssociationAnswersInEitherLayout) {
  startActivated();
  click(control(main_, "BtnAssocAssin"));
  ASSERT_TRUE(waitForPage(main_, "TabAssocAss"));
  typeInto(main_, "EdtCNPJContrib2", L"11222333000181");
  typeInto(main_, "EdtCodAtiv3", kActivationCode);
  typeInto(main_, "EdtCNPJSw", L"11222333000009");
  typeInto(main_, "EdtAssinatura", L"U2lnbmF0dXJl");
  const struct {
    const char* answer;
    const wchar_t* message;
    const wchar_t* authority;
  } cases[] = {
      {"{sessao}|13001||Codigo de ativacao invalido||", L"13001: [] Codigo de ativacao invalido",
       nullptr},
      {"{sessao}|13000|0000|Assinatura do AC Registrada|112|Aceita pela SEFAZ",
       L"13000: Assinatura do AC Registrada", L"Código: 112\r\n\r\nAceita pela SEFAZ"},
      {"{sessao}|13000|Assinatura do AC Registrada|112|Aceita pela SEFAZ",
       L"13000: Assinatura do AC Registrada", L"Código: 112\r\n\r\nAceita pela SEFAZ"},
      {"{sessao}|13004|123|Assinatura invalida|9|Recusada", L"13004: [123] Assinatura invalida",
       L"Código: 9\r\n\r\nRecusada"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    ASSERT_EQ(knobs_->forceAnswer(c.answer), "");
    click(control(main_, "BitAssociar"));
    expectMessage(c.message);
    if (!c.authority) {
      expectNoAuthorityWindow();
      continue;
    }
    expectAuthorityWindow(c.authority);
  }
  // The device's own answer still goes through.
  click(control(main_, "BitAssociar"));
  expectMessage(L"13000: Assinatura do AC Registrada");
}

// The query's own session number echoed in another form is still the
// query's: its refusal is told, and neither listed nor written over CFe.xml.
// Some devices drop its leading zeros; a scenario cannot choose the number
// the program draws, so here the echo carries one zero more, which is the
// same number written otherwise.
TEST_F(AnswerShapes, TheQuerysOwnRefusalWithItsNumberWrittenOtherwise) {
  startActivated();
  associateAndSell();
  openTestsPage();
  const std::vector<std::string> sale = lastFiscalAnswer();
  ASSERT_EQ(sale.size(), 12u) << joined(sale);
  expectCouponListedAndKept({}, sale[8], "CFe");
  const std::optional<std::string> coupon = folder_->read(L"CFe.xml");

  typeInto(main_, "Edit1", L"4019");
  ASSERT_EQ(knobs_->forceAnswer("0{sessao}|11003|Sessao nao encontrada||"), "");
  click(control(main_, "BtnSessao"));
  confirmPrompt();
  expectMessage(L"11003: Sessao nao encontrada");
  EXPECT_EQ(controlText(main_, "MemoCFe"), L"");
  EXPECT_EQ(folder_->read(L"CFe.xml"), coupon) << "CFe.xml keeps the sale";
  EXPECT_TRUE(isSixDigits(controlText(main_, "Edit1")));

  // The next query lists the stored sale again.
  expectCouponListedAndKept({}, sale[8], "CFe");
}

// A stored sale or cancellation with or without the validation code, and
// with the authority's code and message filled in: the coupon is found by
// the layout, listed under its key and kept in CFe.xml as the document it is.
TEST_F(AnswerShapes, StoredSalesAndCancellationsInEitherLayout) {
  startActivated();
  associateAndSell();
  const std::vector<std::string> sale = lastFiscalAnswer();
  ASSERT_EQ(sale.size(), 12u) << joined(sale);
  openTestsPage();

  std::vector<std::string> withAuthority = sale;
  withAuthority[3] = "Emitido com sucesso";
  withAuthority[4] = "1";
  withAuthority[5] = "Mensagem da SEFAZ";
  {
    SCOPED_TRACE("a sale with the authority's message");
    expectCouponListedAndKept(joined(withAuthority), sale[8], "CFe");
  }
  std::vector<std::string> older = withAuthority;
  older.erase(older.begin() + 2);
  {
    SCOPED_TRACE("a sale without the validation code, with the authority's message");
    expectCouponListedAndKept(joined(older), sale[8], "CFe");
  }

  // The device's own cancellation, its coupon broken into lines.
  ASSERT_EQ(knobs_->set({"knobs.crlfInBase64", "1"}), "");
  ASSERT_EQ(knobs_->cancelLastSale(), "");
  std::vector<std::string> cancellation = lastFiscalAnswer();
  ASSERT_EQ(cancellation.size(), 12u) << joined(cancellation);
  ASSERT_EQ(cancellation[1], "07000");
  {
    SCOPED_TRACE("a cancellation");
    expectCouponListedAndKept({}, cancellation[8], "CFeCanc");
  }
  // The state file writes each line break as \r\n.
  for (std::size_t at = cancellation[6].find("\\r\\n"); at != std::string::npos;
       at = cancellation[6].find("\\r\\n"))
    cancellation[6].erase(at, 4);
  cancellation[3] = "Cupom cancelado com sucesso";
  cancellation[4] = "1";
  cancellation[5] = "Mensagem da SEFAZ";
  cancellation.erase(cancellation.begin() + 2);
  {
    SCOPED_TRACE("a cancellation without the validation code, with the authority's message");
    expectCouponListedAndKept(joined(cancellation), cancellation[7], "CFeCanc");
  }
  screenshot(main_, L"filled-5-TabTeste-cancelamento.png");
}

// Whatever bytes a coupon decodes to, the page shows them and the program
// goes on: among them an Arabic mark before a Syriac letter, which the
// system's text layout under Wine does not survive, a NUL, control
// characters, malformed UTF-8 and a long line.
TEST_F(AnswerShapes, ACouponOfAnyBytesIsShown) {
  startActivated();
  associateAndSell();
  const std::vector<std::string> sale = lastFiscalAnswer();
  ASSERT_EQ(sale.size(), 12u) << joined(sale);
  openTestsPage();

  constexpr char kOdd[] =
      "S\xC3\xA3o \xD9\x8D\xDC\x9C \xD9\x8D\xDE\x80 "
      "x\0y\x01\x1B\x7F\r\n\xFF\xFE\xED\xA0\x80\xC3\r\n";
  std::string bytes(kOdd, sizeof kOdd - 1);
  unsigned state = 12345;
  for (int i = 0; i < 8000; ++i) {
    state = state * 1103515245u + 12345u;
    bytes += static_cast<char>(state >> 16);
  }
  std::vector<std::string> garbled = sale;
  garbled[3] = "Emitido com sucesso";
  garbled[6] = codec::encodeBase64(bytes);
  consultFiscalSession(joined(garbled));
  EXPECT_TRUE(memoHolds("MemoCFe", L"\r\nChave: " + widened(sale[8]) + L"\r\n"))
      << toUtf8(controlText(main_, "MemoCFe"));
  EXPECT_TRUE(memoHolds("MemoCFe", L"\r\nSão ")) << toUtf8(controlText(main_, "MemoCFe"));
  EXPECT_TRUE(pollFor([&] { return folder_->read(L"CFe.xml").has_value(); }));
  screenshot(main_, L"filled-5-TabTeste-bytes.png");
  ASSERT_FALSE(program_->hasExited());

  // The next command works.
  expectCouponListedAndKept({}, sale[8], "CFe");
  EXPECT_FALSE(program_->hasExited());
}

}  // namespace
}  // namespace e2e
