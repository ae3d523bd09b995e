#pragma once
// The operational status page (index 8). Its side button asks for the
// activation code first and shows the page whatever the prompt's outcome.
#include "page/PageContext.h"
#include "page/PageFrame.h"

namespace diagnostics {

class StatusPage {
 public:
  StatusPage(ui::PageControl& pages, page::PageContext& context);

  // The side button "Status".
  void BitBtnStatusClick();

  page::PageFrame frame;

 private:
  page::PageContext& context_;
};

}  // namespace diagnostics
