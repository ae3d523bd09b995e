#pragma once
// TFFimAFim: the dialog that asks for the data of the end-to-end test sale.
// Created once and reused, so the IE and the form of sending typed for one
// test are offered again at the next; the two CNPJs and the signature are
// refilled from the parameter record at each showing.
#include "page/PromptOutcome.h"
#include "settings/ParameterDataset.h"
#include "ui/Controls.h"
#include "ui/FilePickers.h"

namespace diagnostics {

class TFFimAFim : public ui::Form {
 public:
  TFFimAFim(page::PromptOutcome& outcome, const settings::ParameterDataset& cds,
            ui::FilePickers& files);

  void FormCreate();
  void FormShow();
  void BtnOkClick();
  void rgAssinaturaClick();
  void Button3Click();

  bool fromFile() const { return rgAssinatura.itemIndex() == 1; }
  // Whether EdtAssinatura names the file the signature is to be read from:
  // "Arquivo" is chosen and the user has picked or typed a name since the
  // dialog was shown. Until then the box holds the stored signature FormShow
  // put there, which is a signature, whatever the form of sending says.
  bool namesSignatureFile() const { return fromFile() && !holdsStoredSignature_; }

  ui::Label LabelCNPJContrib2;
  ui::MaskEdit EdtCNPJContrib2;
  ui::Label LabelIEContrib;
  ui::MaskEdit EdtIEContrib;
  ui::Label LabelCNPJSw;
  ui::MaskEdit EdtCNPJSw;
  ui::Label LabelAssinaturaAplic;
  ui::RadioGroup rgAssinatura;
  ui::Label LabelAssinatura;
  ui::Edit EdtAssinatura;
  ui::Button Button3;
  ui::Button BtnOk;

 private:
  void layOutControls();
  void wireHandlers();

  page::PromptOutcome& outcome_;
  const settings::ParameterDataset& cds_;
  ui::FilePickers& files_;
  bool holdsStoredSignature_ = false;
};

}  // namespace diagnostics
