// Every page as the user sees it: each label shows its caption, and no two
// controls that show at the same time cover each other, except a control
// placed wholly inside a panel or an image behind it.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ProgramFixture.h"

namespace {

using testing_support::ProgramFixture;

bool overlap(const ui::Rect& a, const ui::Rect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

bool inside(const ui::Rect& inner, const ui::Rect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

// What may lie under another control, as a backdrop.
bool isBackdrop(const ui::Control& control) {
  return control.kind() == ui::Kind::Panel || control.kind() == ui::Kind::Image;
}

std::string describe(const ui::Control& control) {
  const ui::Rect r = control.bounds();
  return control.name() + " {" + std::to_string(r.left) + ", " + std::to_string(r.top) + ", " +
         std::to_string(r.width) + ", " + std::to_string(r.height) + "}";
}

// The faults among the children shown together under `parent`, and below.
void collectFaults(const ui::Control& parent, std::vector<std::string>& faults) {
  std::vector<const ui::Control*> shown;
  for (const ui::Control* child : parent.children())
    if (child->visible()) shown.push_back(child);
  for (const ui::Control* control : shown) {
    if (control->kind() == ui::Kind::Label && control->text().empty())
      faults.push_back(control->name() + " shows no caption");
    if (control->bounds().width <= 0 || control->bounds().height <= 0)
      faults.push_back(describe(*control) + " has no room");
  }
  for (std::size_t i = 0; i < shown.size(); ++i) {
    for (std::size_t j = i + 1; j < shown.size(); ++j) {
      const ui::Control& a = *shown[i];
      const ui::Control& b = *shown[j];
      if (!overlap(a.bounds(), b.bounds())) continue;
      if ((isBackdrop(a) && inside(b.bounds(), a.bounds())) ||
          (isBackdrop(b) && inside(a.bounds(), b.bounds())))
        continue;
      faults.push_back(describe(a) + " and " + describe(b) + " cover each other");
    }
  }
  for (const ui::Control* control : shown) collectFaults(*control, faults);
}

class PageLayoutCheck : public ProgramFixture {
 protected:
  PageLayoutCheck() { program.start(); }
};

TEST_F(PageLayoutCheck, NoPageHasAHiddenCaptionOrControlsOverEachOther) {
  for (const ui::Control* page : main.PageControl.children()) {
    std::vector<std::string> faults;
    collectFaults(*page, faults);
    EXPECT_TRUE(faults.empty()) << page->name() << ":\n" << testing::PrintToString(faults);
  }
}

}  // namespace
