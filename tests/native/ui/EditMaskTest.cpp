#include "ui/EditMask.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ui::EditMask;
using ui::MaskSelection;

const EditMask cnpj(u"99.999.999/9999-99;0;_");
const std::u16string kEmptyCnpj = u"__.___.___/____-__";

TEST(EditMaskTest, DisplayAndTextOfStoredDigits) {
  struct Case {
    std::u16string mask, stored, shown, text;
  };
  const Case cases[] = {
      {u"99.999.999/9999-99;0;_", u"", kEmptyCnpj, u""},
      {u"99.999.999/9999-99;0;_", u"12345678000195", u"12.345.678/0001-95", u"12345678000195"},
      {u"99.999.999/9999-99;0;_", u"1234", u"12.34_.___/____-__", u"1234"},
      // Digits beyond the slots are dropped; stray punctuation is skipped.
      {u"99.999.999/9999-99;0;_", u"12.345.678/0001-9512", u"12.345.678/0001-95",
       u"12345678000195"},
      {u"999.999.999.999;0;_", u"192168001010", u"192.168.001.010", u"192168001010"},
      {u"999.999.999.999;0; ", u"19216", u"192.16 .   .   ", u"19216"},
      // With the literals kept, the text is what the field shows, blanks as spaces.
      {u"99/99;1;_", u"12/3", u"12/3_", u"12/3 "},
  };
  for (const Case& c : cases) {
    const EditMask mask(c.mask);
    EXPECT_EQ(mask.display(c.stored), c.shown) << std::string(c.stored.begin(), c.stored.end());
    EXPECT_EQ(mask.text(c.shown), c.text);
  }
}

TEST(EditMaskTest, TextDropsBlanksBetweenDigits) {
  EXPECT_EQ(cnpj.text(u"12.___.678/____-95"), u"1267895");
}

struct EditCase {
  const char* what;
  std::u16string before;
  MaskSelection selection;
  std::u16string after;
  std::size_t caret;
  bool changed;
};

void expectEdit(const EditCase& c, const ui::MaskEditResult& result) {
  EXPECT_EQ(result.changed, c.changed) << c.what;
  if (!c.changed) return;
  EXPECT_EQ(result.display, c.after) << c.what;
  EXPECT_EQ(result.caret, c.caret) << c.what;
}

TEST(EditMaskTest, TypingFillsSlotsSkipsLiteralsAndOverwrites) {
  const std::pair<EditCase, char16_t> cases[] = {
      {{"first digit", kEmptyCnpj, {0, 0}, u"1_.___.___/____-__", 1, true}, u'1'},
      {{"caret jumps over the dot", u"1_.___.___/____-__", {1, 0}, u"12.___.___/____-__", 3, true},
       u'2'},
      {{"typed at a literal lands in the next slot",
        u"12.___.___/____-__",
        {2, 0},
        u"12.3__.___/____-__",
        4,
        true},
       u'3'},
      {{"a filled slot is overwritten",
        u"12.345.678/0001-95",
        {3, 0},
        u"12.945.678/0001-95",
        4,
        true},
       u'9'},
      {{"the last slot puts the caret at the end",
        u"12.345.678/0001-9_",
        {17, 0},
        u"12.345.678/0001-95",
        18,
        true},
       u'5'},
      {{"nothing after the last slot", u"12.345.678/0001-95", {18, 0}, u"", 0, false}, u'1'},
      {{"a letter is refused", kEmptyCnpj, {0, 0}, u"", 0, false}, u'a'},
      {{"a space is refused", kEmptyCnpj, {0, 0}, u"", 0, false}, u' '},
      {{"typing over a selection blanks it first",
        u"12.345.678/0001-95",
        {1, 5},
        u"17.___.678/0001-95",
        3,
        true},
       u'7'},
  };
  for (const auto& [c, typed] : cases) expectEdit(c, cnpj.type(c.before, c.selection, typed));
}

TEST(EditMaskTest, BackspaceAndDeleteBlankSlotsAndLeaveLiterals) {
  const EditCase backspaces[] = {
      {"blanks the previous digit", u"12.3__.___/____-__", {4, 0}, u"12.___.___/____-__", 3, true},
      {"moves back over the dot", u"12.___.___/____-__", {3, 0}, u"1_.___.___/____-__", 1, true},
      {"at the start does nothing", u"12.___.___/____-__", {0, 0}, u"", 0, false},
      {"blanks a selection, literals stay",
       u"12.345.678/0001-95",
       {0, 7},
       u"__.___.678/0001-95",
       0,
       true},
  };
  for (const auto& c : backspaces) expectEdit(c, cnpj.backspace(c.before, c.selection));

  const EditCase deletes[] = {
      {"blanks the digit at the caret",
       u"12.345.678/0001-95",
       {3, 0},
       u"12._45.678/0001-95",
       4,
       true},
      {"at a literal blanks the next slot",
       u"12.345.678/0001-95",
       {2, 0},
       u"12._45.678/0001-95",
       4,
       true},
      {"at the end does nothing", u"12.345.678/0001-95", {18, 0}, u"", 0, false},
      {"blanks a selection", u"12.345.678/0001-95", {11, 7}, u"12.345.678/____-__", 11, true},
  };
  for (const auto& c : deletes) expectEdit(c, cnpj.deleteForward(c.before, c.selection));
}

TEST(EditMaskTest, PastePlacesDigitsFromTheCaret) {
  const std::pair<EditCase, std::u16string> cases[] = {
      {{"a formatted CNPJ", kEmptyCnpj, {0, 0}, u"12.345.678/0001-95", 18, true},
       u"12.345.678/0001-95"},
      {{"digits only", kEmptyCnpj, {0, 0}, u"12.345.678/0001-95", 18, true}, u"12345678000195"},
      {{"from the middle, surplus dropped", kEmptyCnpj, {11, 0}, u"__.___.___/1234-56", 18, true},
       u"12345678"},
      {{"replacing a selection", u"12.345.678/0001-95", {0, 6}, u"98.7__.678/0001-95", 4, true},
       u"987"},
      {{"no digits at all is refused", u"12.345.678/0001-95", {0, 18}, u"", 0, false}, u"abc"},
  };
  for (const auto& [c, pasted] : cases) expectEdit(c, cnpj.paste(c.before, c.selection, pasted));
}

TEST(EditMaskTest, CaretSkipsLiterals) {
  EXPECT_EQ(cnpj.caretHome(), 0u);
  EXPECT_EQ(cnpj.caretEnd(), 18u);
  EXPECT_EQ(cnpj.caretRight(1), 3u);
  EXPECT_EQ(cnpj.caretRight(0), 1u);
  EXPECT_EQ(cnpj.caretRight(17), 18u);
  EXPECT_EQ(cnpj.caretRight(18), 18u);
  EXPECT_EQ(cnpj.caretLeft(3), 1u);
  EXPECT_EQ(cnpj.caretLeft(11), 9u);
  EXPECT_EQ(cnpj.caretLeft(0), 0u);
  const EditMask leadingLiteral(u"(99);0;_");
  EXPECT_EQ(leadingLiteral.caretHome(), 1u);
  EXPECT_EQ(leadingLiteral.caretLeft(1), 1u);
  EXPECT_EQ(leadingLiteral.caretEnd(), 3u);
  EXPECT_EQ(leadingLiteral.caretRight(4), 3u);
}

TEST(EditMaskTest, EmptyMaskHasNoSlots) {
  const EditMask none(u"");
  EXPECT_TRUE(none.empty());
  EXPECT_FALSE(none.type(u"", {0, 0}, u'1').changed);
}

}  // namespace
