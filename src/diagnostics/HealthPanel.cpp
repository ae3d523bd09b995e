#include "diagnostics/HealthPanel.h"

namespace diagnostics {

namespace {

// The listing's width on a page of the designed size; the sentences stretch
// with the panel from there.
constexpr int kDesignedWidth = 520;
constexpr int kMarkWidth = 92;
constexpr int kGap = 6;
constexpr int kPadding = 3;

struct LevelLook {
  const char16_t* word;
  ui::Color background;
  ui::Color text;
};

LevelLook lookOf(health::Level level) {
  switch (level) {
    case health::Level::Ok:
      return {u"OK", ui::rgb(0, 128, 0), ui::rgb(255, 255, 255)};
    case health::Level::Warning:
      return {u"ATENÇÃO", ui::rgb(255, 200, 0), ui::rgb(0, 0, 0)};
    case health::Level::Critical:
      return {u"CRÍTICO", ui::rgb(192, 0, 0), ui::rgb(255, 255, 255)};
    case health::Level::Unknown:
      break;
  }
  return {u"DESCONHECIDO", ui::rgb(128, 128, 128), ui::rgb(255, 255, 255)};
}

}  // namespace

std::u16string levelWord(health::Level level) {
  return lookOf(level).word;
}

HealthPanel::Row::Row(ui::Control* parent, int number)
    : mark("HealthMark" + std::to_string(number), parent),
      sentence("HealthSentence" + std::to_string(number), parent) {}

HealthPanel::HealthPanel(ui::Control* parent) : PanelSaude("PanelSaude", parent) {
  PanelSaude.bevel = ui::Bevel::Lowered;
  PanelSaude.setVisible(false);
  for (int number = 1; number <= static_cast<int>(health::kCheckCount); ++number) {
    Row& row = rows_.emplace_back(&PanelSaude, number);
    const int top = kPadding + (number - 1) * kRowHeight;
    row.mark.centered = true;
    row.mark.setBounds({kPadding, top + 1, kMarkWidth, kRowHeight - 2});
    row.mark.setFont({{}, 8, true, ui::kDefaultColor});
    row.sentence.setBounds({kPadding + kMarkWidth + kGap, top + 2,
                            kDesignedWidth - 2 * kPadding - kMarkWidth - kGap, kRowHeight - 3});
    row.sentence.setAnchors({true, true, true, false});
    row.mark.setVisible(false);
    row.sentence.setVisible(false);
  }
}

void HealthPanel::show(const std::vector<health::Check>& checks) {
  const std::vector<health::Check> ordered = health::worstFirst(checks);
  shown_ = std::min(ordered.size(), rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    Row& row = rows_[i];
    const bool used = i < shown_;
    row.mark.setVisible(used);
    row.sentence.setVisible(used);
    if (!used) continue;
    const LevelLook look = lookOf(ordered[i].level);
    row.mark.setText(look.word);
    row.mark.setColor(look.background);
    ui::Font font = row.mark.font();
    font.color = look.text;
    row.mark.setFont(font);
    row.sentence.setText(ordered[i].sentence);
  }
  PanelSaude.setVisible(shown_ > 0);
}

void HealthPanel::clear() {
  shown_ = 0;
  PanelSaude.setVisible(false);
}

int HealthPanel::height() const {
  return shown_ == 0 ? 0 : 2 * kPadding + static_cast<int>(shown_) * kRowHeight;
}

std::u16string HealthPanel::summary() const {
  std::u16string text;
  for (std::size_t i = 0; i < shown_; ++i)
    text += rows_[i].mark.text() + u": " + rows_[i].sentence.text() + u"\r\n";
  return text;
}

}  // namespace diagnostics
