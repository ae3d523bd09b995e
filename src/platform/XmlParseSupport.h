#pragma once
// What the two XML parser backends (libxml2, XmlLite) share, so that both give
// the same tree for the same document.
#include <string_view>

#include "platform/Xml.h"

namespace platform {

// Deepest element nesting a document may have: deeper ones are refused before
// they can exhaust the stack of the recursive code that walks the tree.
inline constexpr int kMaxXmlDepth = 256;

// Whether XML 1.0 allows the character in a document at all.
inline bool isXmlCharacter(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c < 0xD800) ||
         (c >= 0xE000 && c < 0xFFFE) || (c >= 0x10000 && c <= 0x10FFFF);
}

// The backend: parses the document and returns its root; refuses a DOCTYPE;
// throws XmlError.
XmlElement parseXmlRoot(std::string_view document);

// Called by a backend once an element's content is complete.
void finishXmlElement(XmlElement& element);

// The version, encoding and standalone values of the document's declaration
// as written; the backend has already checked that it is well formed.
XmlDeclaration readXmlDeclaration(std::string_view document);

}  // namespace platform
