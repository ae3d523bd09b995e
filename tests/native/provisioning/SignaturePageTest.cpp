#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/Text.h"
#include "support/ProgramFixture.h"

namespace {

using testing_support::DialogKind;
using testing_support::ProgramFixture;

constexpr char16_t kCodeTooShort[] = u"Código de Ativação deve ter no mínimo 8 caracteres.";
constexpr char16_t kTaxpayer[] = u"11222333000009";
constexpr char16_t kSoftwareHouse[] = u"11222333000181";

class SignaturePage : public ProgramFixture {
 protected:
  SignaturePage() : page(main.TabAssocAss) {
    program.start();
    user([&] { main.BtnAssocAssin.click(); });
  }

  void fill(std::u16string code, std::u16string taxpayer, std::u16string softwareHouse,
            std::u16string signature) {
    page.EdtCodAtiv3.setTextFromUser(std::move(code));
    page.EdtCNPJContrib2.setTextFromUser(std::move(taxpayer));
    page.EdtCNPJSw.setTextFromUser(std::move(softwareHouse));
    page.signatureSource.EdtAssinatura.setTextFromUser(std::move(signature));
  }
  void chooseFile() {
    user([&] { page.signatureSource.rgAssinatura.setItemIndexFromUser(1); });
  }
  std::u16string writeSignatureFile(const std::string& bytes) {
    const auto path = folder.path() / "assinatura.txt";
    platform::writeFileAtomically(path, bytes);
    return path.u16string();
  }
  void associate(const std::string& answer = "1|13000|0000|Assinatura do AC Registrada||") {
    library.answers = {answer};
    user([&] { page.BitAssociar.click(); });
  }

