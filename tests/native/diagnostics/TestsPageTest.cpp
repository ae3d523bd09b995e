// The end-to-end test sale of the tests page, with its dialog TFFimAFim.
#include <gtest/gtest.h>

#include "codec/Base64.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "support/ProgramFixture.h"

namespace {

using testing_support::DialogKind;
using testing_support::ProgramFixture;

constexpr char kItemTotalsAndPayment[] =
    "<det nItem=\"1\"><prod><cProd>001</cProd><xProd>MiniPc Mirel</xProd><CFOP>5001</CFOP>"
    "<uCom>UN</uCom><qCom>1.0000</qCom><vUnCom>654.320</vUnCom><indRegra>A</indRegra></prod>"
    "<imposto><vItem12741>1.00</vItem12741><ICMS><ICMS00><Orig>0</Orig><CST>00</CST>"
    "<pICMS>12.00</pICMS></ICMS00></ICMS><PIS><PISAliq><CST>01</CST><vBC>654.32</vBC>"
    "<pPIS>0.0600</pPIS></PISAliq></PIS><COFINS><COFINSAliq><CST>01</CST><vBC>654.32</vBC>"
    "<pCOFINS>0.0400</pCOFINS></COFINSAliq></COFINS></imposto></det><total>"
    "<vCFeLei12741>1.00</vCFeLei12741></total><pgto><MP><cMP>01</cMP><vMP>2000.00</vMP></MP>"
    "</pgto></infCFe></CFe>";

// A sale coupon as devices send it: indented over many lines after the
// declaration, an accented emitter.
constexpr char kIndentedCoupon[] =
    "<?xml version=\"1.0\"?>\n<CFe>\n  <infCFe Id=\"CFe3519\">\n    <emit>\n"
    "      <xNome>Padaria São João</xNome>\n    </emit>\n  </infCFe>\n</CFe>\n";
// A test coupon as devices send it: one line, no declaration.
constexpr char kOneLineCoupon[] =
    "<CFe><infCFe Id=\"CFe1\"><emit><xNome>Açaí</xNome></emit></infCFe></CFe>";

class TestsPage : public ProgramFixture {
 protected:
  TestsPage() {
    program.start();
    storeSettings({{"CNPJContribuinte", u"11222333000181"},
                   {"CNPJSH", u"11222333000009"},
                   {"Assinatura", u"assinatura guardada"}});
    user([&] { main.BtnTestefimafim.click(); });
  }

  // The prompt confirmed with `code`; then the test dialog with `fill`.
  void run(ui::Button& button, const std::u16string& code, const std::string& answer,
           const std::function<void(diagnostics::TFFimAFim&)>& fill = {}, bool confirm = true) {
    answerCodePrompt(code);
    dialogs.whenShown["TFFimAFim"] = [fill, confirm](ui::Form& form) {
      auto& dialog = static_cast<diagnostics::TFFimAFim&>(form);
      if (fill) fill(dialog);
      if (confirm) dialog.BtnOk.click();
    };
    library.answers = {answer};
    user([&] { button.click(); });
  }
  static std::string issued(std::string_view coupon) {
    return "123456|09000|Emitido com sucesso|||" + codec::encodeBase64(coupon) + "|rest";
  }
  std::optional<std::string> cfeXml() const {
    const auto file = folder.path() / "CFe.xml";
    if (!platform::fileExists(file)) return std::nullopt;
    return platform::readFile(file);
  }

