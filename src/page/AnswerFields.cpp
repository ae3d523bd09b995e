#include "page/AnswerFields.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <stdexcept>

namespace page {

namespace {

// Where the next separator (or the end) is. Answers are split at one
// separator, and a log's answer is tens of megabytes of one field: memchr
// finds that one a machine word or more at a time.
class SeparatorFinder {
 public:
  explicit SeparatorFinder(std::string_view separators) : single_(separators.size() == 1) {
    for (const char c : separators) isSeparator_[static_cast<unsigned char>(c)] = true;
    if (single_) separator_ = separators[0];
  }
  std::size_t next(std::string_view content, std::size_t from) const {
    if (single_) {
      const void* found = std::memchr(content.data() + from, separator_, content.size() - from);
      return found ? static_cast<std::size_t>(static_cast<const char*>(found) - content.data())
                   : content.size();
    }
    while (from < content.size() && !isSeparator_[static_cast<unsigned char>(content[from])])
      ++from;
    return from;
  }

 private:
  std::array<bool, 256> isSeparator_{};
  bool single_;
  char separator_ = 0;
};

// Enough of an answer to recognise it in a report (a log's answer runs to
// megabytes), cut before a character rather than inside one.
std::string startOf(std::string_view answer) {
  constexpr std::size_t kShown = 200;
  if (answer.size() <= kShown) return std::string(answer);
  std::size_t cut = kShown;
  while (cut > 0 && (static_cast<unsigned char>(answer[cut]) & 0xC0) == 0x80) --cut;
  return std::string(answer.substr(0, cut)) + " ...";
}

}  // namespace

std::vector<std::string_view> splitFields(std::string_view Separators, std::string_view WhiteSpace,
                                          std::string_view Content) {
  std::vector<std::string_view> fields;
  if (Content.empty()) return fields;
  const SeparatorFinder separators(Separators);
  std::size_t position = 0;
  for (;;) {
    while (position < Content.size() &&
           WhiteSpace.find(Content[position]) != std::string_view::npos) {
      ++position;
    }
    const std::size_t end = separators.next(Content, position);
    fields.push_back(Content.substr(position, end - position));
    if (end == Content.size()) break;
    position = end + 1;
  }
  return fields;
}

int ExtractStrings2(std::string_view Separators, std::string_view WhiteSpace,
                    std::string_view Content, std::vector<std::string>* Strings) {
  if (Content.empty() || !Strings) return 0;
  const std::vector<std::string_view> fields = splitFields(Separators, WhiteSpace, Content);
  Strings->insert(Strings->end(), fields.begin(), fields.end());
  return static_cast<int>(fields.size());
}

AnswerFields::AnswerFields(std::string_view answer)
    : answer_(answer), fields_(splitFields("|", "", answer)) {}

AnswerFields::AnswerFields(std::shared_ptr<std::string> answer)
    : shared_(std::move(answer)), answer_(*shared_), fields_(splitFields("|", "", answer_)) {}

std::string_view AnswerFields::operator[](std::size_t index) const {
  if (index >= fields_.size()) {
    // Fields are counted from 1 for people: index 1 is the answer's second field.
    throw MissingAnswerField("A resposta do SAT não tem o campo " + std::to_string(index + 1) +
                             ".\r\nResposta recebida: \"" + startOf(answer_) + "\"");
  }
  return fields_[index];
}

KeptField AnswerFields::keep(std::size_t index) const {
  const std::string_view field = (*this)[index];
  if (shared_) {
    const auto offset = static_cast<std::size_t>(field.data() - shared_->data());
    return {shared_, {shared_->data() + offset, field.size()}};
  }
  auto copy = std::make_shared<std::string>(field);
  return {copy, {copy->data(), copy->size()}};
}

bool carriesValidationCode(const AnswerFields& CamposRetorno) {
  if (CamposRetorno.count() <= 2) return true;
  const std::string_view field = CamposRetorno[2];
  return std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace page
