#pragma once
// TFValida: the small window that asks for the activation code before the
// commands whose page has no code field of its own.
#include <string>

#include "page/PromptOutcome.h"
#include "ui/Controls.h"

namespace shell {

class TFValida : public ui::Form {
 public:
  explicit TFValida(page::PromptOutcome& outcome);

  void FormCreate();
  void FormShow();
  void BtnTrocarCodClick();

  ui::Label LabelCodigo;
  ui::Edit EdtCodigo;
  ui::Button BtnTrocarCod;

 private:
  page::PromptOutcome& outcome_;
};

}  // namespace shell
