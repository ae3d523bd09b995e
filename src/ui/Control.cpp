#include "ui/Control.h"

#include "ui/Controls.h"

#include <algorithm>

namespace ui {

Control::Control(Kind kind, std::string name, Control* parent)
    : kind_(kind), name_(std::move(name)), parent_(parent) {
  if (parent_) parent_->children_.push_back(this);
}

void Control::setText(std::u16string text) {
  if (text == text_) return;
  text_ = std::move(text);
  changed(Property::Text);
}

void Control::setBounds(Rect bounds) {
  if (bounds == bounds_) return;
  const int oldWidth = bounds_.width;
  const int oldHeight = bounds_.height;
  bounds_ = bounds;
  changed(Property::Bounds);
  if (oldWidth != bounds_.width || oldHeight != bounds_.height) layoutChildren(oldWidth, oldHeight);
}

void Control::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  changed(Property::Enabled);
}

void Control::setAlign(Align align) {
  align_ = align;
  if (parent_) parent_->dockChildren();
}

void Control::setVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  changed(Property::Visible);
  // A hidden bar gives its place to the others.
  if (parent_ && align_ != Align::None) parent_->dockChildren();
}

void Control::setFont(Font font) {
  font_ = std::move(font);
  changed(Property::Font);
}

Font Control::effectiveFont() const {
  Font inherited = parent_ ? parent_->effectiveFont() : Font{u"Tahoma", 11, false, kDefaultColor};
  Font result = font_;
  if (result.name.empty()) result.name = inherited.name;
  if (result.height == 0) result.height = inherited.height;
  return result;
}

void Control::setColor(Color color) {
  if (color == color_) return;
  color_ = color;
  changed(Property::Color);
}

void Control::setFocus() {
  Control* root = this;
  while (root->parent_) root = root->parent_;
  if (root->kind_ == Kind::Form) static_cast<Form*>(root)->focusRequested(*this);
  changed(Property::Focus);
}

void Control::dockChildren() {
  // The space still free for docked children, shrinking as each one docks.
  // Top and bottom bars span the whole width, then the side ones dock, and
  // the client child takes what is left.
  Rect free{0, 0, bounds_.width, bounds_.height};
  for (const Align pass : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
    for (Control* child : children_) {
      // Pages fill their page control whether shown or not.
      if (child->kind_ == Kind::TabSheet) {
        if (pass == Align::Client) child->setBounds({0, 0, bounds_.width, bounds_.height});
        continue;
      }
      if (!child->visible_ || child->align_ != pass) continue;
      Rect r = child->bounds_;
      switch (pass) {
        case Align::Top:
          r = {free.left, free.top, free.width, r.height};
          free.top += r.height;
          free.height = std::max(0, free.height - r.height);
          break;
        case Align::Bottom:
          r = {free.left, free.top + free.height - r.height, free.width, r.height};
          free.height = std::max(0, free.height - r.height);
          break;
        case Align::Left:
          r = {free.left, free.top, r.width, free.height};
          free.left += r.width;
          free.width = std::max(0, free.width - r.width);
          break;
        case Align::Right:
          r = {free.left + free.width - r.width, free.top, r.width, free.height};
          free.width = std::max(0, free.width - r.width);
          break;
        case Align::Client:
        case Align::None:
          r = free;
          break;
      }
      child->setBounds(r);
    }
  }
}

void Control::layoutChildren(int oldClientWidth, int oldClientHeight) {
  dockChildren();
  const int dx = bounds_.width - oldClientWidth;
  const int dy = bounds_.height - oldClientHeight;
  // The first real size: the designed places stand.
  if (oldClientWidth == 0 || oldClientHeight == 0) return;
  for (Control* child : children_) {
    if (child->align_ != Align::None) continue;
    Rect r = child->bounds_;
    const Anchors a = child->anchors_;
    if (a.right && a.left)
      r.width += dx;
    else if (a.right)
      r.left += dx;
    if (a.bottom && a.top)
      r.height += dy;
    else if (a.bottom)
      r.top += dy;
    child->setBounds(r);
  }
}

}  // namespace ui
