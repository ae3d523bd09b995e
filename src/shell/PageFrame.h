#pragma once
// The frame every page of the main window shares: a grey header bar across
// its top with the page's caption centred in white, over a silver page.
#include <string>

#include "ui/Controls.h"

namespace shell {

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

}  // namespace shell
