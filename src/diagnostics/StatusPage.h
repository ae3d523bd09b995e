#pragma once
// The operational status page (index 8): lists the device's status fields,
// one labelled line each. The side button asks for the activation code first
// and shows the page whatever the prompt's outcome; the request itself is a
// second stage that only a confirmed prompt starts.
#include "diagnostics/HealthPanel.h"
#include "page/PageContext.h"
#include "page/PageFrame.h"

namespace diagnostics {

class StatusPage {
 public:
  StatusPage(ui::PageControl& pages, page::PageContext& context);

  // The side button "Status": the first stage.
  void BitBtnStatusClick();
  // The request, started by the first stage.
  void BtnStatusClick();

  page::PageFrame frame;
  ui::Memo MemoStatus;
  ui::Edit EdtCodAtiv4;  // hidden: holds the code during the request
  ui::Button BtnStatus;  // hidden: carries the request's handler
  // Under the listing once there is one.
  HealthPanel health;

 private:
  void layOutControls();
  void wireHandlers();
  void list(const page::AnswerFields& CamposRetorno);
  void showHealth(const page::AnswerFields& CamposRetorno);
  void hideHealth();
  // Where the listing and the panel under it end.
  int listingBottom() const;

  page::PageContext& context_;
};

}  // namespace diagnostics
