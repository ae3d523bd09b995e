#include "page/AnswerFields.h"

#include <stdexcept>

#include "platform/Text.h"

namespace page {

namespace {

// Where the next separator (or the end) is. Answers are split at one
// separator, and a log's answer is tens of megabytes of one field: the search
// for one character is memchr, a machine word or more at a time.
std::size_t nextSeparator(std::string_view separators, std::string_view content, std::size_t from) {
  const std::size_t found = separators.size() == 1 ? content.find(separators[0], from)
                                                   : content.find_first_of(separators, from);
  return found == std::string_view::npos ? content.size() : found;
}

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
  std::size_t position = 0;
  for (;;) {
    while (position < Content.size() &&
           WhiteSpace.find(Content[position]) != std::string_view::npos) {
      ++position;
    }
    const std::size_t end = nextSeparator(Separators, Content, position);
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
  return CamposRetorno.count() <= 2 || platform::allDigits(CamposRetorno[2]);
}

bool validationCodeFirst(const AnswerFields& CamposRetorno) {
  return CamposRetorno.count() > 3 && CamposRetorno[2].size() == 4 &&
         platform::allDigits(CamposRetorno[2]);
}

}  // namespace page
