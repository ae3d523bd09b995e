#pragma once
// A page's layout as data: one row per control with its bounds and, for
// labels, buttons and boxes, its caption. The Tab order follows the rows:
// every row that takes the focus gets the next place, so no page numbers its
// Tab stops by hand.
#include <initializer_list>
#include <string_view>

#include "ui/Control.h"

namespace page {

enum class Tab { Stop, Skip };

struct LayoutRow {
  ui::Control& control;
  ui::Rect bounds;
  std::u16string_view caption = {};  // empty: the control's text is left alone
  Tab tab = Tab::Stop;               // ignored for controls that never take the focus
};

void layOut(std::initializer_list<LayoutRow> rows);

}  // namespace page
