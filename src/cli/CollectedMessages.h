#pragma once
// The messages the device library's loader gives (a library that does not
// load, entry points it lacks), kept for the console program to report
// instead of shown in boxes.
#include <string>
#include <vector>

#include "ui/Messages.h"

namespace cli {

class CollectedMessages : public ui::Messages {
 public:
  void showMessage(const std::u16string& text) override { texts_.push_back(text); }
  bool confirm(const std::u16string& text) override;
  void systemError(const std::u16string& text, const std::u16string& caption) override;
  void reportUnexpected(const std::u16string& description) override {
    texts_.push_back(description);
  }
  // No window is ever shown: throws std::logic_error.
  void showModal(ui::Form& form) override;

  // Everything said so far, one message a line; then forgets it.
  std::u16string take();

 private:
  std::vector<std::u16string> texts_;
};

}  // namespace cli
