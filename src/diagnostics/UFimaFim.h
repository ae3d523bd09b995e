#pragma once
// TFFimAFim: the dialog that asks for the data of the end-to-end test sale.
// Created once and reused, so the IE and the form of sending typed for one
// test are offered again at the next; the two CNPJs and the signature are
// refilled from the parameter record at each showing.
#include "page/Dialog.h"
#include "page/PromptOutcome.h"
#include "page/SignatureSource.h"
#include "settings/ParameterDataset.h"
#include "ui/FilePickers.h"

namespace diagnostics {

class TFFimAFim : public page::Dialog {
 public:
  TFFimAFim(page::PromptOutcome& outcome, const settings::ParameterDataset& cds,
            ui::FilePickers& files);

  void FormCreate();
  void FormShow();
  void BtnOkClick();

  ui::Label LabelCNPJContrib2;
  ui::MaskEdit EdtCNPJContrib2;
  ui::Label LabelIEContrib;
  ui::MaskEdit EdtIEContrib;
  ui::Label LabelCNPJSw;
  ui::MaskEdit EdtCNPJSw;
  page::SignatureSource signatureSource;  // LabelAssinaturaAplic to Button3
  ui::Button BtnOk;

 private:
  void layOutControls();
  void wireHandlers();

  page::PromptOutcome& outcome_;
  const settings::ParameterDataset& cds_;
};

}  // namespace diagnostics
