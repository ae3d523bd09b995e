#include "page/PageLayout.h"

#include <string>

namespace page {

namespace {
bool takesFocus(ui::Kind kind) {
  switch (kind) {
    case ui::Kind::Button:
    case ui::Kind::Edit:
    case ui::Kind::MaskEdit:
    case ui::Kind::CheckBox:
    case ui::Kind::ComboBox:
    case ui::Kind::RadioGroup:
    case ui::Kind::Memo:
      return true;
    default:
      return false;
  }
}
}  // namespace

void layOut(std::initializer_list<LayoutRow> rows) {
  int order = 0;
  for (const LayoutRow& row : rows) {
    row.control.setBounds(row.bounds);
    if (!row.caption.empty()) row.control.setText(std::u16string(row.caption));
    const bool stop = row.tab == Tab::Stop && takesFocus(row.control.kind());
    row.control.setTabOrder(stop ? order++ : -1);
  }
}

}  // namespace page
