#include "shell/UValida.h"

#include "page/PageLayout.h"
#include "platform/Text.h"

namespace shell {

TFValida::TFValida(page::PromptOutcome& outcome)
    : page::Dialog("TFValida", u"SAT - MIREL (Valida Cód. Ativação)", 372, 90,
                   page::DialogBorder::Fixed),
      LabelCodigo("LabelCodigo", this),
      EdtCodigo("EdtCodigo", this),
      BtnTrocarCod("BtnTrocarCod", this),
      outcome_(outcome) {
  layOutControls();
  wireHandlers();
}

void TFValida::layOutControls() {
  page::layOut({
      {LabelCodigo, {16, 20, 254, 14}, u"Digite o Código de Ativação atual:"},
      {EdtCodigo, {16, 38, 254, 21}},
      {BtnTrocarCod, {276, 34, 80, 29}, u"Validar"},
  });
  EdtCodigo.setMaxLength(32);
  EdtCodigo.setPasswordChar(u'*');
  BtnTrocarCod.isDefault = true;
}

void TFValida::wireHandlers() {
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
