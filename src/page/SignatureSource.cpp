#include "page/SignatureSource.h"

namespace page {

SignatureSource::SignatureSource(ui::Control* parent, ui::FilePickers& files,
                                 std::u16string openTitle)
    : LabelAssinaturaAplic("LabelAssinaturaAplic", parent),
      rgAssinatura("rgAssinatura", parent),
      LabelAssinatura("LabelAssinatura", parent),
      EdtAssinatura("EdtAssinatura", parent),
      Button3("Button3", parent),
      files_(files),
      openTitle_(std::move(openTitle)) {
  setUpControls();
  wireHandlers();
}

void SignatureSource::setUpControls() {
  LabelAssinaturaAplic.setText(u"Assinatura do Aplicativo Comercial:");
  rgAssinatura.setText(u"Forma de envio:");
  rgAssinatura.columns = 2;
  rgAssinatura.setItems({u"Texto", u"Arquivo"});
  rgAssinatura.setItemIndex(0);
  LabelAssinatura.setText(u"Texto:");
  Button3.setText(u"...");
  Button3.setVisible(false);
}

void SignatureSource::wireHandlers() {
  rgAssinatura.onClick = [this] { rgAssinaturaClick(); };
  Button3.onClick = [this] { Button3Click(); };
  EdtAssinatura.onChange = [this] { holdsStoredSignature_ = false; };
}

void SignatureSource::rgAssinaturaClick() {
  EdtAssinatura.setText({});
  holdsStoredSignature_ = false;
  LabelAssinatura.setText(fromFile() ? u"Arquivo" : u"Texto");
  Button3.setVisible(fromFile());
}

void SignatureSource::Button3Click() {
  ui::FileDialogOptions options;
  options.title = openTitle_;
  if (const auto path = files_.openFile(options)) {
    EdtAssinatura.setText(*path);
    holdsStoredSignature_ = false;
  }
}

void SignatureSource::showStoredSignature(std::u16string signature) {
  EdtAssinatura.setText(std::move(signature));
  holdsStoredSignature_ = true;
}

}  // namespace page
