#pragma once
// The activation code change page (index 1): replaces the device's code,
// proven with the current code or with the emergency code. The form stays
// locked until "Trocar Código de Ativação" is ticked, and locks again after
// a change.
#include "page/PageContext.h"
#include "page/PageFrame.h"

namespace provisioning {

class CodeChangePage {
 public:
  CodeChangePage(ui::PageControl& pages, page::PageContext& context);

  // The side button "Trocar Cód. Ativação": clears the three code fields.
  void BtnCodAtivacaoClick();
  void TabCodAtivaShow();
  void CheckMudaCodigoClick();
  void CheckemergenciaClick();
  void BtnTrocarCodClick();

  page::PageFrame frame;
  ui::CheckBox CheckMudaCodigo;
  ui::Label LabelCodigo;
  ui::Edit EdtCodigo;
  ui::CheckBox Checkemergencia;
  ui::Label LabelNovoCodigo;
  ui::Edit EdtNovoCodigo;
  ui::Label LabelNovoCodigo2;
  ui::Edit EdtNovoCodigo2;
  ui::Button BtnTrocarCod;
  ui::Memo MemoCodAtiva;

 private:
  void layOutControls();
  void wireHandlers();
  void clearCodes();
  void refuseNewCode(std::u16string_view message);
  void changeCode(const std::u16string& novoCodigo);

  page::PageContext& context_;
};

}  // namespace provisioning
