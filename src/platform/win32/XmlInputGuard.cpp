#include "platform/win32/XmlInputGuard.h"

#include <windows.h>

#include <charconv>
#include <optional>

#include "platform/Text.h"
#include "platform/XmlParseSupport.h"

namespace platform {
namespace {

// U+E000, a private-use character that no XML name can hold, begins each
// placeholder; a literal one in a value is doubled.
constexpr std::string_view kMarker = "\xEE\x80\x80";

std::string lowered(std::string text) {
  for (char& c : text) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return text;
}

// The single-byte encodings Brazilian documents come in, by the names they
// are declared with.
std::optional<UINT> singleByteCodePage(const std::string& encoding) {
  if (encoding == "iso-8859-1" || encoding == "latin1") return 28591;
  if (encoding == "iso-8859-15") return 28605;
  if (encoding == "windows-1252") return 1252;
  if (encoding == "us-ascii") return 20127;
  return std::nullopt;
}

// The document converted to UTF-8, its declaration saying so.
std::string asUtf8(std::string_view document, UINT codePage) {
  const int size = static_cast<int>(document.size());
  std::u16string wide(static_cast<size_t>(size), u'\0');
  const int length = MultiByteToWideChar(codePage, 0, document.data(), size,
                                         reinterpret_cast<wchar_t*>(wide.data()), size);
  wide.resize(static_cast<size_t>(length));
  std::string utf8 = toUtf8(wide);
  const size_t declarationEnd = utf8.find("?>");
  const size_t name = utf8.find("encoding", 0);
  const size_t open = utf8.find_first_of("\"'", name);
  const size_t close = open == std::string::npos ? open : utf8.find(utf8[open], open + 1);
  if (name < declarationEnd && close < declarationEnd)
    utf8.replace(open + 1, close - open - 1, "utf-8");
  return utf8;
}

void checkCharacters(std::string_view utf8) {
  const std::u16string wide = fromUtf8(utf8);
  if (toUtf8(wide) != utf8) throw XmlError("Documento XML com UTF-8 malformado");
  for (size_t index = 0; index < wide.size(); ++index) {
    char32_t c = wide[index];
    if (c >= 0xD800 && c < 0xDC00 && index + 1 < wide.size()) {
      c = 0x10000 + ((c - 0xD800) << 10) + (wide[++index] - 0xDC00);
    }
    if (!isXmlCharacter(c)) throw XmlError("Documento XML com caractere não permitido");
  }
}

char32_t referencedCharacter(std::string_view number) {
  const bool hexadecimal = number.starts_with('x');
  if (hexadecimal) number.remove_prefix(1);
  std::uint32_t value = 0;
  const auto [end, error] =
      std::from_chars(number.data(), number.data() + number.size(), value, hexadecimal ? 16 : 10);
  if (number.empty() || error != std::errc() || end != number.data() + number.size() ||
      !isXmlCharacter(value)) {
    throw XmlError("Documento XML com referência de caractere inválida");
  }
  return value;
}

// Copies the document, replacing in text and attribute values the character
// references that readers get wrong.
class ReferenceGuard {
 public:
  explicit ReferenceGuard(std::string_view document) : in_(document) {}

  std::string run() {
    while (pos_ < in_.size()) {
      if (at("<!--")) {
        copyThrough("-->");
      } else if (at("<![CDATA[")) {
        copyCdata();
      } else if (at("<?")) {
        copyThrough("?>");
      } else if (at("<!")) {
        copyThrough(">");  // a DOCTYPE, which the reader refuses
      } else if (at("<")) {
        copyTag();
      } else {
        copyValueCharacter();
      }
    }
    return std::move(out_);
  }

 private:
  bool at(std::string_view text) const { return in_.substr(pos_).starts_with(text); }

  void copyThrough(std::string_view terminator) {
    const size_t found = in_.find(terminator, pos_);
    const size_t stop = found == std::string_view::npos ? in_.size() : found + terminator.size();
    out_.append(in_, pos_, stop - pos_);
    pos_ = stop;
  }

  void copyCdata() {
    while (pos_ < in_.size() && !at("]]>")) copyDoublingMarker();
    copyThrough("]]>");
  }

  void copyDoublingMarker() {
    if (at(kMarker)) {
      out_.append(kMarker).append(kMarker);
      pos_ += kMarker.size();
    } else {
      out_ += in_[pos_++];
    }
  }

  void copyTag() {
    while (pos_ < in_.size() && in_[pos_] != '>') {
      const char c = in_[pos_++];
      out_ += c;
      if (c != '"' && c != '\'') continue;
      while (pos_ < in_.size() && in_[pos_] != c) copyValueCharacter();
      if (pos_ < in_.size()) out_ += in_[pos_++];
    }
    if (pos_ < in_.size()) out_ += in_[pos_++];
  }

