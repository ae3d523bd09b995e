#pragma once
// TFMSefaz: the window that shows the tax authority's code and message.
#include "page/Dialog.h"

namespace shell {

class TFMSefaz : public page::Dialog {
 public:
  TFMSefaz();
  ui::Memo MemoSefaz;

 private:
  void layOutControls();
};

}  // namespace shell
