#pragma once
// The tests page (index 5): the end-to-end test sale in its two variants and
// the session queries, whose results share the memo and CFe.xml; and Edit1,
// the session-number field every command writes its number into.
#include <optional>
#include <string>

#include "diagnostics/SaleDocument.h"
#include "diagnostics/UFimaFim.h"
#include "page/PageContext.h"
#include "page/PageFrame.h"
#include "platform/Files.h"

namespace diagnostics {

class TestsPage {
 public:
  TestsPage(ui::PageControl& pages, page::PageContext& context, TFFimAFim& fimAFim);

  // The side button "Testes": a clean page, without the last result.
  void BtnTestefimafimClick();
  void BtnTesteAtivacaoClick();
  void BtnTesteProducaoClick();
  void BtnNavegClick();
  void BtnSessaoClick();
  void BtnSessaoFiscalClick();

  page::PageFrame frame;  // its header bar is Panel4
  ui::Memo MemoCFe;
  ui::Panel PanelTestes;
  ui::Button BtnTesteAtivacao;
  ui::Button BtnTesteProducao;
  ui::Button BtnNaveg;
  ui::Label LabelSessao;
  ui::Edit Edit1;
  ui::Button BtnSessao;
  ui::Label LabelSessaoFiscal;
  ui::Button BtnSessaoFiscal;

 private:
  void layOutControls();
  void wireHandlers();
  // The code prompt; false when it was cancelled or the code is too short.
  bool promptForCode(std::u16string_view header, bool headerBeforeCheck);
  void runTest(TestVariant variant);
  // The values of the test dialog, checked; nothing when a check failed.
  std::optional<SaleValues> testValues(TestVariant variant);
  void showTestCoupon(const page::AnswerFields& CamposRetorno);
  void querySession(satlib::EntryPoint entryPoint, int consultedSession);
  void showConsultedAnswer(const page::AnswerFields& CamposRetorno);
  platform::Path cfeXml() const { return context_.programFolder / u"CFe.xml"; }

  page::PageContext& context_;
  TFFimAFim& fimAFim_;
};

}  // namespace diagnostics
