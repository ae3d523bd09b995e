#include "diagnostics/UFimaFim.h"

#include "page/PageLayout.h"

namespace diagnostics {

TFFimAFim::TFFimAFim(page::PromptOutcome& outcome, const settings::ParameterDataset& cds,
                     ui::FilePickers& files)
    : page::Dialog("TFFimAFim", u"SAT - MIREL (Testes FimAFim)", 368, 286,
                   page::DialogBorder::Fixed),
      LabelCNPJContrib2("LabelCNPJContrib2", this),
      EdtCNPJContrib2("EdtCNPJContrib2", this),
      LabelIEContrib("LabelIEContrib", this),
      EdtIEContrib("EdtIEContrib", this),
      LabelCNPJSw("LabelCNPJSw", this),
      EdtCNPJSw("EdtCNPJSw", this),
      signatureSource(this, files, {}),
      BtnOk("BtnOk", this),
      outcome_(outcome),
      cds_(cds) {
  closesWithEscape = true;  // as the close box: the test is not run
  layOutControls();
  wireHandlers();
}

void TFFimAFim::layOutControls() {
  page::layOut({
      {LabelCNPJContrib2, {16, 12, 200, 14}, u"CNPJ do Contribuinte:"},
      {EdtCNPJContrib2, {16, 28, 150, 21}},
      {LabelIEContrib, {16, 58, 200, 14}, u"IE do Contribuinte:"},
      {EdtIEContrib, {16, 74, 150, 21}},
      {LabelCNPJSw, {16, 104, 200, 14}, u"CNPJ Software House:"},
      {EdtCNPJSw, {16, 120, 150, 21}},
      {signatureSource.LabelAssinaturaAplic, {16, 150, 300, 14}},
      {signatureSource.rgAssinatura, {16, 166, 200, 40}},
      {signatureSource.LabelAssinatura, {16, 212, 100, 14}},
      {signatureSource.EdtAssinatura, {16, 228, 308, 21}},
      {signatureSource.Button3, {328, 228, 24, 21}},
      {BtnOk, {272, 252, 80, 27}, u"Ok"},
  });
  EdtCNPJContrib2.editMask = u"99.999.999/9999-99;0;_";
  EdtIEContrib.editMask = u"999.999.999.999;0;_";
  EdtCNPJSw.editMask = u"99.999.999/9999-99;0;_";
  signatureSource.EdtAssinatura.setMaxLength(344);
  BtnOk.isDefault = true;
}

void TFFimAFim::wireHandlers() {
  onShow = [this] { FormShow(); };
  BtnOk.onClick = [this] { BtnOkClick(); };
}

void TFFimAFim::FormCreate() {
  outcome_.DialogoCancelado = 1;
}

void TFFimAFim::FormShow() {
  EdtCNPJContrib2.setText(cds_.readText("CNPJContribuinte"));
  EdtCNPJSw.setText(cds_.readText("CNPJSH"));
  signatureSource.showStoredSignature(cds_.readText("Assinatura"));
  outcome_.DialogoCancelado = 1;
  EdtCNPJContrib2.setFocus();
}

void TFFimAFim::BtnOkClick() {
  outcome_.DialogoCancelado = 0;
  close();
}

}  // namespace diagnostics
