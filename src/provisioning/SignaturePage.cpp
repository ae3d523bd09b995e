#include "provisioning/SignaturePage.h"

#include "page/InputChecks.h"
#include "page/PageLayout.h"
#include "page/SignatureFile.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "validation/Cnpj.h"

namespace provisioning {

SignaturePage::SignaturePage(ui::PageControl& pages, page::PageContext& context)
    : frame(&pages, "TabAssocAss", "PanelAssocAss", u"ASSOCIAR APLIC. COMERCIAL"),
      LabelCodAtiv3("LabelCodAtiv3", &frame.sheet),
      EdtCodAtiv3("EdtCodAtiv3", &frame.sheet),
      LabelCNPJContrib2("LabelCNPJContrib2", &frame.sheet),
      EdtCNPJContrib2("EdtCNPJContrib2", &frame.sheet),
      LabelCNPJSw("LabelCNPJSw", &frame.sheet),
      EdtCNPJSw("EdtCNPJSw", &frame.sheet),
      signatureSource(&frame.sheet, context.files, u"Selecione o Certificado"),
      BitAssociar("BitAssociar", &frame.sheet),
      Memo4("Memo4", &frame.sheet),
      context_(context) {
  layOutControls();
  wireHandlers();
}

void SignaturePage::layOutControls() {
  page::layOut({
      {LabelCodAtiv3, {16, 40, 230, 14}, u"Digite o Código de Ativação do SAT:"},
      {EdtCodAtiv3, {16, 56, 230, 21}},
      {LabelCNPJContrib2, {16, 86, 130, 14}, u"CNPJ do Contribuinte:"},
      {EdtCNPJContrib2, {16, 102, 130, 21}},
      {LabelCNPJSw, {160, 86, 130, 14}, u"CNPJ Software House:"},
      {EdtCNPJSw, {160, 102, 130, 21}},
      {signatureSource.LabelAssinaturaAplic, {16, 134, 300, 14}},
      {signatureSource.rgAssinatura, {16, 150, 200, 40}},
      {signatureSource.LabelAssinatura, {16, 198, 100, 14}},
      {signatureSource.EdtAssinatura, {16, 214, 468, 21}},
      {signatureSource.Button3, {488, 214, 24, 21}},
      {BitAssociar, {412, 246, 100, 29}, u"A&ssociar"},
      {Memo4, {8, 312, 520, 86}, {}, page::Tab::Skip},
  });
  EdtCodAtiv3.setPasswordChar(u'*');
  EdtCNPJContrib2.editMask = u"99.999.999/9999-99;0;_";
  EdtCNPJSw.editMask = u"99.999.999/9999-99;0;_";
  BitAssociar.isDefault = true;
  page::setUpNotice(Memo4,
                    {u"", u"ATENÇÃO:", u" ",
                     u"ESTA FUNÇÃO DEVE SER UTILIZADA APENAS APÓS O SAT ESTAR ATIVADO. ", u""});
}

void SignaturePage::wireHandlers() {
  frame.sheet.onShow = [this] { TabAssocAssShow(); };
  BitAssociar.onClick = [this] { BitAssociarClick(); };
}

void SignaturePage::BtnAssocAssinClick() {
  const settings::ParameterDataset& cds = context_.cds;
  EdtCodAtiv3.setText({});
  EdtCNPJContrib2.setText(cds.readText("CNPJContribuinte"));
  EdtCNPJContrib2.setReadOnly(false);
  EdtCNPJSw.setText(cds.readText("CNPJSH"));
  // The form of sending is left as it is: under "Arquivo" the box now holds
  // the stored signature where a path is expected.
  signatureSource.EdtAssinatura.setText(cds.readText("Assinatura"));
  context_.host.showPage(page::kSignaturePage);
}

void SignaturePage::TabAssocAssShow() {
  EdtCodAtiv3.setFocus();
}

std::optional<std::u16string> SignaturePage::signatureFromFile() {
  ui::Edit& box = signatureSource.EdtAssinatura;
  std::optional<std::u16string> read =
      page::readSignatureFile(platform::Path(box.text()), context_.messages, box);
  if (read) context_.messages.showMessage(*read);
  return read;
}

std::optional<std::u16string> SignaturePage::signature() {
  if (signatureSource.fromFile()) return signatureFromFile();
  return platform::trimmed(signatureSource.EdtAssinatura.text());
}

void SignaturePage::BitAssociarClick() {
  const auto refuse = [this](std::u16string_view message, ui::Control& field) {
    page::refuseInput(context_.messages, message, field);
  };
  const std::u16string taxpayer = platform::trimmed(EdtCNPJContrib2.text());
  const std::u16string softwareHouse = platform::trimmed(EdtCNPJSw.text());
  if (!validation::isCNPJ(taxpayer)) return refuse(u"CNPJ Contribuinte inválido.", EdtCNPJContrib2);
  if (!validation::isCNPJ(softwareHouse))
    return refuse(u"CNPJ Software House inválido.", EdtCNPJSw);
  const std::optional<std::u16string> chosen = signature();
  if (!chosen) return;
  if (page::isShortCode(EdtCodAtiv3.text())) {
    return page::refuseInput(context_.messages, page::kCodeTooShort, EdtCodAtiv3, {&EdtCodAtiv3});
  }
  if (platform::trimmed(signatureSource.EdtAssinatura.text()).empty()) {
    return refuse(u"O campo \"Assinatura da Aplic. Comercial\" deve ser preenchido!",
                  signatureSource.EdtAssinatura);
  }
  storeSignature(*chosen);
  associate(*chosen);
}

void SignaturePage::storeSignature(const std::u16string& signatureText) {
  settings::ParameterDataset& cds = context_.cds;
  cds.edit();
  cds.setText("Assinatura", signatureText);
  cds.setText("CNPJSH", EdtCNPJSw.text());
  cds.post();
}

void SignaturePage::associate(const std::u16string& signatureText) {
  const std::string assinatura = platform::toAnsi(signatureText);
  // The software house's CNPJ first, then the taxpayer's: 28 digits.
  const std::string cnpjPair = platform::toAnsi(platform::trimmed(EdtCNPJSw.text())) +
                               platform::toAnsi(platform::trimmed(EdtCNPJContrib2.text()));
  page::Command command;
  command.entryPoint = satlib::EntryPoint::AssociarAssinatura;
  command.code = EdtCodAtiv3.text();
  command.call = [cnpjPair, assinatura](satlib::SatLibrary& library, int sessao,
                                        const std::string& codigo) {
    return library.AssociarAssinatura(sessao, codigo, cnpjPair, assinatura);
  };
  command.react = [this](const page::AnswerFields& CamposRetorno) {
    // Newer devices put a validation code in field 2 ("0000" when all is
    // well); older ones answer the message there.
    const std::string code(CamposRetorno[1]);
    std::string text;
    if (!page::carriesValidationCode(CamposRetorno)) {
      text = code + ": " + std::string(CamposRetorno[2]);
    } else if (CamposRetorno[2] == "0000") {
      text = code + ": " + std::string(CamposRetorno[3]);
    } else {
      text = code + ": [" + std::string(CamposRetorno[2]) + "] " + std::string(CamposRetorno[3]);
    }
    context_.messages.showMessage(platform::fromUtf8(text));
  };
  context_.runner.run(command);
}

}  // namespace provisioning
