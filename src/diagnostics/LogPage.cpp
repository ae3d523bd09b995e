#include "diagnostics/LogPage.h"

#include "page/PageLayout.h"

namespace diagnostics {

LogPage::LogPage(ui::PageControl& pages, page::PageContext& context)
    : frame(&pages, "TabLog", "Panel11", u"EXTRAÇÃO DOS LOGS"),
      MemoLogs("MemoLogs", &frame.sheet),
      context_(context) {
  page::layOut({{MemoLogs, {8, 33, 520, 366}}});
  MemoLogs.setReadOnly(true);
  MemoLogs.fixedPitch = true;
  MemoLogs.horizontalScrollBar = true;
  MemoLogs.wordWrap = false;
  MemoLogs.setAnchors({true, true, true, true});
}

void LogPage::BitLogsClick() {
  context_.host.askForCode();
  context_.host.showPage(page::kPaginaLogs);
}

void LogPage::BitSuperLogClick() {
  context_.host.askForCode();
  context_.host.showPage(page::kPaginaLogs);
}

}  // namespace diagnostics
