#pragma once
// The program's messages and modal windows: the Win32 implementation shows
// real windows, the tests' one records the calls and answers from a script.
#include <string>

namespace ui {

class Form;

class Messages {
 public:
  virtual ~Messages() = default;

  // The ordinary message box: modal, centred, captioned with the application
  // title, one OK button.
  virtual void showMessage(const std::u16string& text) = 0;
  // Question icon, caption "Confirm", OK and Cancel; true for OK.
  virtual bool confirm(const std::u16string& text) = 0;
  // The plain system message box with no owner window and one OK button.
  virtual void systemError(const std::u16string& text, const std::u16string& caption) = 0;
  // The report of an unexpected failure: an error box captioned with the
  // application title that carries the failure's description.
  virtual void reportUnexpected(const std::u16string& description) = 0;
  // Shows the window modally: returns once it has closed.
  virtual void showModal(Form& form) = 0;
};

}  // namespace ui
