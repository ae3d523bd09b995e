#include <gtest/gtest.h>

#include "platform/Text.h"

namespace {

TEST(Utf8Decoding, ReplacesEveryMalformedSequenceAndGoesOn) {
  const struct {
    std::string bytes;
    std::u16string expected;
  } cases[] = {
      {"SAT em opera\xc3\xa7\xc3\xa3o", u"SAT em operação"},
      {"\xe2\x82\xac 1", u"€ 1"},
      {"\xf0\x9f\x98\x80", u"\U0001F600"},
      {"a\xffz", u"a\uFFFDz"},          // a byte that never starts a sequence
      {"a\xc3", u"a\uFFFD"},            // cut at the end
      {"\xc3(", u"\uFFFD("},            // a lead byte without its continuation
      {"\xe2\x82(", u"\uFFFD("},        // one replacement for the bad prefix
      {"\xc0\xaf", u"\uFFFD\uFFFD"},    // overlong
      {"\xed\xa0\x80", u"\uFFFD"},      // an encoded surrogate
      {"\xe7\xe3o", u"\uFFFD\uFFFDo"},  // Windows-1252 text read as UTF-8
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::fromUtf8(c.bytes), c.expected) << c.bytes;
    EXPECT_EQ(platform::utf16Length(c.bytes), c.expected.size()) << c.bytes;
  }
  EXPECT_EQ(platform::toUtf8(u"ação \U0001F600"), "a\xc3\xa7\xc3\xa3o \xf0\x9f\x98\x80");
  EXPECT_EQ(platform::toUtf8(std::u16string(1, u'\xD800')), "\xef\xbf\xbd");
}

// A status line of a 27 MB answer decodes a few hundred bytes of it, and
// gives what decoding it all would give, however the cut falls.
TEST(Utf8Decoding, TheStartOfALongTextIsDecodedFromItsStartAlone) {
  std::string bytes;
  for (int i = 0; i < 200; ++i) bytes += "a\xc3\xa7\xf0\x9f\x98\x80\xff\xf4\x90\x80\x80\xe2\x82";
  const std::u16string whole = platform::fromUtf8(bytes);
  for (std::size_t units = 0; units <= 120; ++units) {
    EXPECT_EQ(platform::fromUtf8Start(bytes, units), whole.substr(0, units)) << units;
  }
  EXPECT_EQ(platform::fromUtf8Start("ação", 10), u"ação") << "a short text whole";
}

TEST(Trimmed, RemovesControlCharactersAndBlanksAtBothEndsOnly) {
  EXPECT_EQ(platform::trimmed(u"\t\r\n 12 34\x01 "), u"12 34");
  EXPECT_EQ(platform::trimmed(u"   "), u"");
  EXPECT_EQ(platform::trimmed(u"\u00A0x\u00A0"), u"\u00A0x\u00A0") << "only codes 0 to 32 go";
}

#ifndef _WIN32
// Away from Windows the code page is Windows-1252.
TEST(AnsiCodePage, IsWindows1252) {
  EXPECT_EQ(platform::toAnsi(u"Ativação €‚Š"), "Ativa\xe7\xe3o \x80\x82\x8a");
  EXPECT_EQ(platform::fromAnsi("Ativa\xe7\xe3o \x80\x82\x8a\x81"), u"Ativação €‚Š\u0081");
  // What the code page lacks becomes one '?', a pair of surrogates included.
  EXPECT_EQ(platform::toAnsi(u"中\U0001F600″"), "???");
  for (int b = 0; b < 256; ++b) {
    const std::string byte(1, static_cast<char>(b));
    EXPECT_EQ(platform::toAnsi(platform::fromAnsi(byte)), byte) << b;
  }
}
#endif

}  // namespace
