// FormatXMLString, as the tests page shows a coupon: a well-formed document
// is always shown, indented, with its declaration and its tree unchanged; a
// text that is none throws XmlError.
#include "FuzzExpect.h"
#include "XmlTrees.h"
#include "diagnostics/CouponText.h"
#include "platform/Text.h"

namespace {

using fuzzing::expect;

// The shown text's tree. What is shown is UTF-8 whatever the declaration
// says, so the declaration line is left out of the reading.
platform::XmlElement shownTree(const std::u16string& shown, bool declared) {
  std::string utf8 = platform::toUtf8(shown);
  if (declared) utf8.erase(0, utf8.find("\r\n"));
  try {
    return platform::parseXml(utf8);
  } catch (const platform::XmlError& error) {
    fuzzing::fail("the shown text is no document", error);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view document = fuzzing::bytesOf(data, size);
  platform::XmlDocument parsed;
  try {
    parsed = platform::parseXmlDocument(document);
  } catch (const platform::XmlError&) {
    try {
      diagnostics::FormatXMLString(document);
      fuzzing::fail("a text the reader refuses was shown");
    } catch (const platform::XmlError&) {
      // Documented: not a well-formed document.
    }
    return 0;
  }
  std::u16string shown;
  try {
    shown = diagnostics::FormatXMLString(document);
  } catch (const platform::XmlError& error) {
    fuzzing::fail("a well-formed document was refused", error);
  }
  expect(!shown.ends_with(u"\r\n"), "shown text ends with a line break");
  expect(shown.starts_with(u"<?xml ") == parsed.declaration.present,
         "declaration not carried over");
  expect(fuzzing::sameTree(parsed.root, shownTree(shown, parsed.declaration.present),
                           fuzzing::MixedText::IgnoringBlanks),
         "shown document differs from the coupon");
  return 0;
}
