#pragma once
// The few things a page asks of the main window that assembles it: the main
// window implements this, so no page knows another page or the shell.
#include <optional>
#include <string>
#include <string_view>

#include "page/PageFrame.h"
#include "ui/Control.h"

namespace page {

class PageHost {
 public:
  virtual ~PageHost() = default;

  // Makes the page the active one; its onShow runs when it was hidden.
  virtual void showPage(PageIndex index) = 0;
  // Every command leaves its session number in the tests page's Edit1.
  virtual void showSessionNumber(std::u16string_view number) = 0;
  // Lock, unlock and the software update empty the log page's text.
  virtual void clearExtractedLogs() = 0;
  // The device query colours the side button that runs it.
  virtual void colourDeviceButton(ui::Color colour) = 0;
  // Empties CodigoDigitado and asks for the activation code in the prompt:
  // the code as typed, or nothing when the prompt was cancelled. The outcome
  // is left in the context's PromptOutcome too, where the pages' handlers
  // read it.
  virtual std::optional<std::u16string> askForCode() = 0;
  // Shows the main window again in front of the others.
  virtual void bringMainWindowToFront() = 0;
};

}  // namespace page
