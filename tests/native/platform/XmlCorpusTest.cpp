// Both XML backends (libxml2 here, XmlLite on Windows) must give the same
// verdict and the same tree for every document: a corpus of edge cases is
// parsed and compared with what the reference backend gave when the expected
// file was written (QUORVEL_WRITE_XML_EXPECTED=1, natively).
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>

#include "platform/Files.h"
#include "platform/Xml.h"

namespace platform {
namespace {

const std::filesystem::path kCorpus = QUORVEL_XML_CORPUS_DIR;

// Bytes outside printable ASCII as \xNN, so the expected file stays plain.
std::string visible(std::string_view text) {
  std::string out;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && c != '\\') {
      out += c;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      out += escaped;
    }
  }
  return out;
}

void describe(const XmlElement& element, int depth, std::ostringstream& out) {
  out << std::string(static_cast<std::size_t>(depth) * 2, ' ') << '<' << element.name;
  for (const auto& [name, value] : element.attributes)
    out << ' ' << name << "=\"" << visible(value) << '"';
  out << "> text=\"" << visible(element.text) << "\"\n";
  for (const XmlElement& child : element.children) describe(child, depth + 1, out);
}

std::string verdict(std::string_view document) {
  try {
    const XmlDocument parsed = parseXmlDocument(document);
    std::ostringstream out;
    const XmlDeclaration& d = parsed.declaration;
    out << "declaration present=" << d.present << " version=" << d.version
        << " encoding=" << d.encoding << " standalone=" << d.standalone << '\n';
    describe(parsed.root, 0, out);
    return out.str();
  } catch (const XmlError&) {
    return "refused\n";
  }
}

std::map<std::string, std::string> verdicts() {
  std::map<std::string, std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(kCorpus)) {
    if (entry.path().extension() != ".xml") continue;
    found[entry.path().stem().string()] = verdict(readFile(entry.path()));
  }
  return found;
}

TEST(XmlCorpus, EveryDocumentGivesTheReferenceVerdictAndTree) {
  const auto actual = verdicts();
  ASSERT_GE(actual.size(), 30u);
  std::string all;
  for (const auto& [name, text] : actual) all += "== " + name + "\n" + text;
  const std::filesystem::path expectedFile = kCorpus / "expected.txt";
  if (std::getenv("QUORVEL_WRITE_XML_EXPECTED")) writeFileAtomically(expectedFile, all);
  EXPECT_EQ(all, readFile(expectedFile));
}

}  // namespace
}  // namespace platform
