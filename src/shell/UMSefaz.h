#pragma once
// TFMSefaz: the window that shows the tax authority's code and message.
#include "ui/Controls.h"

namespace shell {

class TFMSefaz : public ui::Form {
 public:
  TFMSefaz();
  ui::Memo MemoSefaz;
};

}  // namespace shell
