#include "diagnostics/CouponText.h"

#include "platform/Files.h"
#include "platform/Text.h"
#include "platform/Xml.h"

namespace diagnostics {

std::vector<std::string_view> couponLines(std::string_view coupon) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  while (start < coupon.size()) {
    const std::size_t end = coupon.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(coupon.substr(start));
      break;
    }
    lines.push_back(coupon.substr(start, end - start));
    const bool crlf = coupon[end] == '\r' && end + 1 < coupon.size() && coupon[end + 1] == '\n';
    start = end + (crlf ? 2 : 1);
  }
  return lines;
}

std::u16string FormatXMLString(std::string_view XmlString) {
  const platform::XmlDocument document = platform::parseXmlDocument(XmlString);
  // The text is written in UTF-8 whatever the declaration says (the memo
  // shows characters, not bytes); it is parsed once more as what it is, so
  // what is shown is a document, not just text.
  platform::XmlDeclaration asWritten = document.declaration;
  if (!asWritten.encoding.empty()) asWritten.encoding = "utf-8";
  platform::parseXmlDocument(
      platform::writeXml(document.root, platform::XmlLayout::Indented, asWritten));
  std::string indented =
      platform::writeXml(document.root, platform::XmlLayout::Indented, document.declaration);
  while (indented.ends_with("\r\n")) indented.resize(indented.size() - 2);
  return platform::fromUtf8(indented);
}

void writeCouponLines(const platform::Path& file, const std::vector<std::string_view>& lines) {
  std::string content;
  for (const std::string_view line : lines) {
    content += line;
    content += "\r\n";
  }
  platform::writeFileAtomically(file, content);
}

void writeCFeXml(const platform::Path& folder, const std::vector<std::string_view>& lines) {
  writeCouponLines(folder / u"CFe.xml", lines);
}

}  // namespace diagnostics