  diagnostics::TestsPage& page = main.TabTeste;
  diagnostics::TFFimAFim& dialog = program.fimAFim;
};

TEST_F(TestsPage, SendsTheSaleOfEachVariantByteForByte) {
  run(page.BtnTesteAtivacao, u"segredo1", issued(kOneLineCoupon),
      [](auto& d) { d.EdtIEContrib.setTextFromUser(u"123456789012"); });
  ASSERT_EQ(library.calls.size(), 1u);
  EXPECT_EQ(library.calls[0].entry, satlib::EntryPoint::TesteFimAFim);
  EXPECT_EQ(library.calls[0].arguments[1], "segredo1");
  EXPECT_EQ(library.calls[0].arguments[2],
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><CFe><infCFe versaoDadosEnt=\"0.08\"><ide>"
            "<CNPJ>00000000000000</CNPJ><signAC>" +
                std::string(344, '0') +
                "</signAC><numeroCaixa>099</numeroCaixa></ide><emit><CNPJ>11222333000181</CNPJ>"
                "<IE>000000000000</IE><cRegTribISSQN>1</cRegTribISSQN><indRatISSQN>N</indRatISSQN>"
                "</emit><dest/>" +
                kItemTotalsAndPayment);
  EXPECT_EQ(page.frame.header.text(), u"FIM-A-FIM ATIVAÇÃO");
  EXPECT_FALSE(dialog.EdtCNPJSw.enabled());
  EXPECT_FALSE(dialog.signatureSource.EdtAssinatura.enabled());

  library.calls.clear();
  run(page.BtnTesteProducao, u"segredo1", issued(kOneLineCoupon), [](auto& d) {
    d.EdtCNPJContrib2.setTextFromUser(u"11222333000182");  // check digits are not checked
    d.signatureSource.EdtAssinatura.setTextFromUser(u" a&b<c>\"d' ");
  });
  ASSERT_EQ(library.calls.size(), 1u);
  EXPECT_EQ(library.calls[0].arguments[2],
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?><CFe><infCFe versaoDadosEnt=\"0.08\"><ide>"
            "<CNPJ>11222333000009</CNPJ><signAC>a&amp;b&lt;c&gt;&quot;d&apos;</signAC>"
            "<numeroCaixa>099</numeroCaixa></ide><emit><CNPJ>11222333000182</CNPJ>"
            "<IE>123456789012</IE><cRegTribISSQN>1</cRegTribISSQN><indRatISSQN>N</indRatISSQN>"
            "</emit><dest><CNPJ>47230518000185</CNPJ></dest>" +
                std::string(kItemTotalsAndPayment));
  EXPECT_EQ(page.frame.header.text(), u"FIM-A-FIM PRODUÇÃO");
  EXPECT_TRUE(dialog.EdtCNPJSw.enabled());
}

TEST_F(TestsPage, TheDialogKeepsTheIeAndRefillsWhatIsStored) {
  run(page.BtnTesteProducao, u"segredo1", issued(kOneLineCoupon), [](auto& d) {
    d.EdtIEContrib.setTextFromUser(u"111222333444");
    d.EdtCNPJSw.setTextFromUser(u"99888777000166");
  });
  run(page.BtnTesteProducao, u"segredo1", issued(kOneLineCoupon));
  EXPECT_EQ(dialog.EdtIEContrib.text(), u"111222333444");
  EXPECT_EQ(dialog.EdtCNPJSw.text(), u"11222333000009");
  EXPECT_EQ(dialog.signatureSource.EdtAssinatura.text(), u"assinatura guardada");
  EXPECT_EQ(dialog.focusedControl(), &dialog.EdtCNPJContrib2);
  EXPECT_EQ(dialog.signatureSource.EdtAssinatura.maxLength(), 344);
}

TEST_F(TestsPage, ChecksTheCodeAndTheDialogsValues) {
  const auto clear = [](diagnostics::TFFimAFim& d) {
    d.EdtCNPJContrib2.setTextFromUser(u"");
    d.EdtCNPJSw.setTextFromUser(u"");
    d.signatureSource.EdtAssinatura.setTextFromUser(u"   ");
  };
  const struct {
    const char* name;
    ui::Button& button;
    const char16_t* code;
    std::function<void(diagnostics::TFFimAFim&)> fill;
    bool confirm;
    std::vector<std::u16string> messages;
    const char16_t* header;
  } cases[] = {
      {"short code",
       page.BtnTesteAtivacao,
       u" 1234567 ",
       {},
       true,
       {u"Código de Ativação deve ter no mínimo 8 caracteres."},
       u""},
      {"dialog closed", page.BtnTesteAtivacao, u"segredo1", {}, false, {}, u"FIM-A-FIM ATIVAÇÃO"},
      {"A: invalid CNPJ",
       page.BtnTesteAtivacao,
       u"segredo1",
       [](auto& d) { d.EdtCNPJContrib2.setTextFromUser(u"11222333000182"); },
       true,
       {u"CNPJ do Contribuinte inválido."},
       u"FIM-A-FIM ATIVAÇÃO"},
      {"P: all empty",
       page.BtnTesteProducao,
       u"segredo1",
       clear,
       true,
       {u"CNPJ do Contribuinte inválido."},
       u"FIM-A-FIM PRODUÇÃO"},
      {"P: IE empty",
       page.BtnTesteProducao,
       u"segredo1",
       [](auto& d) { d.EdtIEContrib.setTextFromUser(u""); },
       true,
       {u"IE do Contribuinte inválido."},
       u"FIM-A-FIM PRODUÇÃO"},
      {"P: software house empty",
       page.BtnTesteProducao,
       u"segredo1",
       [](auto& d) {
         d.EdtIEContrib.setTextFromUser(u"1");
         d.EdtCNPJSw.setTextFromUser(u"");
       },
       true,
       {u"CNPJ da Software House inválido."},
       u"FIM-A-FIM PRODUÇÃO"},
      {"P: signature of blanks",
       page.BtnTesteProducao,
       u"segredo1",
       [](auto& d) {
         d.EdtIEContrib.setTextFromUser(u"1");
         d.signatureSource.EdtAssinatura.setTextFromUser(u"  ");
       },
       true,
       {u"Assinatura não pode estar em branco."},
       u"FIM-A-FIM PRODUÇÃO"},
  };
  for (const auto& c : cases) {
    dialogs.calls.clear();
    page.frame.header.setText({});
    page.MemoCFe.setText(u"old");
    run(c.button, c.code, "unused", c.fill, c.confirm);
    EXPECT_EQ(dialogs.messages(), c.messages) << c.name;
    EXPECT_EQ(page.frame.header.text(), c.header) << c.name;
    EXPECT_EQ(page.MemoCFe.text(), u"") << c.name;
  }
  EXPECT_TRUE(library.calls.empty());

  dialogs.calls.clear();
  dialogs.whenShown.clear();  // the prompt closed with its close box
  user([&] { page.BtnTesteAtivacao.click(); });
  EXPECT_EQ(dialogs.texts(DialogKind::Modal), std::vector<std::u16string>{u"TFValida"});
  EXPECT_TRUE(library.calls.empty());
}

TEST_F(TestsPage, ShowsTheCouponIndentedAndKeepsItsBytesInCFeXml) {
  const std::u16string dash(54, u'-');
  const struct {
    const char* coupon;
    std::u16string memo;
    std::string file;
  } cases[] = {
      {kIndentedCoupon,
       dash +
           u"\r\n<?xml version=\"1.0\"?>\r\n<CFe>\r\n  <infCFe Id=\"CFe3519\">\r\n    <emit>\r\n"
           u"      <xNome>Padaria São João</xNome>\r\n    </emit>\r\n  </infCFe>\r\n</CFe>\r\n" +
           dash + u"\r\n",
       "<?xml version=\"1.0\"?>\r\n<CFe>\r\n  <infCFe Id=\"CFe3519\">\r\n    <emit>\r\n"
       "      <xNome>Padaria S\xc3\xa3o Jo\xc3\xa3o</xNome>\r\n    </emit>\r\n  </infCFe>\r\n"
       "</CFe>\r\n"},
      {kOneLineCoupon,
       dash +
           u"\r\n<CFe>\r\n  <infCFe Id=\"CFe1\">\r\n    <emit>\r\n      <xNome>Açaí</xNome>\r\n"
           u"    </emit>\r\n  </infCFe>\r\n</CFe>\r\n" +
           dash + u"\r\n",
       std::string(kOneLineCoupon) + "\r\n"},
  };
  for (const auto& c : cases) {
    dialogs.calls.clear();
    run(page.BtnTesteAtivacao, u"segredo1", issued(c.coupon));
    EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{u"09000: Emitido com sucesso"});
    EXPECT_EQ(platform::toUtf8(page.MemoCFe.text()), platform::toUtf8(c.memo));
    EXPECT_EQ(cfeXml(), c.file);
    EXPECT_TRUE(page.BtnNaveg.enabled());
  }
  EXPECT_TRUE(dialogs.texts(DialogKind::Modal).size() == 2) << "only the two prompts";

