#include "provisioning/ActivationPage.h"

#include "settings/TabelaUF.h"

namespace provisioning {

ActivationPage::ActivationPage(ui::Control* pageControl)
    : frame(pageControl, "TabAtivar", "PanelAtivar", u"ATIVAÇÃO DO SAT"),
      LabelUF("LabelUF", &frame.sheet),
      cbo("cbo", &frame.sheet) {
  LabelUF.setText(u"UF:");
  LabelUF.setBounds({16, 160, 60, 14});
  cbo.setBounds({16, 176, 60, 21});
  cbo.setTabOrder(0);
}

void ActivationPage::fillStates() {
  std::vector<std::u16string> abbreviations;
  abbreviations.reserve(settings::TabelaUF.size());
  for (const auto& state : settings::TabelaUF) abbreviations.emplace_back(state.abbreviation);
  cbo.setItems(std::move(abbreviations));
}

}  // namespace provisioning
