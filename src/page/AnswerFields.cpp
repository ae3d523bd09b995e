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

bool isFourDigitCode(std::string_view field) {
  return field.size() == 4 &&
         std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

AnswerFields::AnswerFields(std::string_view answer) {
  ExtractStrings2("|", "", answer, &fields_);
}

const std::string& AnswerFields::operator[](std::size_t index) const {
  if (index >= fields_.size()) {
    throw std::out_of_range("Índice de lista fora dos limites (" + std::to_string(index) + ").");
  }
  return fields_[index];
}

}  // namespace page
