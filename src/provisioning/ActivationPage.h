#pragma once
// The activation page (index 2): activates a factory-new device with the
// authority's certificate. The CNPJ and the state are stored in the parameter
// record before the device is called, so a refusal or a cancelled
// confirmation keeps them.
#include "page/PageContext.h"
#include "page/PageFrame.h"

namespace provisioning {

class ActivationPage {
 public:
  ActivationPage(ui::PageControl& pages, page::PageContext& context);

  // The side button "Ativação do SAT": loads the page from the record.
  void BtnAtivacaoClick();
  void TabAtivarShow();
  void BitAtivaSATClick();

  page::PageFrame frame;
  ui::Label LabelCodAtiv2;
  ui::Edit EdtCodAtiv2;
  ui::Label LabelCodAtiv2Conf;
  ui::Edit EdtCodAtiv2Conf;
  ui::RadioGroup rgTipoCert;
  ui::Label LabelCNPJContrib;
  ui::MaskEdit EdtCNPJContrib;
  ui::Label LabelUF;
  ui::ComboBox cbo;
  ui::Button BtnAtivar;
  ui::Memo Memo3;

 private:
  void layOutControls();
  void wireHandlers();
  // The first failing check shows its message, clears and focuses its field.
  bool inputsAreValid();
  void storeCnpjAndState();
  void activate();

  page::PageContext& context_;
};

}  // namespace provisioning
