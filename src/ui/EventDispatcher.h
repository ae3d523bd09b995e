#pragma once
// Runs every user event. A failure that escapes a handler abandons the rest of
// that action and is reported through Messages::reportUnexpected, in the words
// of ui/FailureTexts for its kind; the program keeps running.
#include <functional>

#include "ui/Messages.h"

namespace ui {

class EventDispatcher {
 public:
  explicit EventDispatcher(Messages& messages) : messages_(messages) {}
  void run(const std::function<void()>& event) const noexcept;

 private:
  Messages& messages_;
};

}  // namespace ui
