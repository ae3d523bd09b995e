#include "provisioning/NetworkPage.h"

namespace provisioning {

NetworkPage::NetworkPage(ui::Control* pageControl)
    : frame(pageControl, "TabConfRede", "PanelConfRede", u"CONFIGURAÇÕES DE REDE"),
      LabelProxySenha("LabelProxySenha", &frame.sheet),
      Edtproxy_senha("Edtproxy_senha", &frame.sheet) {
  LabelProxySenha.setText(u"Senha do proxy:");
  LabelProxySenha.setBounds({16, 300, 120, 14});
  Edtproxy_senha.setBounds({16, 316, 160, 21});
  Edtproxy_senha.setTabOrder(0);
}

}  // namespace provisioning
