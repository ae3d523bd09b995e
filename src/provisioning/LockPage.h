#pragma once
// The lock page (index 4): the taxpayer's lock and unlock of the device, and
// its deactivation, which is the lock sent after a warning.
#include "page/PageContext.h"
#include "page/PageFrame.h"

namespace provisioning {

class LockPage {
 public:
  LockPage(ui::PageControl& pages, page::PageContext& context);

  // The side button "Bloquear/Desbloquear": clears the code field.
  void BtnBloquearSATClick();
  void TabBloqShow();
  void BitBloquSATClick();
  void BitBtn5Click();
  void BitDesatSATClick();

  page::PageFrame frame;
  ui::Label LabelCodAtiv6;
  ui::Edit EdtCodAtiv6;
  ui::Button BitBtn5;
  ui::Button BitBloquSAT;
  ui::Button BitDesatSAT;
  ui::Memo MemoBloq;

 private:
  void layOutControls();
  void wireHandlers();

  page::PageContext& context_;
};

}  // namespace provisioning
