#include "page/InputChecks.h"

#include <string>

#include "platform/Text.h"

namespace page {

namespace {
constexpr std::size_t kMinimumCodeLength = 8;
}

bool isShortCode(std::u16string_view code) {
  return platform::trimmed(code).size() < kMinimumCodeLength;
}

void refuseInput(ui::Messages& messages, std::u16string_view message, ui::Control& field,
                 std::initializer_list<ui::Control*> cleared) {
  messages.showMessage(std::u16string(message));
  for (ui::Control* control : cleared) control->setText({});
  field.setFocus();
}

}  // namespace page
