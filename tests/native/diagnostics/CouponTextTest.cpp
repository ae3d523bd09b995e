#include <gtest/gtest.h>

#include "diagnostics/CouponText.h"
#include "platform/Text.h"
#include "platform/Xml.h"

namespace {

// A coupon declared in Latin-1 is shown with its characters and its own
// declaration; found by fuzzing: its second reading once took the UTF-8
// text for Latin-1 and refused a well-formed coupon.
TEST(FormatXMLString, ADocumentInAnotherEncodingKeepsItsDeclarationAndCharacters) {
  const std::string latin1 =
      "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?>"
      "<CFe><emit><xNome>Jo\xe3o</xNome></emit><a \xff=\"1\"/></CFe>";
  EXPECT_EQ(platform::toUtf8(diagnostics::FormatXMLString(latin1)),
            "<?xml version=\"1.0\" encoding=\"ISO-8859-1\" standalone=\"yes\"?>\r\n<CFe>\r\n"
            "  <emit>\r\n    <xNome>Jo\xc3\xa3o</xNome>\r\n  </emit>\r\n  <a \xc3\xbf=\"1\"/>\r\n"
            "</CFe>");
  EXPECT_THROW(diagnostics::FormatXMLString("<CFe><emit>"), platform::XmlError);
}

// Found by fuzzing: an '&' in a namespace declaration's value was shown as
// "&amp;#38;", so each showing changed the coupon a little more.
TEST(FormatXMLString, ANamespaceValueWithAnAmpersandIsShownUnchanged) {
  EXPECT_EQ(platform::toUtf8(
                diagnostics::FormatXMLString("<CFe xmlns:p=\"urn:a&amp;b\"><p:x>1</p:x></CFe>")),
            "<CFe xmlns:p=\"urn:a&amp;b\">\r\n  <p:x>1</p:x>\r\n</CFe>");
}

}  // namespace