  provisioning::SignaturePage& page;
};

TEST_F(SignaturePage, LoadsTheCnpjsAndTheSignatureFromTheRecord) {
  storeSettings({{"CNPJContribuinte", kTaxpayer},
                 {"CNPJSH", kSoftwareHouse},
                 {"Assinatura", u"assinatura guardada"}});
  page.EdtCodAtiv3.setText(u"left over");
  chooseFile();
  user([&] { main.BtnPrincipal.click(); });
  user([&] { main.BtnAssocAssin.click(); });
  EXPECT_EQ(main.PageControl.activePageIndex(), page::kSignaturePage);
  EXPECT_EQ(focused(), &page.EdtCodAtiv3);
  EXPECT_EQ(page.EdtCodAtiv3.text(), u"");
  EXPECT_EQ(page.EdtCNPJContrib2.text(), kTaxpayer);
  EXPECT_FALSE(page.EdtCNPJContrib2.readOnly());
  EXPECT_EQ(page.EdtCNPJSw.text(), kSoftwareHouse);
  // The form of sending is kept, so the box holds the signature under "Arquivo".
  EXPECT_EQ(page.signatureSource.rgAssinatura.itemIndex(), 1);
  EXPECT_EQ(page.signatureSource.EdtAssinatura.text(), u"assinatura guardada");
}

TEST_F(SignaturePage, SwitchingTheFormOfSendingClearsTheBox) {
  EXPECT_EQ(page.signatureSource.LabelAssinatura.text(), u"Texto:");
  EXPECT_FALSE(page.signatureSource.Button3.visible());
  page.signatureSource.EdtAssinatura.setTextFromUser(u"abc");
  chooseFile();
  EXPECT_EQ(page.signatureSource.EdtAssinatura.text(), u"");
  EXPECT_EQ(page.signatureSource.LabelAssinatura.text(), u"Arquivo");
  EXPECT_TRUE(page.signatureSource.Button3.visible());

  dialogs.fileAnswers = {std::nullopt, u"C:\\assinatura.txt"};
  user([&] { page.signatureSource.Button3.click(); });
  EXPECT_EQ(page.signatureSource.EdtAssinatura.text(), u"") << "a cancelled dialog changes nothing";
  user([&] { page.signatureSource.Button3.click(); });
  EXPECT_EQ(page.signatureSource.EdtAssinatura.text(), u"C:\\assinatura.txt");
  EXPECT_EQ(dialogs.texts(DialogKind::OpenFile),
            (std::vector<std::u16string>{u"Selecione o Certificado", u"Selecione o Certificado"}));

  user([&] { page.signatureSource.rgAssinatura.setItemIndexFromUser(0); });
  EXPECT_EQ(page.signatureSource.EdtAssinatura.text(), u"");
  EXPECT_EQ(page.signatureSource.LabelAssinatura.text(), u"Texto");
  EXPECT_FALSE(page.signatureSource.Button3.visible());
}

TEST_F(SignaturePage, ChecksRunInOrderAndNothingIsStoredOrSent) {
  const std::u16string missing = (folder.path() / "nao-existe.txt").u16string();
  const std::u16string large = writeSignatureFile(std::string(64 * 1024 + 1, 'A'));
  const auto withNul = folder.path() / "nul.txt";
  platform::writeFileAtomically(withNul, std::string("abc\0def", 7));
  const auto empty = folder.path() / "vazia.txt";
  platform::writeFileAtomically(empty, "");
  const auto blanks = folder.path() / "brancos.txt";
  platform::writeFileAtomically(blanks, " \t\r\n \r\n");
  const struct {
    bool file;
    const char16_t* code;
    const char16_t* taxpayer;
    const char16_t* softwareHouse;
    std::u16string signature;
    const char16_t* message;
    const ui::Control* focus;
  } cases[] = {
      {false, u"123", u"11222333000182", kSoftwareHouse, u"sig", u"CNPJ Contribuinte inválido.",
       &page.EdtCNPJContrib2},
      {false, u"123", kTaxpayer, u"", u"sig", u"CNPJ Software House inválido.", &page.EdtCNPJSw},
      {false, u" 1234567 ", kTaxpayer, kSoftwareHouse, u"sig", kCodeTooShort, &page.EdtCodAtiv3},
      {false, u"12345678", kTaxpayer, kSoftwareHouse, u"   ",
       u"O campo \"Assinatura da Aplic. Comercial\" deve ser preenchido!",
       &page.signatureSource.EdtAssinatura},
      {true, u"12345678", kTaxpayer, kSoftwareHouse, missing,
       u"Arquivo especificado não foi encontrado!", &page.signatureSource.EdtAssinatura},
      {true, u"12345678", kTaxpayer, kSoftwareHouse, large,
       u"Erro ao tentar acessar o arquivo especificado!", &page.signatureSource.EdtAssinatura},
      {true, u"12345678", kTaxpayer, kSoftwareHouse, withNul.u16string(),
       u"Erro ao tentar acessar o arquivo especificado!", &page.signatureSource.EdtAssinatura},
      {true, u"1234567", kTaxpayer, kSoftwareHouse, empty.u16string(),
       u"Assinatura não pode estar em branco.", &page.signatureSource.EdtAssinatura},
      {true, u"12345678", kTaxpayer, kSoftwareHouse, blanks.u16string(),
       u"Assinatura não pode estar em branco.", &page.signatureSource.EdtAssinatura},
  };
  const std::string fileBefore = parametersFile();
  std::u16string codeBehindMessage;
  dialogs.whileMessageShows = [&](const std::u16string&) {
    codeBehindMessage = page.EdtCodAtiv3.text();
  };
  for (const auto& c : cases) {
    dialogs.calls.clear();
    user([&] { page.signatureSource.rgAssinatura.setItemIndexFromUser(c.file ? 1 : 0); });
    fill(c.code, c.taxpayer, c.softwareHouse, c.signature);
    associate();
    EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{c.message}) << dialogs.describe();
    EXPECT_EQ(focused(), c.focus) << platform::toUtf8(c.message);
    EXPECT_EQ(codeBehindMessage, c.code) << "the message shows over what was typed";
  }
  EXPECT_EQ(page.EdtCodAtiv3.text(), u"12345678") << "only the short-code check clears the code";
  EXPECT_TRUE(library.calls.empty());
  EXPECT_EQ(parametersFile(), fileBefore);
}

