#include <gtest/gtest.h>

#include "page/PageLayout.h"
#include "ui/Controls.h"

namespace {

TEST(PageLayout, TabOrderFollowsTheRowsOfControlsThatTakeTheFocus) {
  ui::Form form("Form");
  ui::Label label("Label", &form);
  ui::Edit first("First", &form);
  ui::Memo notice("Notice", &form);
  ui::Button button("Button", &form);
  page::layOut({
      {label, {1, 2, 3, 4}, u"Rótulo:"},
      {first, {5, 6, 7, 8}},
      {notice, {0, 0, 9, 9}, {}, page::Tab::Skip},
      {button, {10, 10, 80, 29}, u"&Ok"},
  });
  EXPECT_EQ(label.tabOrder(), -1);
  EXPECT_EQ(first.tabOrder(), 0);
  EXPECT_EQ(notice.tabOrder(), -1);
  EXPECT_EQ(button.tabOrder(), 1);
  EXPECT_EQ(label.text(), u"Rótulo:");
  EXPECT_EQ(button.bounds(), (ui::Rect{10, 10, 80, 29}));
  EXPECT_EQ(first.text(), u"") << "a row without caption leaves the text alone";
}

}  // namespace
