#pragma once
// The activation page (index 2): activates a new device with the authority.
#include "shell/PageFrame.h"

namespace provisioning {

struct ActivationPage {
  explicit ActivationPage(ui::Control* pageControl);

  // Lists the states of TabelaUF in table order, so item index and table
  // position coincide.
  void fillStates();

  shell::PageFrame frame;
  ui::Label LabelUF;
  ui::ComboBox cbo;
};

}  // namespace provisioning