  user([&] { page.BtnNaveg.click(); });
  EXPECT_EQ(dialogs.texts(DialogKind::Shell),
            std::vector<std::u16string>{(folder.path() / "CFe.xml").u16string()});
}

TEST_F(TestsPage, AnswersThatShowNoCoupon) {
  run(page.BtnTesteAtivacao, u"segredo1", issued(kOneLineCoupon));
  const struct {
    const char* name;
    std::string answer;
    std::vector<std::u16string> messages;
    const char16_t* memo;
    bool cfeKept;
    bool authority;
  } cases[] = {
      {"refused",
       "1|09001|Código de ativação inválido|112|Rejeitado",
       {u"09001: Código de ativação inválido"},
       u"",
       false,
       true},
      {"short", "1", {}, u"", true, false},
      {"not XML",
       issued("<CFe><infCFe>"),
       {u"09000: Emitido com sucesso"},
       u"------------------------------------------------------\r\n",
       true,
       false},
      {"no coupon", "1|09000|Emitido", {u"09000: Emitido"}, u"", true, false},
  };
  for (const auto& c : cases) {
    dialogs.calls.clear();
    platform::writeFileAtomically(folder.path() / "CFe.xml", "earlier");
    run(page.BtnTesteAtivacao, u"segredo1", c.answer);
    EXPECT_EQ(dialogs.messages(), c.messages) << c.name;
    EXPECT_EQ(page.MemoCFe.text(), c.memo) << c.name;
    EXPECT_EQ(cfeXml().has_value(), c.cfeKept) << c.name;
    EXPECT_EQ(dialogs.texts(DialogKind::Modal).size(), c.authority ? 3u : 2u) << c.name;
    EXPECT_TRUE(dialogs.texts(DialogKind::Unexpected).empty()) << c.name;
    EXPECT_TRUE(page.BtnNaveg.enabled()) << c.name << ": a failed test leaves it as it was";
  }
  // With CFe.xml gone, "Abrir no Navegador" does nothing.
  user([&] { page.BtnNaveg.click(); });
  EXPECT_TRUE(dialogs.texts(DialogKind::Shell).empty());
  user([&] { main.BtnTestefimafim.click(); });
  EXPECT_FALSE(page.BtnNaveg.enabled());
}

