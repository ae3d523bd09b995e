#include "page/AnswerFields.h"

#include <algorithm>
#include <stdexcept>

namespace page {

int ExtractStrings2(std::string_view Separators, std::string_view WhiteSpace,
                    std::string_view Content, std::vector<std::string>* Strings) {
  if (Content.empty() || !Strings) return 0;
  std::vector<std::string> batch;
  std::size_t position = 0;
  for (;;) {
    while (position < Content.size() &&
           WhiteSpace.find(Content[position]) != std::string_view::npos) {
      ++position;
    }
    std::size_t end = Content.find_first_of(Separators, position);
    if (end == std::string_view::npos) end = Content.size();
    batch.emplace_back(Content.substr(position, end - position));
    if (end == Content.size()) break;
    position = end + 1;
  }
  Strings->insert(Strings->end(), std::make_move_iterator(batch.begin()),
                  std::make_move_iterator(batch.end()));
  return static_cast<int>(batch.size());
}

namespace {

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

AnswerFields::AnswerFields(std::string_view answer) : shownAnswer_(startOf(answer)) {
  ExtractStrings2("|", "", answer, &fields_);
}

const std::string& AnswerFields::operator[](std::size_t index) const {
  if (index >= fields_.size()) {
    // Fields are counted from 1 for people: index 1 is the answer's second field.
    throw MissingAnswerField("A resposta do SAT não tem o campo " + std::to_string(index + 1) +
                             ".\r\nResposta recebida: \"" + shownAnswer_ + "\"");
  }
  return fields_[index];
}

bool carriesValidationCode(const AnswerFields& CamposRetorno) {
  if (CamposRetorno.count() <= 2) return true;
  const std::string& field = CamposRetorno[2];
  return std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace page
