#include <gtest/gtest.h>

#include "page/AnswerFields.h"

namespace {

using Fields = std::vector<std::string>;

TEST(ExtractStrings2, SplitsKeepingEveryEmptyField) {
  const struct {
    const char* content;
    Fields expected;
  } cases[] = {
      {"", {}},
      {"|", {"", ""}},
      {"a||b|", {"a", "", "b", ""}},
      {"123456|08000|SAT em operação||", {"123456", "08000", "SAT em operação", "", ""}},
      {"\"a|b\"", {"\"a", "b\""}},
      {" a | b ", {" a ", " b "}},
  };
  for (const auto& c : cases) {
    Fields fields{"kept"};
    const int added = page::ExtractStrings2("|", "", c.content, &fields);
    EXPECT_EQ(added, static_cast<int>(c.expected.size())) << c.content;
    Fields expected{"kept"};
    expected.insert(expected.end(), c.expected.begin(), c.expected.end());
    EXPECT_EQ(fields, expected) << c.content;
  }
}

TEST(ExtractStrings2, SkipsWhiteSpaceOnlyAtTheStartOfAField) {
  Fields fields;
  EXPECT_EQ(page::ExtractStrings2("\n", " ", "  a b\n c", &fields), 2);
  EXPECT_EQ(fields, (Fields{"a b", "c"}));
  EXPECT_EQ(page::ExtractStrings2("|", "", "a|b", nullptr), 0);
}

TEST(AnswerFields, AskingPastTheLastFieldThrows) {
  const page::AnswerFields fields("1|2");
  EXPECT_EQ(fields.count(), 2u);
  EXPECT_EQ(fields[1], "2");
  EXPECT_THROW(fields[2], std::out_of_range);
  EXPECT_THROW(page::AnswerFields("")[0], std::out_of_range);
}

}  // namespace
