#pragma once
// The device's health under the status listing: one row per check, worst
// first, each a mark in its level's colour that says the level in a word,
// and the check's sentence. Every mark and sentence is a label of its own,
// so a screen reader reads each row as the user sees it.
#include <deque>
#include <string>
#include <vector>

#include "health/HealthChecks.h"
#include "ui/Controls.h"

namespace diagnostics {

class HealthPanel {
 public:
  static constexpr int kRowHeight = 18;

  explicit HealthPanel(ui::Control* parent);

  // Shows the checks, worst first, in a panel as tall as they need.
  void show(const std::vector<health::Check>& checks);
  // Hides the panel and forgets its rows.
  void clear();
  // The height the rows shown need.
  int height() const;
  // "CRÍTICO: <sentence>" per row, one a line, as shown; empty when hidden.
  std::u16string summary() const;

  ui::Panel PanelSaude;

 private:
  struct Row {
    Row(ui::Control* parent, int number);
    ui::Label mark;
    ui::Label sentence;
  };
  std::deque<Row> rows_;
  std::size_t shown_ = 0;
};

// The level in a word, as the mark says it.
std::u16string levelWord(health::Level level);

}  // namespace diagnostics
