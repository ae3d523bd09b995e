#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "ui/TextSearch.h"

namespace {

using ui::findText;
using ui::TextSearch;

struct SearchCase {
  const char* what_it_shows;
  std::u16string text;
  TextSearch search;
  std::size_t from;
  std::optional<std::size_t> found;
};

// Test names show what a case is about, not its bytes.
void PrintTo(const SearchCase& c, std::ostream* out) {
  *out << c.what_it_shows;
}

class FindText : public testing::TestWithParam<SearchCase> {};

TEST_P(FindText, FindsWhatTheFindDialogAsksFor) {
  const SearchCase& c = GetParam();
  EXPECT_EQ(findText(c.text, c.search, c.from), c.found) << c.what_it_shows;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FindText,
    testing::Values(
        SearchCase{"down from the start", u"erro|aviso|erro", {u"erro"}, 0, 0},
        SearchCase{"down skips the match before `from`", u"erro|aviso|erro", {u"erro"}, 1, 11},
        SearchCase{"case does not matter by default", u"SAT em OPERAÇÃO", {u"operação"}, 0, 7},
        SearchCase{"unless asked", u"SAT em OPERAÇÃO", {u"operação", true}, 0, std::nullopt},
        SearchCase{"whole words only", u"rede|redes|rede", {u"rede", false, true}, 1, 11},
        SearchCase{
            "a word ends at an accented letter too", u"açãoX ação", {u"ação", false, true}, 0, 6},
        SearchCase{"up finds the last match ending before `from`",
                   u"a|b|a|b",
                   {u"a", false, false, false},
                   5,
                   4},
        SearchCase{"up from the end", u"a|b|a|b", {u"b", false, false, false}, 7, 6},
        SearchCase{"up with nothing before", u"xa", {u"a", false, false, false}, 1, std::nullopt},
        SearchCase{"longer than the text", u"ab", {u"abc"}, 0, std::nullopt},
        SearchCase{"nothing to find", u"ab", {u""}, 0, std::nullopt},
        SearchCase{"`from` past the end", u"ab", {u"a"}, 9, std::nullopt}));

// A line near the end of a log of many megabytes is found in one pass.
TEST(FindTextInALongLog, FindsALineNearTheEnd) {
  std::u16string log;
  const std::u16string line = u"20261210101010|SAT|info|Recebida mensagem de consulta\r\n";
  while (log.size() < 20'000'000) log += line;
  const std::size_t failure = log.size() + 26;
  log += u"20261210235959|SEFAZ|erro|Falha na comunicação\r\n";
  log += line;
  EXPECT_EQ(findText(log, {u"FALHA NA COMUNICAÇÃO"}, 0), failure);
}

}  // namespace