TEST_F(TestsPage, UnderArquivoTheFilesSignatureIsSent) {
  const auto file = folder.path() / "assinatura.txt";
  platform::writeFileAtomically(file, "QUJD\r\nREVG\r\n");
  run(page.BtnTesteProducao, u"segredo1", issued(kOneLineCoupon), [&](auto& d) {
    d.EdtIEContrib.setTextFromUser(u"1");
    d.signatureSource.rgAssinatura.setItemIndexFromUser(1);
    EXPECT_EQ(d.signatureSource.LabelAssinatura.text(), u"Arquivo");
    EXPECT_TRUE(d.signatureSource.Button3.visible());
    d.signatureSource.EdtAssinatura.setTextFromUser(file.u16string());
  });
  ASSERT_EQ(library.calls.size(), 1u);
  EXPECT_NE(library.calls[0].arguments[2].find("<signAC>QUJDREVG</signAC>"), std::string::npos);

  // A file without a signature is refused as a blank signature is.
  const auto empty = folder.path() / "vazia.txt";
  platform::writeFileAtomically(empty, "");
  const auto blanks = folder.path() / "brancos.txt";
  platform::writeFileAtomically(blanks, " \t\r\n \r\n");
  const struct {
    std::u16string typed;
    const char16_t* message;
  } refused[] = {
      {(folder.path() / "missing.txt").u16string(), u"Arquivo especificado não foi encontrado!"},
      {empty.u16string(), u"Assinatura não pode estar em branco."},
      {blanks.u16string(), u"Assinatura não pode estar em branco."},
  };
  library.calls.clear();
  for (const auto& c : refused) {
    dialogs.calls.clear();
    run(page.BtnTesteProducao, u"segredo1", "unused",
        [&](auto& d) { d.signatureSource.EdtAssinatura.setTextFromUser(c.typed); });
    EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{c.message}) << dialogs.describe();
    EXPECT_EQ(dialog.focusedControl(), &dialog.signatureSource.EdtAssinatura)
        << platform::toUtf8(c.message);
  }
  EXPECT_TRUE(library.calls.empty());
}

// "Arquivo" outlives the dialog, and each showing refills the box with the
// stored signature: that is sent as the signature, not taken for a file's
// name, until the user picks a file again.
TEST_F(TestsPage, AfterAnArquivoTestTheRefilledSignatureIsSent) {
  const auto file = folder.path() / "outra.txt";
  platform::writeFileAtomically(file, "QUJD\r\n");
  const auto sentSignature = [&] {
    EXPECT_EQ(library.calls.size(), 1u) << dialogs.describe();
    if (library.calls.empty()) return std::string();
    const std::string& sale = library.calls[0].arguments[2];
    const std::size_t start = sale.find("<signAC>") + 8;
    return sale.substr(start, sale.find("</signAC>") - start);
  };
  const struct {
    const char* name;
    bool pick;
    const char* signature;
  } tests[] = {
      {"file picked", true, "QUJD"},
      {"shown again", false, "assinatura guardada"},
      {"shown once more", false, "assinatura guardada"},
      {"file picked again", true, "QUJD"},
  };
  user([&] {
    dialog.signatureSource.rgAssinatura.setItemIndexFromUser(1);
  });  // at an earlier showing
  for (const auto& t : tests) {
    library.calls.clear();
    dialogs.calls.clear();
    if (t.pick) dialogs.fileAnswers = {file.u16string()};
    run(page.BtnTesteProducao, u"segredo1", issued(kOneLineCoupon), [&](auto& d) {
      d.EdtIEContrib.setTextFromUser(u"1");
      EXPECT_EQ(d.signatureSource.LabelAssinatura.text(), u"Arquivo") << t.name;
      EXPECT_EQ(d.signatureSource.EdtAssinatura.text(), u"assinatura guardada") << t.name;
      if (t.pick) d.signatureSource.Button3.click();
    });
    EXPECT_EQ(sentSignature(), t.signature) << t.name;
    EXPECT_EQ(dialogs.messages(), std::vector<std::u16string>{u"09000: Emitido com sucesso"})
        << t.name;
  }
}

}  // namespace
