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

void refuseInput(ui::Dialogs& dialogs, std::u16string_view message, ui::Control& field) {
  dialogs.showMessage(std::u16string(message));
  field.setFocus();
}

}  // namespace page
