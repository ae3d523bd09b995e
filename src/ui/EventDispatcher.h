#pragma once
// Runs every user event. A failure that escapes a handler abandons the rest of
// that action and is reported through Dialogs::reportUnexpected, in the words
// of ui/FailureTexts for its kind; the program keeps running.
#include <functional>

#include "ui/Dialogs.h"

namespace ui {

class EventDispatcher {
 public:
  explicit EventDispatcher(Dialogs& dialogs) : dialogs_(dialogs) {}
  void run(const std::function<void()>& event) const noexcept;

 private:
  Dialogs& dialogs_;
};

}  // namespace ui
