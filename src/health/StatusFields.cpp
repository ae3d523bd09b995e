#include "health/StatusFields.h"

namespace health {

namespace {

// The answer's length without LISTA_FINAL.
constexpr std::size_t kFieldsWithoutListaFinal = 27;

}  // namespace

StatusFields::StatusFields(std::string_view answer) {
  for (;;) {
    const std::size_t bar = answer.find('|');
    fields_.push_back(answer.substr(0, bar));
    if (bar == std::string_view::npos) break;
    answer.remove_prefix(bar + 1);
  }
  withoutListaFinal_ = fields_.size() == kFieldsWithoutListaFinal;
}

std::optional<std::string_view> StatusFields::operator[](StatusField field) const {
  std::size_t index = static_cast<std::size_t>(field);
  if (withoutListaFinal_ && field == StatusField::LISTA_FINAL) return std::nullopt;
  if (withoutListaFinal_ && index > static_cast<std::size_t>(StatusField::LISTA_FINAL)) --index;
  if (index >= fields_.size()) return std::nullopt;
  return trimmedField(fields_[index]);
}

std::string_view trimmedField(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

}  // namespace health
