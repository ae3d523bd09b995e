#include "provisioning/NetworkPage.h"

#include "page/PageLayout.h"
#include "platform/Files.h"
#include "platform/Text.h"
#include "settings/NetworkDocument.h"

namespace provisioning {

namespace {
constexpr int kEthernet = 0;
constexpr int kDhcp = 0;
constexpr int kStaticAddress = 1;
constexpr int kConfiguredProxy = 1;
constexpr int kProxyCount = 3;
}  // namespace

NetworkPage::NetworkPage(ui::PageControl& pages, page::PageContext& context)
    : frame(&pages, "TabConfRede", "PanelConfRede", u"CONFIGURAÇÕES DE REDE"),
      LabelTipoInter("LabelTipoInter", &frame.sheet),
      CbotipoInter("CbotipoInter", &frame.sheet),
      LabelTipoLan("LabelTipoLan", &frame.sheet),
      CbotipoLan("CbotipoLan", &frame.sheet),
      LabelLanIP("LabelLanIP", &frame.sheet),
      EdtlanIP("EdtlanIP", &frame.sheet),
      LabelLanMask("LabelLanMask", &frame.sheet),
      EdtlanMask("EdtlanMask", &frame.sheet),
      LabelLanGW("LabelLanGW", &frame.sheet),
      EdtlanGW("EdtlanGW", &frame.sheet),
      LabelLanDNS1("LabelLanDNS1", &frame.sheet),
      EdtlanDNS1("EdtlanDNS1", &frame.sheet),
      LabelLanDNS2("LabelLanDNS2", &frame.sheet),
      EdtlanDNS2("EdtlanDNS2", &frame.sheet),
      LabelProxy("LabelProxy", &frame.sheet),
      cboProxy("cboProxy", &frame.sheet),
      LabelProxyIP("LabelProxyIP", &frame.sheet),
      Edtproxy_ip("Edtproxy_ip", &frame.sheet),
      LabelProxyPorta("LabelProxyPorta", &frame.sheet),
      Edtproxy_porta("Edtproxy_porta", &frame.sheet),
      LabelProxyUser("LabelProxyUser", &frame.sheet),
      Edtproxy_user("Edtproxy_user", &frame.sheet),
      LabelProxySenha("LabelProxySenha", &frame.sheet),
      Edtproxy_senha("Edtproxy_senha", &frame.sheet),
      LabelCodRede("LabelCodRede", &frame.sheet),
      LblEdtCodRede("LblEdtCodRede", &frame.sheet),
      BitBtn4("BitBtn4", &frame.sheet),
      addressEdits_{{{EdtlanIP, "lanIP"},
                     {EdtlanMask, "lanMask"},
                     {EdtlanGW, "lanGW"},
                     {EdtlanDNS1, "lanDNS1"},
                     {EdtlanDNS2, "lanDNS2"}}},
      proxyEdits_{{{Edtproxy_ip, "proxy_ip"},
                   {Edtproxy_porta, "proxy_porta"},
                   {Edtproxy_user, "proxy_user"},
                   {Edtproxy_senha, "proxy_senha"}}},
      context_(context) {
  layOutControls();
  wireHandlers();
}

void NetworkPage::layOutControls() {
  // Two columns of label and field; the code and the button below them.
  constexpr int kLeftLabel = 16, kLeftField = 118, kRightLabel = 276, kRightField = 376;
  const auto label = [](int left, int row) { return ui::Rect{left, 43 + row * 27, 100, 14}; };
  const auto field = [](int left, int row) { return ui::Rect{left, 40 + row * 27, 136, 21}; };
  page::layOut({
      {LabelTipoInter, label(kLeftLabel, 0), u"Tipo de Rede:"},
      {CbotipoInter, field(kLeftField, 0)},
      {LabelTipoLan, label(kLeftLabel, 1), u"Interface:"},
      {CbotipoLan, field(kLeftField, 1)},
      {LabelLanIP, label(kLeftLabel, 2), u"IP:"},
      {EdtlanIP, field(kLeftField, 2)},
      {LabelLanMask, label(kLeftLabel, 3), u"Mascara de Rede:"},
      {EdtlanMask, field(kLeftField, 3)},
      {LabelLanGW, label(kLeftLabel, 4), u"Gateway:"},
      {EdtlanGW, field(kLeftField, 4)},
      {LabelLanDNS1, label(kLeftLabel, 5), u"DNS Primário:"},
      {EdtlanDNS1, field(kLeftField, 5)},
      {LabelLanDNS2, label(kLeftLabel, 6), u"DNS Secundário:"},
      {EdtlanDNS2, field(kLeftField, 6)},
      {LabelProxy, label(kRightLabel, 0), u"Proxy:"},
      {cboProxy, field(kRightField, 0)},
      {LabelProxyIP, label(kRightLabel, 1), u"IP do Proxy:"},
      {Edtproxy_ip, field(kRightField, 1)},
      {LabelProxyPorta, label(kRightLabel, 2), u"Porta do Proxy:"},
      {Edtproxy_porta, field(kRightField, 2)},
      {LabelProxyUser, label(kRightLabel, 3), u"Usuário do Proxy:"},
      {Edtproxy_user, field(kRightField, 3)},
      {LabelProxySenha, label(kRightLabel, 4), u"Senha do Proxy:"},
      {Edtproxy_senha, field(kRightField, 4)},
      {LabelCodRede, {kLeftLabel, 240, 240, 14}, u"Digite o Código de Ativação do SAT:"},
      {LblEdtCodRede, {kLeftLabel, 256, 238, 21}},
      {BitBtn4, {kRightField, 252, 136, 29}, u"Enviar ao SAT"},
  });
  CbotipoInter.setItems({u"ETHERNET"});
  CbotipoLan.setItems({u"DHCP", u"IP FIXO"});
  cboProxy.setItems({u"NENHUM", u"COM CONFIGURAÇÃO", u"TRANSPARENTE"});
  Edtproxy_senha.setPasswordChar(u'*');
  LblEdtCodRede.setPasswordChar(u'*');
  BitBtn4.isDefault = true;
}

void NetworkPage::wireHandlers() {
  frame.sheet.onShow = [this] { TabConfRedeShow(); };
  CbotipoLan.onChange = [this] { CbotipoLanChange(); };
  cboProxy.onChange = [this] { cboProxyChange(); };
  BitBtn4.onClick = [this] { BitConfRedeClick(); };
}

void NetworkPage::BtnConfRedeClick() {
  context_.host.showPage(page::kNetworkPage);
}

void NetworkPage::TabConfRedeShow() {
  settings::ParameterDataset& cds = context_.cds;
  cds.open();
  CbotipoInter.setItemIndex(cds.readText("tipoInter") == u"ETHE" ? kEthernet : -1);
  // A stored mode that is no item of the list leaves the list as it was.
  const std::u16string tipoLan = cds.readText("tipoLan");
  if (tipoLan == u"DHCP") CbotipoLan.setItemIndex(kDhcp);
  if (tipoLan == u"IPFIX") CbotipoLan.setItemIndex(kStaticAddress);
  for (const FieldEdit& address : addressEdits_) address.edit.setText(cds.readText(address.field));
  // The proxy mode must stay "0", "1" or "2": a stored value that is none of
  // them shows as "NENHUM", and is stored so when the page is sent.
  const std::u16string proxy = cds.readText("proxy");
  const bool knownProxy = proxy.size() == 1 && proxy[0] >= u'0' && proxy[0] < u'0' + kProxyCount;
  cboProxy.setItemIndex(knownProxy ? proxy[0] - u'0' : 0);
  for (const FieldEdit& setting : proxyEdits_) setting.edit.setText(cds.readText(setting.field));
  CbotipoLanChange();
  cboProxyChange();
}

void NetworkPage::CbotipoLanChange() {
  const int mode = CbotipoLan.itemIndex();
  if (mode < 0) return;
  for (const FieldEdit& address : addressEdits_) address.edit.setEnabled(mode == kStaticAddress);
}

void NetworkPage::cboProxyChange() {
  const int mode = cboProxy.itemIndex();
  if (mode < 0) return;
  for (const FieldEdit& setting : proxyEdits_) setting.edit.setEnabled(mode == kConfiguredProxy);
}

void NetworkPage::storeInRecord() {
  settings::ParameterDataset& cds = context_.cds;
  cds.open();
  cds.first();
  cds.edit();
  // The wireless and PPPoE fields have no input here: they are not touched,
  // so what is stored in them survives every sending.
  if (CbotipoInter.itemIndex() == kEthernet) cds.setText("tipoInter", u"ETHE");
  if (CbotipoLan.itemIndex() == kDhcp) cds.setText("tipoLan", u"DHCP");
  if (CbotipoLan.itemIndex() == kStaticAddress) cds.setText("tipoLan", u"IPFIX");
  for (const FieldEdit& address : addressEdits_) cds.setText(address.field, address.edit.text());
  if (cboProxy.itemIndex() >= 0) cds.setNumber("proxy", cboProxy.itemIndex());
  for (const FieldEdit& setting : proxyEdits_) cds.setText(setting.field, setting.edit.text());
  cds.post();
}

std::optional<std::string> NetworkPage::networkDocument() {
  const platform::Path file = context_.programFolder / u"ConfRede.xml";
  if (!platform::fileExists(file)) {
    context_.messages.showMessage(u"Arquivo ConfRede.xml não foi encontrado!");
    return std::nullopt;
  }
  try {
    std::string joined;
    for (const std::string& line : platform::readLines(file)) joined += line;
    return joined;
  } catch (const platform::FileError&) {
    context_.messages.showMessage(u"Erro ao tentar acessar o arquivo ConfRede.xml!");
    return std::nullopt;
  }
}

void NetworkPage::BitConfRedeClick() {
  if (page::isShortCode(LblEdtCodRede.text())) {
    context_.messages.showMessage(std::u16string(page::kCodeTooShort));
    LblEdtCodRede.setText({});
    return;
  }
  storeInRecord();
  settings::geraxml(context_.cds, context_.programFolder);
  if (const std::optional<std::string> configuracao = networkDocument()) send(*configuracao);
}

void NetworkPage::send(const std::string& configuracao) {
  // This command sends the code as typed, blanks included.
  const std::string typedCode = platform::toAnsi(LblEdtCodRede.text());
  page::Command command;
  command.entryPoint = satlib::EntryPoint::ConfigurarInterfaceDeRede;
  command.codeField = &LblEdtCodRede;
  command.call = [typedCode, configuracao](satlib::SatLibrary& library, int sessao,
                                           const std::string&) {
    return library.ConfigurarInterfaceDeRede(sessao, typedCode, configuracao);
  };
  command.react = [this](const page::AnswerFields& CamposRetorno) {
    const std::string_view message =
        CamposRetorno[2].size() == 4 ? CamposRetorno[3] : CamposRetorno[2];
    context_.messages.showMessage(
        platform::fromUtf8(std::string(CamposRetorno[1]) + ": " + std::string(message)));
  };
  command.statusAfterMessages = true;
  context_.runner.run(command);
}

}  // namespace provisioning
