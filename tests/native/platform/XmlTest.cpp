// The XML tree, parser and writer. The same cases run against libxml2 natively
// and against XmlLite in the Windows test program.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Xml.h"

namespace platform {
namespace {

TEST(Xml, ParsesNamesAttributesAndTextWithReferencesResolved) {
  const XmlElement root = parseXml(
      "<?xml version=\"1.0\"?>\n"
      "<CFe versao=\"0.07\" nome=\"A &amp; B &lt;&#233;&#x41;&gt;\">\n"
      "  <infCFe Id=\"CFe1\">\n"
      "    <xNome>Caf&#233; <![CDATA[<b>&]]> fim</xNome>\n"
      "    <vazio/>\n"
      "  </infCFe>\n"
      "</CFe>\n");
  EXPECT_EQ(root.name, "CFe");
  ASSERT_EQ(root.attributes.size(), 2u);
  EXPECT_EQ(root.attributes[0], std::make_pair(std::string("versao"), std::string("0.07")));
  EXPECT_EQ(*root.attribute("nome"),
            "A & B <\xC3\xa9"
            "A>");
  EXPECT_EQ(root.attribute("Nome"), nullptr);
  EXPECT_EQ(root.text, "") << "layout between elements is dropped";
  const XmlElement* info = root.child("infCFe");
  ASSERT_NE(info, nullptr);
  ASSERT_EQ(info->children.size(), 2u);
  EXPECT_EQ(info->child("xNome")->text, "Caf\xC3\xA9 <b>& fim");
  EXPECT_EQ(info->child("vazio")->text, "");
  EXPECT_EQ(info->child("ausente"), nullptr);
}

TEST(Xml, CdataAndCommentsAreTakenLiterally) {
  EXPECT_EQ(parseXml("<a><![CDATA[&#9;\xEE\x80\x80t &x; <b>]]><!-- &y; --></a>").text,
            "&#9;\xEE\x80\x80t &x; <b>");
}

TEST(Xml, KeepsTextThatIsOnlyBlanksInAnElementWithoutChildren) {
  EXPECT_EQ(parseXml("<a>  </a>").text, "  ");
  EXPECT_EQ(parseXml("<a> x <b/> y </a>").text, " x  y ");
}

TEST(Xml, NamespaceDeclarationsComeBackAsAttributes) {
  const XmlElement root = parseXml("<a xmlns=\"urn:one\"><p:b xmlns:p=\"urn:two\" p:c=\"1\"/></a>");
  EXPECT_EQ(*root.attribute("xmlns"), "urn:one");
  ASSERT_EQ(root.children.size(), 1u);
  const XmlElement& prefixed = root.children[0];
  EXPECT_EQ(prefixed.name, "p:b");
  EXPECT_EQ(*prefixed.attribute("xmlns:p"), "urn:two");
  EXPECT_EQ(*prefixed.attribute("p:c"), "1");
}

TEST(Xml, ReadsTheDeclarationAsWritten) {
  struct Case {
    const char* document;
    XmlDeclaration expected;
  };
  const Case cases[] = {
      {"<?xml version=\"1.0\" standalone=\"yes\"?>  <a/>", {true, "", "1.0", "yes"}},
      {"<?xml version='1.0' encoding='UTF-8'?><a/>", {true, "UTF-8", "1.0", ""}},
      {"\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?><a/>", {true, "utf-8", "1.0", ""}},
      {"<a/>", {false, "", "", ""}},
  };
  for (const Case& c : cases) {
    const XmlDeclaration read = parseXmlDocument(c.document).declaration;
    EXPECT_EQ(read.present, c.expected.present) << c.document;
    EXPECT_EQ(read.version, c.expected.version) << c.document;
    EXPECT_EQ(read.encoding, c.expected.encoding) << c.document;
    EXPECT_EQ(read.standalone, c.expected.standalone) << c.document;
  }
}

TEST(Xml, DecodesADeclaredSingleByteEncodingIntoUtf8) {
  EXPECT_EQ(parseXml("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?><a>\xE7\xE3o</a>").text,
            "\xC3\xA7\xC3\xA3o");
}

XmlElement sampleTree() {
  XmlElement root{.name = "config", .attributes = {{"id", "1"}}};
  root.children.push_back({.name = "tipoInter", .text = "ETHE"});
  XmlElement group{.name = "grupo"};
  group.children.push_back({.name = "vazio"});
  group.children.push_back({.name = "valor", .text = "a<b"});
  root.children.push_back(group);
  return root;
}

TEST(Xml, WritesCompactWithoutAnyWhitespace) {
  EXPECT_EQ(writeXml(sampleTree(), XmlLayout::Compact),
            "<?xml version=\"1.0\" encoding=\"utf-8\"?><config id=\"1\"><tipoInter>ETHE</tipoInter>"
            "<grupo><vazio/><valor>a&lt;b</valor></grupo></config>");
}

TEST(Xml, WritesIndentedTwoBlanksPerLevelWithTheDeclarationCarriedOver) {
  const XmlDeclaration declaration{.encoding = "", .standalone = "yes"};
  EXPECT_EQ(writeXml(sampleTree(), XmlLayout::Indented, declaration),
            "<?xml version=\"1.0\" standalone=\"yes\"?>\r\n"
            "<config id=\"1\">\r\n"
            "  <tipoInter>ETHE</tipoInter>\r\n"
            "  <grupo>\r\n"
            "    <vazio/>\r\n"
            "    <valor>a&lt;b</valor>\r\n"
            "  </grupo>\r\n"
            "</config>\r\n");
  EXPECT_EQ(writeXml(XmlElement{.name = "a"}, XmlLayout::Compact, {.present = false}), "<a/>");
}

TEST(Xml, EveryValueSurvivesWritingAndParsingAgain) {
  const std::string values[] = {
      "&<>\"'",
      "tab\there, line\nbreak, return\r, both\r\n",
      "]]> and &amp; literally",
      "A\xC3\xA7\xC3\xA3o \xE2\x82\xAC \xF0\x9F\x98\x80",
      "  blanks at both ends  ",
      "private use \xEE\x80\x80t and \xEE\x80\x80\xEE\x80\x80 \xEE\x80\x80",
  };
  for (const XmlCharacters characters : {XmlCharacters::Utf8, XmlCharacters::AsciiWithReferences}) {
    for (const XmlLayout layout : {XmlLayout::Compact, XmlLayout::Indented}) {
      for (const std::string& value : values) {
        const XmlElement original{.name = "r", .attributes = {{"v", value}}, .text = value};
        const std::string written = writeXml(original, layout, {}, characters);
        const XmlElement read = parseXml(written);
        EXPECT_EQ(*read.attribute("v"), value) << written;
        EXPECT_EQ(read.text, value) << written;
      }
    }
  }
}

TEST(Xml, AsciiWithReferencesWritesOnlyAscii) {
  const XmlElement element{.name = "r", .attributes = {{"v", "\xC3\xA9"}}, .text = "\xE2\x82\xAC"};
  EXPECT_EQ(
      writeXml(element, XmlLayout::Compact, {.present = false}, XmlCharacters::AsciiWithReferences),
      "<r v=\"&#233;\">&#8364;</r>");
}

TEST(Xml, CharactersXmlCannotCarryAreWrittenAsReplacementCharacters) {
  const XmlElement element{.name = "r",
                           .attributes = {{"v", std::string("a\x01", 2)}},
                           .text = std::string("\0b\xFF", 3)};
  const std::string written = writeXml(element, XmlLayout::Compact, {.present = false});
  EXPECT_EQ(written,
            "<r v=\"a\xEF\xBF\xBD\">\xEF\xBF\xBD"
            "b\xEF\xBF\xBD</r>");
  EXPECT_NO_THROW(parseXml(written));
}

TEST(Xml, RefusesEveryDocumentWithADoctypeSoNoEntityIsEverResolved) {
  const std::filesystem::path secret =
      std::filesystem::temp_directory_path() / "quorvel-xml-test-secret.txt";
  std::ofstream(secret) << "SEGREDO";
  const std::string secretUri = "file:///" + secret.generic_string();
  const std::string documents[] = {
      "<!DOCTYPE a [<!ENTITY x SYSTEM \"" + secretUri + "\">]><a>&x;</a>",
      "<!DOCTYPE a [<!ENTITY % p SYSTEM \"" + secretUri + "\"> %p;]><a/>",
      "<!DOCTYPE a SYSTEM \"" + secretUri + "\"><a/>",
      "<!DOCTYPE a [<!ENTITY x \"interno\">]><a>&x;</a>",
      "<!DOCTYPE a [<!ENTITY l \"lol\"><!ENTITY l2 \"&l;&l;&l;&l;\">]><a>&l2;</a>",
      "<!DOCTYPE a><a/>",
  };
  // The refusal says why, on both readers, so the damaged-file message does.
  for (const std::string& document : documents) {
    try {
      parseXml(document);
      ADD_FAILURE() << "accepted: " << document;
    } catch (const XmlError& error) {
      EXPECT_NE(std::string(error.what()).find("DOCTYPE não é aceito"), std::string::npos)
          << error.what();
    }
  }
  std::filesystem::remove(secret);
}

TEST(Xml, MalformedDocumentsThrowXmlError) {
  const std::string documents[] = {
      "",
      "texto",
      "<a>",
      "<a></b>",
      "<a/><b/>",
      "<a/>resto",
      "<a>&indefinida;</a>",
      "<a x=\"1\" x=\"2\"/>",
      "<a x=1/>",
      std::string("<a>\x01</a>"),
      "<a>\xFF</a>",
      "<a>&#0;</a>",
      "<a><b>texto cortado",
      "<DATAPACKET Version=\"2.0\"><METADATA>cut off here",
      // Cut inside or right after the declaration.
      "<?x",
      "<?xm",
      "<?xml",
      "<?xml version=\"1.0\" standalone=\"yes\"?>",
      "<?xml version=\"1.0\" standalone=\"yes\"?>  ",
      "<?xml version=\"1.0\"?><!-- só um comentário -->",
  };
  for (const std::string& document : documents) {
    EXPECT_THROW(parseXml(document), XmlError) << document;
  }
}

TEST(Xml, BlanksBeforeTheRootOfADocumentWithoutDeclarationAreAllowed) {
  for (const char* document :
       {" <a x=\"1\"/>", "\r\n<a x=\"1\"/>", "\t\n <!-- c --> <a x=\"1\"/>"}) {
    const XmlElement root = parseXml(document);
    EXPECT_EQ(root.name, "a") << document;
    ASSERT_NE(root.attribute("x"), nullptr) << document;
  }
}

TEST(Xml, RefusesNestingDeeperThanTheLimit) {
  const auto nested = [](int depth) {
    std::string document;
    for (int level = 0; level < depth; ++level) document += "<e>";
    for (int level = 0; level < depth; ++level) document += "</e>";
    return document;
  };
  EXPECT_NO_THROW(parseXml(nested(100)));
  EXPECT_THROW(parseXml(nested(100000)), XmlError);
}

}  // namespace
}  // namespace platform