  void copyValueCharacter() {
    if (in_[pos_] == '&') {
      copyReference();
    } else {
      copyDoublingMarker();
    }
  }

  void copyReference() {
    const size_t semicolon = in_.find(';', pos_);
    constexpr size_t kLongestReference = 32;
    if (semicolon == std::string_view::npos || semicolon - pos_ > kLongestReference) {
      throw XmlError("Documento XML com '&' solto");
    }
    const std::string_view whole = in_.substr(pos_, semicolon + 1 - pos_);
    const std::string_view name = whole.substr(1, whole.size() - 2);
    pos_ = semicolon + 1;
    if (name == "amp" || name == "lt" || name == "gt" || name == "quot" || name == "apos") {
      out_ += whole;
      return;
    }
    if (!name.starts_with('#')) {
      throw XmlError("Documento XML com entidade não declarada: " + std::string(whole));
    }
    const char32_t c = referencedCharacter(name.substr(1));
    if (c == '\t' || c == '\n' || c == '\r') {
      out_.append(kMarker) += c == '\t' ? 't' : c == '\n' ? 'n' : 'r';
    } else if (c == 0xE000) {
      out_.append(kMarker).append(kMarker);
    } else if (c > 0xFFFF) {
      const char16_t pair[] = {static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10)),
                               static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF))};
      out_ += toUtf8(std::u16string_view(pair, 2));
    } else {
      out_ += whole;
    }
  }

  std::string_view in_;
  size_t pos_ = 0;
  std::string out_;
};

bool isBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// A document must be a declaration, comments and processing instructions
// and then an element. Wine's reader fails an internal assertion (the process
// ends) on a document that stops inside or right after its declaration, so
// such a text is refused before it gets there.
void checkPrologue(std::string_view utf8) {
  std::size_t position = utf8.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  for (;;) {
    while (position < utf8.size() && isBlank(utf8[position])) ++position;
    const std::string_view rest = utf8.substr(position);
    const char* end = rest.starts_with("<!--") ? "-->" : rest.starts_with("<?") ? "?>" : nullptr;
    if (!end) break;
    const std::size_t close = rest.find(end, 2);
    if (close == std::string_view::npos) throw XmlError("Documento XML incompleto");
    position += close + std::char_traits<char>::length(end);
  }
  if (utf8.substr(position).starts_with("<!DOCTYPE"))
    throw XmlError("Documento XML com DOCTYPE não é aceito");
  const bool element = position + 1 < utf8.size() && utf8[position] == '<' &&
                       utf8[position + 1] != '/' && utf8[position + 1] != '!';
  if (!element) throw XmlError("Documento XML sem elemento raiz");
}

// Blanks before the root element of a document without a declaration are
// allowed, but Wine's reader refuses them: they are dropped here.
std::string_view withoutLeadingBlanks(std::string_view utf8) {
  std::size_t first = 0;
  while (first < utf8.size() && isBlank(utf8[first])) ++first;
  if (first == 0 || utf8.substr(first).starts_with("<?xml")) return utf8;
  return utf8.substr(first);
}

}  // namespace

std::string guardedXmlInput(std::string_view document) {
  if (document.starts_with("\xFF\xFE") || document.starts_with("\xFE\xFF")) {
    return std::string(document);
  }
  const std::string encoding = lowered(readXmlDeclaration(document).encoding);
  std::string utf8;
  if (encoding.empty() || encoding == "utf-8") {
    utf8 = document;
  } else if (const auto codePage = singleByteCodePage(encoding)) {
    utf8 = asUtf8(document, *codePage);
  } else {
    return std::string(document);
  }
  checkCharacters(utf8);
  checkPrologue(utf8);
  return ReferenceGuard(withoutLeadingBlanks(utf8)).run();
}

std::string restoredXmlValue(std::string_view value) {
  if (value.find(kMarker) == std::string_view::npos) return std::string(value);
  std::string restored;
  while (!value.empty()) {
    if (!value.starts_with(kMarker) || value.size() == kMarker.size()) {
      restored += value.front();
      value.remove_prefix(1);
      continue;
    }
    value.remove_prefix(kMarker.size());
    if (value.starts_with(kMarker)) {
      restored += kMarker;
      value.remove_prefix(kMarker.size());
    } else {
      const char code = value.front();
      restored += code == 't' ? '\t' : code == 'n' ? '\n' : '\r';
      value.remove_prefix(1);
    }
  }
  return restored;
}

}  // namespace platform
