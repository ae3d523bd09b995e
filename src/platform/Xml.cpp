#include "platform/Xml.h"

#include <algorithm>

#include "platform/Text.h"
#include "platform/XmlParseSupport.h"

namespace platform {

const std::string* XmlElement::attribute(std::string_view attributeName) const {
  for (const auto& [attributeKey, value] : attributes) {
    if (attributeKey == attributeName) return &value;
  }
  return nullptr;
}

const XmlElement* XmlElement::child(std::string_view childName) const {
  for (const XmlElement& candidate : children) {
    if (candidate.name == childName) return &candidate;
  }
  return nullptr;
}

namespace {

bool isXmlBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

void finishXmlElement(XmlElement& element) {
  if (!element.children.empty() &&
      std::all_of(element.text.begin(), element.text.end(), isXmlBlank)) {
    element.text.clear();
  }
}

namespace {

// Reads `name="value"` or `name='value'` pairs of the declaration into it.
void readDeclarationValues(std::string_view body, XmlDeclaration& declaration) {
  while (true) {
    while (!body.empty() && isXmlBlank(body.front())) body.remove_prefix(1);
    const size_t equals = body.find('=');
    if (equals == std::string_view::npos) return;
    std::string_view name = body.substr(0, equals);
    while (!name.empty() && isXmlBlank(name.back())) name.remove_suffix(1);
    body.remove_prefix(equals + 1);
    while (!body.empty() && isXmlBlank(body.front())) body.remove_prefix(1);
    if (body.empty()) return;
    const char quote = body.front();
    const size_t closing = body.find(quote, 1);
    if (closing == std::string_view::npos) return;
    std::string value(body.substr(1, closing - 1));
    body.remove_prefix(closing + 1);
    if (name == "version") declaration.version = std::move(value);
    if (name == "encoding") declaration.encoding = std::move(value);
    if (name == "standalone") declaration.standalone = std::move(value);
  }
}

}  // namespace

XmlDeclaration readXmlDeclaration(std::string_view document) {
  constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
  if (document.starts_with(kUtf8ByteOrderMark)) document.remove_prefix(kUtf8ByteOrderMark.size());
  XmlDeclaration declaration{.present = false, .encoding = "", .version = "", .standalone = ""};
  constexpr std::string_view kOpening = "<?xml";
  if (!document.starts_with(kOpening) || document.size() == kOpening.size() ||
      !isXmlBlank(document[kOpening.size()])) {
    return declaration;
  }
  const size_t end = document.find("?>");
  if (end == std::string_view::npos) return declaration;
  declaration.present = true;
  readDeclarationValues(document.substr(kOpening.size(), end - kOpening.size()), declaration);
  return declaration;
}

XmlDocument parseXmlDocument(std::string_view document) {
  XmlElement root = parseXmlRoot(document);
  return XmlDocument{readXmlDeclaration(document), std::move(root)};
}

XmlElement parseXml(std::string_view document) {
  return parseXmlRoot(document);
}

namespace {

constexpr char16_t kReplacementCharacter = 0xFFFD;

bool isHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit < 0xDC00;
}
bool isLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit < 0xE000;
}

void appendAscii(std::u16string& out, std::string_view ascii) {
  out.append(ascii.begin(), ascii.end());
}

enum class Context { Text, Attribute };

class XmlWriter {
 public:
  XmlWriter(XmlLayout layout, XmlCharacters characters)
      : layout_(layout), characters_(characters) {}

  std::string write(const XmlElement& root, const XmlDeclaration& declaration) {
    if (declaration.present) writeDeclaration(declaration);
    writeElement(root, 0);
    return std::move(out_);
  }

 private:
  void writeDeclaration(const XmlDeclaration& declaration) {
    out_ += "<?xml";
    writeAttribute("version", declaration.version.empty() ? "1.0" : declaration.version);
    if (!declaration.encoding.empty()) writeAttribute("encoding", declaration.encoding);
    if (!declaration.standalone.empty()) writeAttribute("standalone", declaration.standalone);
    out_ += "?>";
    endLine();
  }

  void writeElement(const XmlElement& element, int depth) {
    if (element.name.empty()) throw XmlError("An XML element without a name cannot be written");
    indent(depth);
    out_ += '<';
    out_ += element.name;
    for (const auto& [name, value] : element.attributes) writeAttribute(name, value);
    if (element.children.empty() && element.text.empty()) {
      out_ += "/>";
      endLine();
      return;
    }
    out_ += '>';
    writeEscaped(element.text, Context::Text);
    if (!element.children.empty()) {
      endLine();
      for (const XmlElement& child : element.children) writeElement(child, depth + 1);
      indent(depth);
    }
    out_ += "</";
    out_ += element.name;
    out_ += '>';
    endLine();
  }

  void writeAttribute(std::string_view name, std::string_view value) {
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    writeEscaped(value, Context::Attribute);
    out_ += '"';
  }

  void writeEscaped(std::string_view text, Context context) {
    const std::u16string characters = fromUtf8(text);  // malformed UTF-8 is U+FFFD from here on
    const bool inAttribute = context == Context::Attribute;
    std::u16string escaped;
    for (size_t index = 0; index < characters.size(); ++index) {
      const size_t first = index;
      char32_t c = characters[index];
      if (isHighSurrogate(characters[index]) && index + 1 < characters.size() &&
          isLowSurrogate(characters[index + 1])) {
        c = 0x10000 + ((c - 0xD800) << 10) + (characters[++index] - 0xDC00);
      }
      const bool replaced = !isXmlCharacter(c);
      if (replaced) c = kReplacementCharacter;
      if (c == '&') {
        appendAscii(escaped, "&amp;");
      } else if (c == '<') {
        appendAscii(escaped, "&lt;");
      } else if (c == '>') {
        appendAscii(escaped, "&gt;");
      } else if (c == '"' && inAttribute) {
        appendAscii(escaped, "&quot;");
      } else if (c == '\r' || (inAttribute && (c == '\n' || c == '\t')) ||
                 (c >= 0x80 && characters_ == XmlCharacters::AsciiWithReferences)) {
        // A parser turns a literal CR, and a tab or line break inside an
        // attribute, into something else; a reference keeps the character.
        appendAscii(escaped, "&#" + std::to_string(static_cast<unsigned long>(c)) + ";");
      } else if (replaced) {
        escaped += kReplacementCharacter;
      } else {
        escaped.append(characters, first, index + 1 - first);
      }
    }
    out_ += toUtf8(escaped);
  }

  void indent(int depth) {
    if (layout_ == XmlLayout::Indented) out_.append(static_cast<size_t>(depth) * 2, ' ');
  }

  void endLine() {
    if (layout_ == XmlLayout::Indented) out_ += "\r\n";
  }

  XmlLayout layout_;
  XmlCharacters characters_;
  std::string out_;
};

}  // namespace

std::string writeXml(const XmlElement& root, XmlLayout layout, const XmlDeclaration& declaration,
                     XmlCharacters characters) {
  return XmlWriter(layout, characters).write(root, declaration);
}

}  // namespace platform
