#pragma once
// The network page (index 6): how the device reaches the network.
#include "shell/PageFrame.h"

namespace provisioning {

struct NetworkPage {
  explicit NetworkPage(ui::Control* pageControl);

  shell::PageFrame frame;
  ui::Label LabelProxySenha;
  ui::Edit Edtproxy_senha;
};

}  // namespace provisioning
