#pragma once
// Splitting a device answer into its fields.
#include <memory>
#include <span>
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

// ExtractStrings2's fields as views into Content, nothing copied: what every
// split of an answer is made of.
std::vector<std::string_view> splitFields(std::string_view Separators, std::string_view WhiteSpace,
                                          std::string_view Content);

// The fields of one answer (CamposRetorno). Asking for a field the answer does
// not have throws MissingAnswerField, as indexing past the end of a list does,
// with a description a user can act on.
struct MissingAnswerField : std::out_of_range, ui::FailureClass {
  explicit MissingAnswerField(const std::string& description)
      : std::out_of_range(description), ui::FailureClass(ui::FailureKind::DeviceAnswer) {}
};

// A field a page keeps after the command without copying it: the answer's
// bytes live as long as `holder`. The page may rewrite the field's bytes where
// they lie (the log page decodes its Base64 there), which changes the answer
// they belong to: nothing reads that field of it afterwards.
struct KeptField {
  std::shared_ptr<const void> holder;
  std::span<char> bytes;
};

class AnswerFields {
 public:
  // Splits the answer at "|". The fields are views into `answer`, which must
  // outlive them.
  explicit AnswerFields(std::string_view answer);
  // The same, sharing the answer's bytes, so a page can keep a field of it.
  explicit AnswerFields(std::shared_ptr<std::string> answer);

  std::size_t count() const { return fields_.size(); }
  // The whole answer the fields were split from.
  std::string_view answer() const { return answer_; }
  std::string_view operator[](std::size_t index) const;
  // The field for keeping: shared with the answer when the fields share it,
  // else a copy. Throws MissingAnswerField as operator[] does.
  KeptField keep(std::size_t index) const;

 private:
  std::shared_ptr<std::string> shared_;
  std::string_view answer_;
  std::vector<std::string_view> fields_;
};

// Newer devices put a four-digit validation code after the return code of
// some answers (association, sales, cancellations); devices built before it
// put the message there, and every later field sits one place to the left.
// Field 2 tells the two apart: text that is not a number is a message, and
// an empty or numeric field is the validation code's place.
bool carriesValidationCode(const AnswerFields& CamposRetorno);

// Some devices put a four-digit validation code after the return code of
// answers of any kind (a busy device: "08098|0000|SAT em processamento...");
// the message and the authority's fields then sit one place to the right.
// The association's answers are told apart by carriesValidationCode instead.
bool validationCodeFirst(const AnswerFields& CamposRetorno);

}  // namespace page
