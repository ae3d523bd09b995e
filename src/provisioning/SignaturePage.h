#pragma once
// The signature association page (index 3): binds an activated device to the
// commercial application. The signature and the software house's CNPJ are
// stored in the parameter record before the device is called.
#include <optional>
#include <string>

#include "page/PageContext.h"
#include "page/PageFrame.h"
#include "page/SignatureSource.h"

namespace provisioning {

class SignaturePage {
 public:
  SignaturePage(ui::PageControl& pages, page::PageContext& context);

  // The side button "Associar Aplic. Comercial": loads the page from the record.
  void BtnAssocAssinClick();
  void TabAssocAssShow();
  void BitAssociarClick();

  page::PageFrame frame;
  ui::Label LabelCodAtiv3;
  ui::Edit EdtCodAtiv3;
  ui::Label LabelCNPJContrib2;
  ui::MaskEdit EdtCNPJContrib2;
  ui::Label LabelCNPJSw;
  ui::MaskEdit EdtCNPJSw;
  page::SignatureSource signatureSource;  // LabelAssinaturaAplic to Button3
  ui::Button BitAssociar;
  ui::Memo Memo4;

 private:
  void layOutControls();
  void wireHandlers();
  // The signature to send, typed or read from the file the box names; nothing
  // when the file is missing or cannot be read (the user has been told).
  std::optional<std::u16string> signature();
  std::optional<std::u16string> signatureFromFile();
  void storeSignature(const std::u16string& signatureText);
  void associate(const std::u16string& signatureText);

  page::PageContext& context_;
};

}  // namespace provisioning
