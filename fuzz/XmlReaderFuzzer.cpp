// The XML reader (libxml2 on Linux): any bytes give a tree or XmlError, never
// deeper than the nesting limit, and a tree read is read back the same from
// what the writer makes of it, in UTF-8 and in pure ASCII.
#include "FuzzExpect.h"
#include "XmlTrees.h"
#include "platform/XmlParseSupport.h"

namespace {

using fuzzing::expect;
using platform::XmlElement;

bool isAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Names have no character references: only a tree named in ASCII can be
// written in pure ASCII.
bool namedInAscii(const XmlElement& element) {
  return isAscii(element.name) &&
         std::all_of(element.attributes.begin(), element.attributes.end(),
                     [](const auto& attribute) { return isAscii(attribute.first); }) &&
         std::all_of(element.children.begin(), element.children.end(), namedInAscii);
}

void checkWrittenBack(const XmlElement& root, platform::XmlCharacters characters) {
  const std::string written =
      platform::writeXml(root, platform::XmlLayout::Compact, {.present = false}, characters);
  if (characters == platform::XmlCharacters::AsciiWithReferences && namedInAscii(root))
    expect(isAscii(written), "ASCII writing left other bytes");
  try {
    expect(fuzzing::sameTree(root, platform::parseXml(written), fuzzing::MixedText::Exact),
           "a written tree reads back different");
  } catch (const platform::XmlError& error) {
    fuzzing::fail("a written tree cannot be read", error);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view document = fuzzing::bytesOf(data, size);
  platform::XmlDocument parsed;
  try {
    parsed = platform::parseXmlDocument(document);
  } catch (const platform::XmlError&) {
    // Documented: a document the reader refuses.
    return 0;
  }
  expect(fuzzing::sameTree(platform::parseXml(document), parsed.root, fuzzing::MixedText::Exact),
         "parseXml and parseXmlDocument read different trees");
  expect(fuzzing::depthOf(parsed.root) <= platform::kMaxXmlDepth, "nesting past the limit");
  checkWrittenBack(parsed.root, platform::XmlCharacters::Utf8);
  checkWrittenBack(parsed.root, platform::XmlCharacters::AsciiWithReferences);
  return 0;
}
