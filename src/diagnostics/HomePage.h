#pragma once
// The home page (index 0): the device's state and the "Consultar SAT" button
// over a picture of the device, and a foot bar with the maker and version.
// "Consultar SAT" and the side button "SAT - MIREL" run the device query,
// which needs no activation code.
#include "page/PageContext.h"
#include "page/PageFrame.h"

namespace diagnostics {

class HomePage {
 public:
  HomePage(ui::PageControl& pages, page::PageContext& context);

  // The device query; the side button "SAT - MIREL" runs it too.
  void BtnPrincipalClick();
  // Keeps the picture and the button centred across the page, the picture two
  // thirds of the way down the free height.
  void centre();

  page::PageFrame frame;
  ui::Label Label8;
  ui::Label lbloperante;
  ui::Button BitBtn6;
  ui::Image ImgSAT;
  ui::Panel Panel13;
  ui::Label LabelFabricante;
  ui::Label Label7;

 private:
  void layOutControls();
  void wireHandlers();
  void showState(bool inOperation);

  page::PageContext& context_;
};

}  // namespace diagnostics
