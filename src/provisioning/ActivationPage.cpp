#include "provisioning/ActivationPage.h"

#include "page/PageLayout.h"
#include "platform/Text.h"
#include "settings/TabelaUF.h"
#include "validation/Cnpj.h"

namespace provisioning {

namespace {
constexpr char16_t kLongWaitConfirmation[] =
    u"Por favor aguarde.\n\rEsta função pode demorar alguns minutos.\n\n\rClique OK para "
    u"continuar.";
constexpr char16_t kActivated[] =
    u"SAT Ativado corretamente, faltando associá-lo ao Aplic. Comercial.";
// The activation always uses the authority's own certificate (AC-SAT SEFAZ).
constexpr int kAuthorityCertificate = 1;
}  // namespace

ActivationPage::ActivationPage(ui::PageControl& pages, page::PageContext& context)
    : frame(&pages, "TabAtivar", "PanelAtivar", u"ATIVAÇÃO DO SAT"),
      LabelCodAtiv2("LabelCodAtiv2", &frame.sheet),
      EdtCodAtiv2("EdtCodAtiv2", &frame.sheet),
      LabelCodAtiv2Conf("LabelCodAtiv2Conf", &frame.sheet),
      EdtCodAtiv2Conf("EdtCodAtiv2Conf", &frame.sheet),
      rgTipoCert("rgTipoCert", &frame.sheet),
      LabelCNPJContrib("LabelCNPJContrib", &frame.sheet),
      EdtCNPJContrib("EdtCNPJContrib", &frame.sheet),
      LabelUF("LabelUF", &frame.sheet),
      cbo("cbo", &frame.sheet),
      BtnAtivar("BtnAtivar", &frame.sheet),
      Memo3("Memo3", &frame.sheet),
      context_(context) {
  layOutControls();
  wireHandlers();
}

void ActivationPage::layOutControls() {
  page::layOut({
      {LabelCodAtiv2, {16, 40, 262, 14}, u"Digite o Código de Ativação do SAT:"},
      {EdtCodAtiv2, {16, 56, 230, 21}},
      {LabelCodAtiv2Conf, {16, 86, 262, 14}, u"Digite novamente o Código de Ativação do SAT:"},
      {EdtCodAtiv2Conf, {16, 102, 230, 21}},
      {rgTipoCert, {292, 40, 220, 83}, u"Tipo de Certificado:"},
      {LabelCNPJContrib, {16, 132, 130, 14}, u"CNPJ do Contribuinte:"},
      {EdtCNPJContrib, {16, 148, 130, 21}},
      {LabelUF, {160, 132, 60, 14}, u"UF:"},
      {cbo, {160, 148, 60, 21}},
      {BtnAtivar, {412, 144, 100, 29}, u"&Ativar"},
      {Memo3, {8, 312, 520, 86}, {}, page::Tab::Skip},
  });
  for (ui::Edit* code : {&EdtCodAtiv2, &EdtCodAtiv2Conf}) {
    code->setMaxLength(32);
    code->setPasswordChar(u'*');
  }
  rgTipoCert.setItems({u"AC-SAT - SEFAZ", u"ICP-BRASIL", u"RENOVAÇÃO ICP-BRASIL"});
  rgTipoCert.setItemIndex(0);
  rgTipoCert.setEnabled(false);
  EdtCNPJContrib.editMask = u"99.999.999/9999-99;0;_";
  std::vector<std::u16string> states;
  for (const auto& state : settings::TabelaUF) states.emplace_back(state.abbreviation);
  cbo.setItems(std::move(states));
  BtnAtivar.isDefault = true;
  page::setUpNotice(
      Memo3, {u"", u"ATENÇÃO:", u" ",
              u"ESTA FUNÇÃO DEVE SER USADA APENAS ENQUANTO O SAT NÃO ESTIVER ATIVADO.", u""});
}

void ActivationPage::wireHandlers() {
  frame.sheet.onShow = [this] { TabAtivarShow(); };
  BtnAtivar.onClick = [this] { BitAtivaSATClick(); };
}

void ActivationPage::BtnAtivacaoClick() {
  settings::ParameterDataset& cds = context_.cds;
  cds.open();
  EdtCodAtiv2.setText({});
  EdtCodAtiv2Conf.setText({});
  rgTipoCert.setItemIndex(0);
  EdtCNPJContrib.setText(cds.readText("CNPJContribuinte"));
  // A position outside the table (the default record's 35) selects nothing; a
  // text that is no number ends the loading here, the page not shown.
  cbo.setItemIndex(cds.readNumber("uf"));
  context_.host.showPage(page::kActivationPage);
}

void ActivationPage::TabAtivarShow() {
  EdtCodAtiv2.setFocus();
}

bool ActivationPage::inputsAreValid() {
  const auto refuse = [this](std::u16string_view message, ui::Control& field,
                             std::initializer_list<ui::Control*> cleared = {}) {
    page::refuseInput(context_.messages, message, field, cleared);
    return false;
  };
  for (ui::Edit* code : {&EdtCodAtiv2, &EdtCodAtiv2Conf}) {
    if (page::isShortCode(code->text())) return refuse(page::kCodeTooShort, *code, {code});
  }
  if (platform::trimmed(EdtCodAtiv2.text()) != platform::trimmed(EdtCodAtiv2Conf.text())) {
    return refuse(u"Erro na confirmação do Código de Ativação.", EdtCodAtiv2,
                  {&EdtCodAtiv2, &EdtCodAtiv2Conf});
  }
  if (!validation::isCNPJ(platform::trimmed(EdtCNPJContrib.text())))
    return refuse(u"CNPJ inválido.", EdtCNPJContrib);
  if (cbo.itemIndex() < 0) return refuse(u"UF inválida.", cbo);
  return true;
}

void ActivationPage::storeCnpjAndState() {
  settings::ParameterDataset& cds = context_.cds;
  cds.edit();
  cds.setText("CNPJContribuinte", EdtCNPJContrib.text());
  cds.setNumber("uf", cbo.itemIndex());
  cds.post();
}

void ActivationPage::BitAtivaSATClick() {
  rgTipoCert.setItemIndex(0);
  if (!inputsAreValid()) return;
  storeCnpjAndState();
  if (!context_.messages.confirm(kLongWaitConfirmation)) {
    EdtCodAtiv2.setText({});
    EdtCodAtiv2Conf.setText({});
    EdtCodAtiv2.setFocus();
    return;
  }
  activate();
  context_.host.bringMainWindowToFront();
}

void ActivationPage::activate() {
  const std::string cnpj = platform::toAnsi(platform::trimmed(EdtCNPJContrib.text()));
  const int cUF = std::stoi(platform::toAnsi(settings::TabelaUF[cbo.itemIndex()].ibgeCode));
  page::Command command;
  command.entryPoint = satlib::EntryPoint::AtivarSAT;
  command.code = EdtCodAtiv2.text();
  command.call = [cnpj, cUF](satlib::SatLibrary& library, int sessao, const std::string& codigo) {
    return library.AtivarSAT(sessao, kAuthorityCertificate, codigo, cnpj, cUF);
  };
  command.react = [this](const page::AnswerFields& CamposRetorno) {
    if (CamposRetorno[1] == "04000") {
      context_.messages.showMessage(kActivated);
    } else {
      context_.runner.showCodeAndMessage(CamposRetorno);
    }
  };
  context_.runner.run(command);
}

}  // namespace provisioning