TEST_F(SignaturePage, AFileIsJoinedShownBeforeTheCodeCheckAndSentWhole) {
  chooseFile();
  const std::u16string path = writeSignatureFile("primeira\r\nsegunda\nterceira\n");
  fill(u"1234567", kTaxpayer, kSoftwareHouse, path);
  associate();
  EXPECT_EQ(dialogs.messages(),
            (std::vector<std::u16string>{u"primeirasegundaterceira", kCodeTooShort}));
  EXPECT_TRUE(library.calls.empty());

  dialogs.calls.clear();
  fill(u"12345678", kTaxpayer, kSoftwareHouse, path);
  associate();
  ASSERT_EQ(library.calls.size(), 1u);
  const auto& sent = library.calls[0].arguments;
  EXPECT_EQ(library.calls[0].entry, satlib::EntryPoint::AssociarAssinatura);
  EXPECT_EQ(sent[1], "12345678");
  EXPECT_EQ(sent[2], "1122233300018111222333000009") << "the software house's CNPJ comes first";
  EXPECT_EQ(sent[3], "primeirasegundaterceira");
  EXPECT_EQ(program.cds.readText("Assinatura"), u"primeirasegundaterceira");
  EXPECT_EQ(program.cds.readText("CNPJSH"), kSoftwareHouse);
  EXPECT_EQ(program.cds.readText("CNPJContribuinte"), u"")
      << "the taxpayer's CNPJ is not stored here";
}

TEST_F(SignaturePage, ALongSignatureIsSentWholeAndStoredCut) {
  const std::u16string signature(400, u'Q');
  fill(u"12345678", kTaxpayer, kSoftwareHouse, u"  " + signature + u" ");
  associate("1|13001|1999|Código de ativação inválido||");
  ASSERT_EQ(library.calls.size(), 1u);
  EXPECT_EQ(library.calls[0].arguments[3], std::string(400, 'Q'));
  EXPECT_EQ(program.cds.readText("Assinatura"), signature.substr(0, 344))
      << "stored before the call, whatever the device answers";
  EXPECT_EQ(page.EdtCodAtiv3.text(), u"12345678") << "the code keeps its text";
}

// Newer devices answer with a four-digit validation code in field 2, older
// ones without it; the message and the authority's fields follow the layout.
TEST_F(SignaturePage, ShowsBothAnswerLayouts) {
  const struct {
    const char* answer;
    std::vector<std::u16string> messages;
    const char16_t* authority;
  } cases[] = {
      {"1|13000|0000|Assinatura do AC Registrada||",
       {u"13000: Assinatura do AC Registrada"},
       nullptr},
      {"1|13001|1999|Código de ativação inválido||",
       {u"13001: [1999] Código de ativação inválido"},
       nullptr},
      {"1|13000|Assinatura do AC registrada||", {u"13000: Assinatura do AC registrada"}, nullptr},
      {"1|13000|0000|Assinatura do AC Registrada|112|Aceita",
       {u"13000: Assinatura do AC Registrada"},
       u"Código: 112\r\n\r\nAceita\r\n"},
      {"1|13000|Assinatura do AC registrada|112|Aceita",
       {u"13000: Assinatura do AC registrada"},
       u"Código: 112\r\n\r\nAceita\r\n"},
      {"1|13000|0000", {}, nullptr},
      // Only a message in field 2 makes the older layout: an empty or numeric
      // field is the validation code's place.
      {"1|13001||Código de ativação inválido||",
       {u"13001: [] Código de ativação inválido"},
       nullptr},
      {"1|13001||Código de ativação inválido|112|Recusada",
       {u"13001: [] Código de ativação inválido"},
       u"Código: 112\r\n\r\nRecusada\r\n"},
      {"1|13002|12345|Erro de comunicação|112|Recusada",
       {u"13002: [12345] Erro de comunicação"},
       u"Código: 112\r\n\r\nRecusada\r\n"},
  };
  for (const auto& c : cases) {
    dialogs.calls.clear();
    fill(u"12345678", kTaxpayer, kSoftwareHouse, u"assinatura");
    associate(c.answer);
    EXPECT_EQ(dialogs.messages(), c.messages) << c.answer;
    const auto windows = dialogs.texts(DialogKind::Modal);
    EXPECT_EQ(windows.size(), c.authority ? 1u : 0u) << c.answer;
    if (c.authority) {
      EXPECT_EQ(program.msefaz.MemoSefaz.text(), c.authority) << c.answer;
    }
    EXPECT_TRUE(dialogs.texts(DialogKind::Unexpected).empty()) << c.answer;
  }
}

}  // namespace
