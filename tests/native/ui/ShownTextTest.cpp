#include <gtest/gtest.h>

#include "platform/Text.h"
#include "ui/ShownText.h"

namespace {

// What a read-only memo hands the system: Portuguese text as it is, anything
// that needs shaping or hides in the text as U+FFFD, unit for unit.
TEST(ShownText, KeepsPortugueseAndReplacesWhatNeedsShapingUnitForUnit) {
  const struct {
    const char16_t* text;
    const char16_t* drawn;
  } cases[] = {
      {u"<xNome>Padaria São João</xNome>\r\n\tR$ 10,00 – “ok” € ™",
       u"<xNome>Padaria São João</xNome>\r\n\tR$ 10,00 – “ok” € ™"},
      {u"Ação Ñ ŝ ǅ \uFFFD", u"Ação Ñ ŝ ǅ \uFFFD"},
      // An Arabic mark before a Syriac, a Thaana and an N'Ko letter.
      {u"a\u064D\u071C \u064D\u0780 \u064D\u07CA", u"a\uFFFD\uFFFD \uFFFD\uFFFD \uFFFD\uFFFD"},
      {u"\u05D0\u0628\u0915\u0E01\u4E2D", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
      {u"e\u0301 \u20D7", u"e\uFFFD \uFFFD"},
      {u"\u200E\u202E\u2066\u2028\u200B", u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD"},
      {u"a\x01\x1B\x7F\x85z", u"a\uFFFD\uFFFD\uFFFD\uFFFDz"},
      // A supplementary character is two units, and a lone surrogate one.
      {u"\U0001F600|\xD800|", u"\uFFFD\uFFFD|\uFFFD|"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(platform::toUtf8(ui::drawnWithoutShaping(c.text)), platform::toUtf8(c.drawn))
        << platform::toUtf8(c.text);
  }
  const std::u16string withNul(u"antes\0depois", 12);
  EXPECT_EQ(ui::drawnWithoutShaping(withNul), u"antes\uFFFDdepois") << "a NUL ends no text";
}

}  // namespace
