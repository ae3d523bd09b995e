#include "diagnostics/StatusPage.h"

namespace diagnostics {

StatusPage::StatusPage(ui::PageControl& pages, page::PageContext& context)
    : frame(&pages, "TabStatus", "PanelStatus", u"STATUS OPERACIONAL"), context_(context) {}

void StatusPage::BitBtnStatusClick() {
  context_.host.askForCode();
  context_.host.showPage(page::kPaginaStatus);
}

}  // namespace diagnostics
