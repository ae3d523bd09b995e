#pragma once
// The home page (index 0): the device's state and the "Consultar SAT" button
// over a picture of the device, and a foot bar with the maker and version.
#include "shell/PageFrame.h"

namespace shell {

struct HomePage {
  explicit HomePage(ui::Control* pageControl);

  // Keeps the picture and the button centred across the page, the picture two
  // thirds of the way down the free height.
  void centre();

  PageFrame frame;
  ui::Label Label8;
  ui::Label lbloperante;
  ui::Button BitBtn6;
  ui::Image ImgSAT;
  ui::Panel Panel13;
  ui::Label LabelFabricante;
  ui::Label Label7;
};

}  // namespace shell
