#pragma once
// Splitting a device answer into its fields.
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "ui/FailureTexts.h"

namespace page {

// Splits Content at any of the Separators (and at its end) into Strings,
// skipping WhiteSpace at the start of each field. Empty fields keep their
// place; an empty Content or no list adds nothing. Returns the number of
// fields added, which are appended in one batch.
int ExtractStrings2(std::string_view Separators, std::string_view WhiteSpace,
                    std::string_view Content, std::vector<std::string>* Strings);

// The fields of one answer (CamposRetorno). Asking for a field the answer does
// not have throws MissingAnswerField, as indexing past the end of a list does,
// with a description a user can act on.
struct MissingAnswerField : std::out_of_range, ui::FailureClass {
  explicit MissingAnswerField(const std::string& description)
      : std::out_of_range(description), ui::FailureClass(ui::FailureKind::DeviceAnswer) {}
};

class AnswerFields {
 public:
  AnswerFields() = default;
  // Splits the answer at "|".
  explicit AnswerFields(std::string_view answer);

  std::size_t count() const { return fields_.size(); }
  const std::string& operator[](std::size_t index) const;

 private:
  std::vector<std::string> fields_;
  // The start of the answer, for the description of a missing field.
  std::string shownAnswer_;
};

// Newer devices put a four-digit validation code after the return code of
// some answers (association, sales, cancellations); devices built before it
// put the message there, and every later field sits one place to the left.
// Field 2 tells the two apart: text that is not a number is a message, and
// an empty or numeric field is the validation code's place.
bool carriesValidationCode(const AnswerFields& CamposRetorno);

}  // namespace page
