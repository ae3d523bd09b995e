#pragma once
// The frame every page of the main window shares: a grey header bar across
// its top with the page's caption centred in white, over a silver page.
#include <initializer_list>
#include <string>
#include <string_view>

#include "ui/Controls.h"

namespace page {

// Page indices of the main window's page control. Index 7 has no page.
enum PageIndex : int {
  kPaginaPrincipal = 0,
  kPaginaCodigoAtivacao = 1,
  kPaginaAtivacao = 2,
  kPaginaAssociacao = 3,
  kPaginaBloqueio = 4,
  kPaginaTeste = 5,
  kPaginaRede = 6,
  kPaginaStatus = 8,
  kPaginaLogs = 9,
  kPaginaAtualizacao = 10,
  kPageCount = 11,
};

struct PageFrame {
  PageFrame(ui::Control* pageControl, std::string sheetName, std::string headerName,
            std::u16string caption);

  ui::TabSheet sheet;
  ui::Panel header;
};

// Makes the memo one of the pages' notices: fixed-pitch green lines centred
// on the page's silver, read-only and kept at the foot of the page.
void setUpNotice(ui::Memo& memo, std::initializer_list<std::u16string_view> lines);

}  // namespace page
