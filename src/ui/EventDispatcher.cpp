#include "ui/EventDispatcher.h"

#include <exception>
#include <string>

#include "platform/Text.h"
#include "ui/FailureTexts.h"

namespace ui {

void EventDispatcher::run(const std::function<void()>& event) const noexcept {
  std::u16string description;
  try {
    if (event) event();
    return;
  } catch (const std::exception& failure) {
    description = failureMessage(failureKindOf(failure), platform::fromUtf8(failure.what()));
  } catch (...) {
    description = failureMessage(FailureKind::Unexpected, {});
  }
  try {
    messages_.reportUnexpected(description);
  } catch (...) {
    // Nothing is left to tell the user with; the program goes on.
  }
}

}  // namespace ui
