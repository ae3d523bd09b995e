// The answer split: ExtractStrings2 with any separators and blanks, and the
// fields of an answer as every page reads them.
#include <fuzzer/FuzzedDataProvider.h>

#include <stdexcept>

#include "FuzzExpect.h"
#include "page/AnswerFields.h"

namespace {

using fuzzing::expect;

bool holdsAnyOf(std::string_view text, std::string_view characters) {
  return text.find_first_of(characters) != std::string_view::npos;
}

// Without blanks to skip, the fields and the separators between them are the
// content again, byte for byte.
void expectContentRebuilt(std::string_view separators, std::string_view content,
                          const std::vector<std::string>& fields) {
  std::size_t position = 0;
  for (std::size_t index = 0; index < fields.size(); ++index) {
    expect(content.substr(position, fields[index].size()) == fields[index], "field out of place");
    position += fields[index].size();
    if (index + 1 == fields.size()) break;
    expect(position < content.size() && separators.find(content[position]) != separators.npos,
           "fields not parted by a separator");
    ++position;
  }
  expect(position == content.size(), "fields stop before the content's end");
}

void checkExtractStrings2(std::string_view separators, std::string_view whiteSpace,
                          std::string_view content) {
  expect(page::ExtractStrings2(separators, whiteSpace, content, nullptr) == 0,
         "fields counted without a list");
  const std::string kEarlier = "earlier field";
  std::vector<std::string> strings{kEarlier};
  const int added = page::ExtractStrings2(separators, whiteSpace, content, &strings);
  expect(added >= 0 && strings.size() == 1 + static_cast<std::size_t>(added),
         "count differs from the fields added");
  expect(strings.front() == kEarlier, "an earlier field changed");
  expect(content.empty() == (added == 0), "empty content and no fields differ");
  const std::vector<std::string> fields(strings.begin() + 1, strings.end());
  for (const std::string& field : fields) {
    expect(!holdsAnyOf(field, separators), "a field holds a separator");
    expect(field.empty() || whiteSpace.find(field.front()) == whiteSpace.npos,
           "a field starts with a blank");
  }
  if (whiteSpace.empty() && !content.empty()) expectContentRebuilt(separators, content, fields);
}

void checkAnswerFields(std::string_view answer) {
  std::vector<std::string> expected;
  page::ExtractStrings2("|", "", answer, &expected);
  const page::AnswerFields fields(answer);
  expect(fields.count() == expected.size(), "answer field count differs from the split");
  for (std::size_t index = 0; index < fields.count(); ++index)
    expect(fields[index] == expected[index], "answer field differs from the split");
  try {
    (void)fields[fields.count()];
    fuzzing::fail("a field past the end was given");
  } catch (const std::out_of_range&) {
    // Documented: asking past the end throws, as a list does.
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string separators = input.ConsumeRandomLengthString(4);
  const std::string whiteSpace = input.ConsumeRandomLengthString(4);
  const std::string content = input.ConsumeRemainingBytesAsString();
  checkExtractStrings2(separators, whiteSpace, content);
  checkAnswerFields(content);
  return 0;
}
