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

// The report names the missing field as people count and shows the answer,
// cut before a character when it is long.
TEST(AnswerFields, AskingPastTheLastFieldSaysWhichFieldTheAnswerLacks) {
  const page::AnswerFields fields("1|2");
  EXPECT_EQ(fields.count(), 2u);
  EXPECT_EQ(fields[1], "2");
  try {
    (void)fields[2];
    FAIL() << "a missing field was read";
  } catch (const page::MissingAnswerField& missing) {
    EXPECT_STREQ(missing.what(),
                 "A resposta do SAT não tem o campo 3.\r\nResposta recebida: \"1|2\"");
  }
  const std::string accented = std::string(199, 'a') + "\xc3\xa7" + std::string(100, 'b');
  try {
    (void)page::AnswerFields(accented)[5];
    FAIL() << "a missing field was read";
  } catch (const page::MissingAnswerField& missing) {
    EXPECT_TRUE(std::string(missing.what()).ends_with(std::string(199, 'a') + " ...\""))
        << missing.what();
  }
  EXPECT_THROW(page::AnswerFields("")[0], std::out_of_range);
}

// A page that keeps a field keeps the answer's own bytes when the fields
// share them, and a copy when they only view a text of the caller's.
TEST(AnswerFields, AKeptFieldIsTheAnswersOwnBytesOrACopy) {
  const auto answer = std::make_shared<std::string>("1|15000|ok|||TG9n");
  const page::AnswerFields shared(answer);
  const page::KeptField kept = shared.keep(5);
  EXPECT_EQ(kept.bytes.data(), answer->data() + 13);
  EXPECT_EQ(std::string_view(kept.bytes.data(), kept.bytes.size()), "TG9n");

  const std::string text = *answer;
  const page::KeptField copied = page::AnswerFields(text).keep(5);
  EXPECT_NE(copied.bytes.data(), text.data() + 13);
  EXPECT_EQ(std::string_view(copied.bytes.data(), copied.bytes.size()), "TG9n");
  EXPECT_THROW(shared.keep(6), page::MissingAnswerField);
}

}  // namespace
