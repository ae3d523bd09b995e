#pragma once
// The network page (index 6): how the device reaches the network. The page
// is reloaded from the parameter record every time it is shown; "Enviar ao
// SAT" stores it, writes ConfRede.xml from the record and sends that file.
#include <array>
#include <optional>
#include <string>

#include "page/PageContext.h"
#include "page/PageFrame.h"

namespace provisioning {

class NetworkPage {
 public:
  NetworkPage(ui::PageControl& pages, page::PageContext& context);

  // The side button "Config. da Rede": only shows the page, which loads itself.
  void BtnConfRedeClick();
  void TabConfRedeShow();
  void CbotipoLanChange();
  void cboProxyChange();
  void BitConfRedeClick();

  page::PageFrame frame;
  ui::Label LabelTipoInter;
  ui::ComboBox CbotipoInter;
  ui::Label LabelTipoLan;
  ui::ComboBox CbotipoLan;
  ui::Label LabelLanIP;
  ui::Edit EdtlanIP;
  ui::Label LabelLanMask;
  ui::Edit EdtlanMask;
  ui::Label LabelLanGW;
  ui::Edit EdtlanGW;
  ui::Label LabelLanDNS1;
  ui::Edit EdtlanDNS1;
  ui::Label LabelLanDNS2;
  ui::Edit EdtlanDNS2;
  ui::Label LabelProxy;
  ui::ComboBox cboProxy;
  ui::Label LabelProxyIP;
  ui::Edit Edtproxy_ip;
  ui::Label LabelProxyPorta;
  ui::Edit Edtproxy_porta;
  ui::Label LabelProxyUser;
  ui::Edit Edtproxy_user;
  ui::Label LabelProxySenha;
  ui::Edit Edtproxy_senha;
  ui::Label LabelCodRede;
  ui::Edit LblEdtCodRede;
  ui::Button BitBtn4;

 private:
  // An edit of the page and the record field it shows.
  struct FieldEdit {
    ui::Edit& edit;
    const char* field;
  };

  void layOutControls();
  void wireHandlers();
  void storeInRecord();
  // ConfRede.xml as the device is sent it: its lines joined without
  // separators; nothing when it is missing or unreadable (the user was told).
  std::optional<std::string> networkDocument();
  void send(const std::string& configuracao);

  // Enabled only for a fixed address and for a proxy with configuration.
  const std::array<FieldEdit, 5> addressEdits_;
  const std::array<FieldEdit, 4> proxyEdits_;
  page::PageContext& context_;
};

}  // namespace provisioning
