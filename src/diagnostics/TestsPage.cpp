#include "diagnostics/TestsPage.h"

#include <charconv>

#include "codec/Base64.h"
#include "diagnostics/ConsultedSale.h"
#include "diagnostics/CouponText.h"
#include "page/InputChecks.h"
#include "page/PageLayout.h"
#include "page/SignatureFile.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "satlib/SessionNumbers.h"
#include "validation/Cnpj.h"

namespace diagnostics {

namespace {

// A session number typed or pasted into Edit1: digits only, within an int.
std::optional<int> consultedSessionNumber(std::u16string_view typed) {
  const std::string digits = platform::toAnsi(platform::trimmed(typed));
  int number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (digits.empty() || digits[0] == '-' || error != std::errc{} ||
      end != digits.data() + digits.size())
    return std::nullopt;
  return number;
}

std::string joinedWithCrLf(const std::vector<std::string_view>& lines) {
  std::string joined;
  for (const std::string_view line : lines) {
    joined += line;
    joined += "\r\n";
  }
  return joined;
}

}  // namespace

TestsPage::TestsPage(ui::PageControl& pages, page::PageContext& context, TFFimAFim& fimAFim)
    : frame(&pages, "TabTeste", "Panel4", u""),
      MemoCFe("MemoCFe", &frame.sheet),
      PanelTestes("PanelTestes", &frame.sheet),
      BtnTesteAtivacao("BtnTesteAtivacao", &PanelTestes),
      BtnTesteProducao("BtnTesteProducao", &PanelTestes),
      BtnNaveg("BtnNaveg", &PanelTestes),
      LabelSessao("LabelSessao", &PanelTestes),
      Edit1("Edit1", &PanelTestes),
      BtnSessao("BtnSessao", &PanelTestes),
      LabelSessaoFiscal("LabelSessaoFiscal", &PanelTestes),
      BtnSessaoFiscal("BtnSessaoFiscal", &PanelTestes),
      context_(context),
      fimAFim_(fimAFim) {
  layOutControls();
  wireHandlers();
}

void TestsPage::layOutControls() {
  PanelTestes.setAlign(ui::Align::Bottom);
  PanelTestes.setBounds({0, 0, 0, 66});
  page::layOut({
      {MemoCFe, {8, 33, 520, 305}, {}, page::Tab::Skip},
      {BtnTesteAtivacao, {8, 4, 124, 27}, u"FimAFim Ativação"},
      {BtnTesteProducao, {140, 4, 124, 27}, u"FimAFim Produção"},
      {BtnNaveg, {272, 4, 130, 27}, u"Abrir no Navegador"},
      {LabelSessao, {8, 40, 40, 14}, u"Sessão:"},
      {Edit1, {52, 37, 51, 21}},
      {BtnSessao, {108, 34, 124, 27}, u"Consulta Sessão"},
      {LabelSessaoFiscal, {290, 40, 76, 14}, u"Sessão Fiscal:"},
      {BtnSessaoFiscal, {368, 34, 150, 27}, u"Consulta Sessão Fiscal"},
  });
  MemoCFe.setReadOnly(true);
  // A consulted answer or a coupon may run to megabytes: the viewer shows
  // them at once where an edit control would need seconds.
  MemoCFe.largeText = true;
  MemoCFe.fixedPitch = true;
  MemoCFe.setFont({{}, 13, false, ui::kDefaultColor});
  MemoCFe.horizontalScrollBar = true;
  MemoCFe.wordWrap = false;
  MemoCFe.setAnchors({true, true, true, true});
  Edit1.setMaxLength(6);
  Edit1.numbersOnly = true;
  Edit1.centered = true;
  BtnNaveg.setEnabled(false);
}

void TestsPage::wireHandlers() {
  BtnTesteAtivacao.onClick = [this] { BtnTesteAtivacaoClick(); };
  BtnTesteProducao.onClick = [this] { BtnTesteProducaoClick(); };
  BtnNaveg.onClick = [this] { BtnNavegClick(); };
  BtnSessao.onClick = [this] { BtnSessaoClick(); };
  BtnSessaoFiscal.onClick = [this] { BtnSessaoFiscalClick(); };
}

void TestsPage::BtnTestefimafimClick() {
  frame.header.setText({});
  MemoCFe.clear();
  BtnNaveg.setEnabled(false);
  context_.runner.mostrastatus({});
  context_.host.showPage(page::kTestsPage);
}

bool TestsPage::promptForCode(std::u16string_view header, bool headerBeforeCheck) {
  MemoCFe.clear();
  const std::optional<std::u16string> code = context_.host.askForCode();
  if (!code) return false;
  if (headerBeforeCheck) frame.header.setText(std::u16string(header));
  if (page::isShortCode(*code)) {
    context_.messages.showMessage(std::u16string(page::kCodeTooShort));
    return false;
  }
  if (!headerBeforeCheck) frame.header.setText(std::u16string(header));
  return true;
}

void TestsPage::BtnTesteAtivacaoClick() {
  runTest(TestVariant::Activation);
}

void TestsPage::BtnTesteProducaoClick() {
  runTest(TestVariant::Production);
}

void TestsPage::runTest(TestVariant variant) {
  const bool production = variant == TestVariant::Production;
  if (!promptForCode(production ? u"FIM-A-FIM PRODUÇÃO" : u"FIM-A-FIM ATIVAÇÃO", false)) return;
  page::SignatureSource& signature = fimAFim_.signatureSource;
  for (ui::Control* live : std::initializer_list<ui::Control*>{
           &fimAFim_.EdtCNPJSw, &fimAFim_.EdtIEContrib, &signature.rgAssinatura,
           &signature.EdtAssinatura, &signature.Button3})
    live->setEnabled(production);
  context_.messages.showModal(fimAFim_);
  if (context_.prompt.DialogoCancelado != 0) return;
  const std::optional<SaleValues> values = testValues(variant);
  if (!values) return;

  const std::string dadosVenda = saleDocument(variant, *values);
  page::Command command;
  command.entryPoint = satlib::EntryPoint::TesteFimAFim;
  command.code = context_.prompt.CodigoDigitado;
  command.call = [dadosVenda](satlib::SatLibrary& library, int sessao, const std::string& codigo) {
    return library.TesteFimAFim(sessao, codigo, dadosVenda);
  };
  // The authority's message is shown inside the reading of the answer.
  command.showsAuthorityMessage = false;
  command.react = [this](const page::AnswerFields& CamposRetorno) {
    showTestCoupon(CamposRetorno);
  };
  context_.runner.run(command);
}

std::optional<SaleValues> TestsPage::testValues(TestVariant variant) {
  const auto refuse = [this](std::u16string_view message) {
    context_.messages.showMessage(std::u16string(message));
    return std::nullopt;
  };
  SaleValues values{platform::trimmed(fimAFim_.EdtCNPJContrib2.text()),
                    platform::trimmed(fimAFim_.EdtIEContrib.text()),
                    platform::trimmed(fimAFim_.EdtCNPJSw.text()),
                    platform::trimmed(fimAFim_.signatureSource.EdtAssinatura.text())};
  if (variant == TestVariant::Activation) {
    if (!validation::isCNPJ(values.taxpayerCnpj)) return refuse(u"CNPJ do Contribuinte inválido.");
    return values;
  }
  if (values.taxpayerCnpj.empty()) return refuse(u"CNPJ do Contribuinte inválido.");
  if (values.taxpayerIe.empty()) return refuse(u"IE do Contribuinte inválido.");
  if (values.softwareHouseCnpj.empty()) return refuse(u"CNPJ da Software House inválido.");
  if (values.signature.empty()) return refuse(page::kBlankSignature);
  if (fimAFim_.signatureSource.namesSignatureFile()) {
    // The box names the file; what the device needs is the signature it
    // holds, read as the association page reads it.
    std::optional<std::u16string> signature =
        page::readSignatureFile(platform::Path(values.signature), context_.messages,
                                fimAFim_.signatureSource.EdtAssinatura);
    if (!signature) return std::nullopt;
    values.signature = platform::trimmed(*signature);
  }
  return values;
}

void TestsPage::showTestCoupon(const page::AnswerFields& CamposRetorno) {
  const bool issued = CamposRetorno[1] == "09000";
  if (!issued) {
    platform::removeFile(cfeXml());
  }
  context_.runner.showCodeAndMessage(CamposRetorno);
  context_.runner.MostraMSefaz(CamposRetorno);
  if (!issued) return;
  const std::string coupon = codec::decodeBase64(CamposRetorno[5]);
  const std::vector<std::string_view> lines = couponLines(coupon);
  // The first dash line goes in before the coupon is formatted, and stays
  // alone when it is no document; the rest goes in as one line, so the memo
  // copies a coupon of megabytes once.
  MemoCFe.addLine(kDashLine);
  std::u16string formatted = FormatXMLString(joinedWithCrLf(lines));
  formatted += u"\r\n";
  formatted += kDashLine;
  MemoCFe.addLine(formatted);
  writeCFeXml(context_.programFolder, lines);
  BtnNaveg.setEnabled(true);
}

void TestsPage::BtnNavegClick() {
  if (platform::fileExists(cfeXml()) && !MemoCFe.text().empty())
    context_.files.openWithShell(cfeXml().text());
}

void TestsPage::BtnSessaoClick() {
  if (!promptForCode(u"CONSULTAR NÚMERO DE SESSÃO", true)) return;
  const std::optional<int> consulted = consultedSessionNumber(Edit1.text());
  if (!consulted) {
    context_.messages.showMessage(u"Número de sessão consultada inválida.");
    return;
  }
  querySession(satlib::EntryPoint::ConsultarNumeroSessao, *consulted);
}

void TestsPage::BtnSessaoFiscalClick() {
  if (!promptForCode(u"CONSULTAR ÚLTIMA SESSÃO FISCAL", true)) return;
  querySession(satlib::EntryPoint::ConsultarUltimaSessaoFiscal, 0);
}

void TestsPage::querySession(satlib::EntryPoint entryPoint, int consultedSession) {
  page::Command command;
  command.entryPoint = entryPoint;
  command.code = context_.prompt.CodigoDigitado;
  command.call = [entryPoint, consultedSession](satlib::SatLibrary& library, int sessao,
                                                const std::string& codigo) {
    if (entryPoint == satlib::EntryPoint::ConsultarNumeroSessao)
      return library.ConsultarNumeroSessao(sessao, codigo, consultedSession);
    return library.ConsultarUltimaSessaoFiscal(sessao, codigo);
  };
  command.showsAuthorityMessage = false;
  command.react = [this](const page::AnswerFields& CamposRetorno) {
    showConsultedAnswer(CamposRetorno);
  };
  context_.runner.run(command);
}

void TestsPage::showConsultedAnswer(const page::AnswerFields& CamposRetorno) {
  // An answer for the query itself carries the query's own session number.
  if (satlib::sameSessionNumber(CamposRetorno[0], context_.runner.NumSessao())) {
    context_.runner.showCodeAndMessage(CamposRetorno);
    return;
  }
  const std::string& Retorno = context_.runner.Retorno();
  MemoCFe.addLine(kDashLine);
  MemoCFe.addLine(platform::fromUtf8(Retorno));
  if (!carriesCoupon(CamposRetorno)) {
    std::vector<std::string_view> fields;
    for (std::size_t i = 0; i < CamposRetorno.count(); ++i) fields.push_back(CamposRetorno[i]);
    writeCFeXml(context_.programFolder, fields);
    return;
  }
  const ConsultedCoupon consulted = consultedCoupon(CamposRetorno);
  const std::vector<std::string_view> lines = couponLines(consulted.coupon);
  std::u16string listing = std::u16string(kDashLine) + u"\r\nSessão: " +
                           platform::fromUtf8(CamposRetorno[0]) + u"\r\nChave: " +
                           platform::fromUtf8(consulted.key) + u"\r\n" + std::u16string(kDashLine);
  for (const std::string_view line : lines) {
    listing += u"\r\n";
    platform::appendFromUtf8(listing, line);
  }
  listing += u"\r\n";
  listing += kDashLine;
  MemoCFe.addLine(listing);
  writeCFeXml(context_.programFolder, lines);
}

}  // namespace diagnostics
