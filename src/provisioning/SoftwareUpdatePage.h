#pragma once
// The software update page (index 10): tells the device to update its basic
// software; the program waits, blocked, until the library returns.
#include "page/PageContext.h"
#include "page/PageFrame.h"

namespace provisioning {

class SoftwareUpdatePage {
 public:
  SoftwareUpdatePage(ui::PageControl& pages, page::PageContext& context);

  // The side button "Atualizar SW Básico": clears the code field.
  void BitAtualizaSWClick();
  void TavAtualizaSWShow();
  void BtnAtualizarSWClick();

  page::PageFrame frame;
  ui::Label LabelCodAtiv7;
  ui::Edit EdtCodAtiv7;
  ui::Button BtnAtualizarSW;
  ui::Memo MemoAtualizaSW;

 private:
  void layOutControls();
  void wireHandlers();

  page::PageContext& context_;
};

}  // namespace provisioning
