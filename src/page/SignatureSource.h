#pragma once
// How the commercial application's signature is given, on the association
// page and in the test dialog alike: typed into EdtAssinatura ("Texto") or
// read from the file it names ("Arquivo", with "..." to pick the file). The
// unit owns the five controls, their captions and items, and their handlers;
// its owner declares it where the controls stand among its own (that is their
// order in the window) and places them in its layout table.
#include <string>

#include "ui/Controls.h"
#include "ui/FilePickers.h"

namespace page {

class SignatureSource {
 public:
  // `openTitle` titles the open dialog of "..." (empty: the system's title).
  SignatureSource(ui::Control* parent, ui::FilePickers& files, std::u16string openTitle);

  void rgAssinaturaClick();
  void Button3Click();

  bool fromFile() const { return rgAssinatura.itemIndex() == 1; }
  // Puts a stored signature into the box. Until the user picks or types a
  // name, or switches the form of sending, the box holds that signature,
  // whatever the form of sending says.
  void showStoredSignature(std::u16string signature);
  // Whether EdtAssinatura names the file the signature is to be read from.
  bool namesSignatureFile() const { return fromFile() && !holdsStoredSignature_; }

  ui::Label LabelAssinaturaAplic;
  ui::RadioGroup rgAssinatura;
  ui::Label LabelAssinatura;
  ui::Edit EdtAssinatura;
  ui::Button Button3;

 private:
  void setUpControls();
  void wireHandlers();

  ui::FilePickers& files_;
  std::u16string openTitle_;
  bool holdsStoredSignature_ = false;
};

}  // namespace page
