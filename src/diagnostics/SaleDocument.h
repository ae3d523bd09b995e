#pragma once
// The one-item sale document of the end-to-end test, in its two variants: for
// a device being put into service (fixed zeros for the software house, the
// signature and the IE, no addressee) and with live data.
#include <string>

namespace diagnostics {

enum class TestVariant { Activation, Production };

// The values typed in the test dialog, without blanks at their ends.
struct SaleValues {
  std::u16string taxpayerCnpj;
  std::u16string taxpayerIe;
  std::u16string softwareHouseCnpj;
  std::u16string signature;
};

// The document in the ANSI code page, one text without line breaks. Values
// are XML-escaped, so no typed character can break the document or add
// elements to it.
std::string saleDocument(TestVariant variant, const SaleValues& values);

}  // namespace diagnostics
