#pragma once
// XmlLite implementations differ in how strictly they check a document and in
// how they resolve character references: Wine's, on which the program also
// runs, accepts undeclared entities, control characters and malformed UTF-8,
// turns referenced tabs and line breaks into blanks and cuts characters beyond
// U+FFFF. So a document is checked and prepared here before the reader sees
// it, and the reader's values are restored afterwards; every backend then
// gives the same tree.
#include <string>
#include <string_view>

namespace platform {

// The document as the reader should get it: UTF-8, with what XML forbids
// refused (XmlError) and the character references readers get wrong replaced
// by placeholders. A UTF-16 document, or one in an encoding this does not
// know, is returned unchanged.
std::string guardedXmlInput(std::string_view document);

// A text or attribute value read from a guarded document, placeholders undone.
std::string restoredXmlValue(std::string_view value);

}  // namespace platform
