#include <gtest/gtest.h>

#include <string>

#include "platform/Files.h"
#include "platform/Text.h"
#include "support/TemporaryFolder.h"
#include "ui/Controls.h"
#include "ui/TextSource.h"

namespace {

using ui::SourceText;
using ui::TextLines;
using ui::TextSearch;

// Texts as memos hold them, and the odd ones a memo may be given.
const std::u16string kTexts[] = {
    u"",
    u"\r\n",
    u"uma linha\r\n",
    u"AÇÃO\r\n\r\nação e Ação\r\nfim\r\n",
    u"sem fim de linha\r\núltima",
    u"LF só\nnão corta\r\nCR\rtambém não\r\n",
};

// A source's positions are those of the text an edit would hold: every place
// in it is found, copied and searched as in the one string.
TEST(SourceText, PositionsCopiesAndFindsAsInTheWholeText) {
  const TextSearch searches[] = {
      {u"ação", false, false, true},       {u"ação", false, false, false},
      {u"Ação", true, false, true},        {u"ação", false, true, false},
      {u"n", false, false, true},          {u"n", false, false, false},
      {u"não existe", false, false, true},
  };
  for (const std::u16string& original : kTexts) {
    SCOPED_TRACE(platform::toUtf8(original));
    const TextLines lines(original);
    const SourceText text(lines);
    // The text a source stands for: each line followed by CR LF.
    std::u16string whole = original;
    if (!whole.empty() && !whole.ends_with(u"\r\n")) whole += u"\r\n";
    EXPECT_EQ(ui::wholeText(lines), whole);
    ASSERT_EQ(text.size(), whole.size());
    for (std::size_t count = 0; count <= whole.size(); ++count) {
      std::u16string copied(count, u'#');
      text.copyStart(count, copied.data());
      EXPECT_EQ(copied, whole.substr(0, count));
    }
    for (std::size_t line = 0; line < lines.lineCount(); ++line) {
      EXPECT_EQ(text.lineOf(text.lineStart(line)), line);
      std::u16string made;
      lines.appendLine(line, made);
      EXPECT_EQ(made.size(), lines.lineLength(line));
      EXPECT_LE(made.size(), lines.longestLineBound());
      EXPECT_EQ(whole.substr(text.lineStart(line), made.size() + 2), made + u"\r\n");
    }
    for (const TextSearch& search : searches) {
      for (std::size_t from = 0; from <= whole.size() + 1; ++from) {
        EXPECT_EQ(text.find(search, from), ui::findText(whole, search, from))
            << "from " << from << (search.down ? " down" : " up");
      }
    }
  }
}

TEST(SourceText, MemosGiveTheirOwnTextOrTheirSourcesAndSaveItLineByLine) {
  ui::Memo memo("MemoLogs", nullptr);
  memo.setText(u"própria\r\núltima");
  EXPECT_EQ(ui::wholeText(memo), u"própria\r\núltima") << "the memo's own text as it is";

  const std::u16string kept = u"da fonte\r\nção\r\n";
  memo.setSource(std::make_shared<TextLines>(kept));
  EXPECT_EQ(memo.text(), u"");
  EXPECT_EQ(ui::wholeText(memo), kept);

  testing_support::TemporaryFolder folder;
  const auto file = folder.path() / "memo.txt";
  ui::writeLines(*ui::linesOf(memo), file);
  EXPECT_EQ(platform::readFile(file), "da fonte\r\n\xe7\xe3o\r\n") << "ANSI, CR LF after each";

  memo.clear();
  EXPECT_EQ(memo.source(), nullptr) << "clearing drops the source";
  EXPECT_EQ(ui::wholeText(memo), u"");
  memo.setSource(std::make_shared<TextLines>(kept));
  memo.setText(u"outra");
  EXPECT_EQ(ui::wholeText(memo), u"outra") << "a text of its own replaces the source";
}

}  // namespace
