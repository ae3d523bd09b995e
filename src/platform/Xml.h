#pragma once
// A small XML tree: parse a document into it and write it back compact or
// indented. Texts are UTF-8. DTDs and external entities are never resolved:
// a document that carries a DOCTYPE is refused, so nothing outside the text
// handed in is ever read.
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

struct XmlError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

struct XmlElement {
  std::string name{};
  std::vector<std::pair<std::string, std::string>> attributes{};  // in document order
  std::vector<XmlElement> children{};
  std::string text{};  // the element's character data (text and CDATA), concatenated

  // The value of an attribute, or nullptr.
  const std::string* attribute(std::string_view attributeName) const;
  // The first child with that name, or nullptr.
  const XmlElement* child(std::string_view childName) const;
};

// Parses a whole document and returns its root element; throws XmlError.
// Whitespace-only text of an element that has child elements is layout and is
// dropped; namespace declarations come back as ordinary "xmlns" attributes.
XmlElement parseXml(std::string_view document);

enum class XmlLayout { Compact, Indented };

struct XmlDeclaration {
  bool present = true;
  std::string encoding = "utf-8";  // empty: no encoding attribute
  std::string version = "1.0";
  std::string standalone{};  // empty: no standalone attribute
};

struct XmlDocument {
  XmlDeclaration declaration{};  // as written in the document; present=false without one
  XmlElement root{};
};

// parseXml that also returns the document's declaration, so that a document
// can be written out again with the same version, encoding and standalone.
XmlDocument parseXmlDocument(std::string_view document);

enum class XmlCharacters {
  Utf8,                // characters beyond ASCII written as UTF-8
  AsciiWithReferences  // characters beyond ASCII written as "&#N;": the file is pure ASCII
};

// Writes the tree. Compact adds no whitespace at all, not even after the root.
// Indented puts every element on its own line, two blanks per level, each line
// ending with CR LF; an element without children keeps its text on its line.
// The bytes are always UTF-8 (or ASCII); the declaration's encoding is only
// written into it. Characters XML cannot carry (control characters other than
// tab, line feed and carriage return; malformed UTF-8) are written as U+FFFD.
std::string writeXml(const XmlElement& root, XmlLayout layout,
                     const XmlDeclaration& declaration = {},
                     XmlCharacters characters = XmlCharacters::Utf8);

}  // namespace platform
