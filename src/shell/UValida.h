#pragma once
// TFValida: the small window that asks for the activation code before the
// commands whose page has no code field of its own.
#include "page/Dialog.h"
#include "page/PromptOutcome.h"

namespace shell {

class TFValida : public page::Dialog {
 public:
  explicit TFValida(page::PromptOutcome& outcome);

  void FormCreate();
  void FormShow();
  void BtnTrocarCodClick();

  ui::Label LabelCodigo;
  ui::Edit EdtCodigo;
  ui::Button BtnTrocarCod;

 private:
  void layOutControls();
  void wireHandlers();

  page::PromptOutcome& outcome_;
};

}  // namespace shell
