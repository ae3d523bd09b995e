#include "shell/UValida.h"

#include "platform/Text.h"

namespace shell {

TFValida::TFValida(page::PromptOutcome& outcome)
    : ui::Form("TFValida"),
      LabelCodigo("LabelCodigo", this),
      EdtCodigo("EdtCodigo", this),
      BtnTrocarCod("BtnTrocarCod", this),
      outcome_(outcome) {
  setText(u"SAT - MIREL (Valida Cód. Ativação)");
  borderStyle = ui::BorderStyle::Dialog;
  minimizeBox = false;
  maximizeBox = false;
  stayOnTop = true;
  setColor(ui::kSilver);
  setFont({u"Tahoma", 11, false, ui::kDefaultColor});
  setBounds({0, 0, 372, 90});

  LabelCodigo.setText(u"Digite o Código de Ativação atual:");
  LabelCodigo.setBounds({16, 20, 254, 14});

  EdtCodigo.setBounds({16, 38, 254, 21});
  EdtCodigo.setMaxLength(32);
  EdtCodigo.setPasswordChar(u'*');
  EdtCodigo.setTabOrder(0);

  BtnTrocarCod.setText(u"Validar");
  BtnTrocarCod.setBounds({276, 34, 80, 29});
  BtnTrocarCod.isDefault = true;
  BtnTrocarCod.setTabOrder(1);

  onShow = [this] { FormShow(); };
  BtnTrocarCod.onClick = [this] { BtnTrocarCodClick(); };
}

void TFValida::FormCreate() {
  outcome_.DialogoCancelado = 1;
}

void TFValida::FormShow() {
  outcome_.CodigoDigitado.clear();
  EdtCodigo.setText({});
  outcome_.DialogoCancelado = 1;
  EdtCodigo.setFocus();
}

void TFValida::BtnTrocarCodClick() {
  outcome_.CodigoDigitado = platform::trimmed(EdtCodigo.text());
  outcome_.DialogoCancelado = 0;
  close();
}

}  // namespace shell
