#pragma once
// The device query: asks the device whether it is in operation and shows the
// answer on the home page, in the state text and in the colour of the side
// button. Needs no activation code.
#include "shell/CommandRunner.h"
#include "ui/Controls.h"

namespace diagnostics {

class DeviceQuery {
 public:
  DeviceQuery(shell::CommandRunner& runner, ui::Form& mainWindow, ui::PageControl& pages,
              ui::Label& lbloperante, ui::Button& BtnPrincipal);

  void run();

 private:
  void showState(bool inOperation);

  shell::CommandRunner& runner_;
  ui::Form& mainWindow_;
  ui::PageControl& pages_;
  ui::Label& lbloperante_;
  ui::Button& BtnPrincipal_;
};

}  // namespace diagnostics
