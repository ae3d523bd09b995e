#pragma once
// TFValida: the small window that asks for the activation code before the
// commands whose page has no code field of its own.
#include <string>

#include "ui/Controls.h"

namespace shell {

// What the last prompt window left behind: the confirmed code and whether it
// was cancelled. The test-parameter dialog shares the flag, so it always
// describes the prompt window that closed last.
struct PromptOutcome {
  std::u16string CodigoDigitado;
  int DialogoCancelado = 1;  // non-zero: cancelled
};

class TFValida : public ui::Form {
 public:
  explicit TFValida(PromptOutcome& outcome);

  void FormCreate();
  void FormShow();
  void BtnTrocarCodClick();

  ui::Label LabelCodigo;
  ui::Edit EdtCodigo;
  ui::Button BtnTrocarCod;

 private:
  PromptOutcome& outcome_;
};

}  // namespace shell
