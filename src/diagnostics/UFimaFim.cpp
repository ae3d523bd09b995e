#include "diagnostics/UFimaFim.h"

#include "page/PageLayout.h"

namespace diagnostics {

TFFimAFim::TFFimAFim(page::PromptOutcome& outcome, const settings::ParameterDataset& cds,
                     ui::FilePickers& files)
    : ui::Form("TFFimAFim"),
      LabelCNPJContrib2("LabelCNPJContrib2", this),
      EdtCNPJContrib2("EdtCNPJContrib2", this),
      LabelIEContrib("LabelIEContrib", this),
      EdtIEContrib("EdtIEContrib", this),
      LabelCNPJSw("LabelCNPJSw", this),
      EdtCNPJSw("EdtCNPJSw", this),
      LabelAssinaturaAplic("LabelAssinaturaAplic", this),
      rgAssinatura("rgAssinatura", this),
      LabelAssinatura("LabelAssinatura", this),
      EdtAssinatura("EdtAssinatura", this),
      Button3("Button3", this),
      BtnOk("BtnOk", this),
      outcome_(outcome),
      cds_(cds),
      files_(files) {
  setText(u"SAT - MIREL (Testes FimAFim)");
  borderStyle = ui::BorderStyle::Dialog;
  minimizeBox = false;
  maximizeBox = false;
  stayOnTop = true;
  closesWithEscape = true;  // as the close box: the test is not run
  setColor(ui::kSilver);
  setFont({u"Tahoma", 11, false, ui::kDefaultColor});
  layOutControls();
  wireHandlers();
  setBounds({0, 0, 368, 286});
}

void TFFimAFim::layOutControls() {
  page::layOut({
      {LabelCNPJContrib2, {16, 12, 200, 14}, u"CNPJ do Contribuinte:"},
      {EdtCNPJContrib2, {16, 28, 150, 21}},
      {LabelIEContrib, {16, 58, 200, 14}, u"IE do Contribuinte:"},
      {EdtIEContrib, {16, 74, 150, 21}},
      {LabelCNPJSw, {16, 104, 200, 14}, u"CNPJ Software House:"},
      {EdtCNPJSw, {16, 120, 150, 21}},
      {LabelAssinaturaAplic, {16, 150, 300, 14}, u"Assinatura do Aplicativo Comercial:"},
      {rgAssinatura, {16, 166, 200, 40}, u"Forma de envio:"},
      {LabelAssinatura, {16, 212, 100, 14}, u"Texto:"},
      {EdtAssinatura, {16, 228, 308, 21}},
      {Button3, {328, 228, 24, 21}, u"..."},
      {BtnOk, {272, 252, 80, 27}, u"Ok"},
  });
  EdtCNPJContrib2.editMask = u"99.999.999/9999-99;0;_";
  EdtIEContrib.editMask = u"999.999.999.999;0;_";
  EdtCNPJSw.editMask = u"99.999.999/9999-99;0;_";
  rgAssinatura.columns = 2;
  rgAssinatura.setItems({u"Texto", u"Arquivo"});
  rgAssinatura.setItemIndex(0);
  EdtAssinatura.setMaxLength(344);
  Button3.setVisible(false);
  BtnOk.isDefault = true;
}

void TFFimAFim::wireHandlers() {
  onShow = [this] { FormShow(); };
  rgAssinatura.onClick = [this] { rgAssinaturaClick(); };
  Button3.onClick = [this] { Button3Click(); };
  EdtAssinatura.onChange = [this] { holdsStoredSignature_ = false; };
  BtnOk.onClick = [this] { BtnOkClick(); };
}

void TFFimAFim::FormCreate() {
  outcome_.DialogoCancelado = 1;
}

void TFFimAFim::FormShow() {
  EdtCNPJContrib2.setText(cds_.readText("CNPJContribuinte"));
  EdtCNPJSw.setText(cds_.readText("CNPJSH"));
  EdtAssinatura.setText(cds_.readText("Assinatura"));
  holdsStoredSignature_ = true;
  outcome_.DialogoCancelado = 1;
  EdtCNPJContrib2.setFocus();
}

void TFFimAFim::BtnOkClick() {
  outcome_.DialogoCancelado = 0;
  close();
}

void TFFimAFim::rgAssinaturaClick() {
  EdtAssinatura.setText({});
  holdsStoredSignature_ = false;
  LabelAssinatura.setText(fromFile() ? u"Arquivo" : u"Texto");
  Button3.setVisible(fromFile());
}

void TFFimAFim::Button3Click() {
  if (const auto path = files_.openFile({})) {
    EdtAssinatura.setText(*path);
    holdsStoredSignature_ = false;
  }
}

}  // namespace diagnostics
