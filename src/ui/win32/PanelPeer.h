#pragma once
// Panels, pages and the page control: plain containers that paint their
// colour, bevel and caption. A page control shows only its active page.
#include "ui/Controls.h"
#include "ui/win32/NativePeer.h"

namespace ui::win32 {

class PanelPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;
  bool holdsChildren() const override { return true; }

 private:
  Creation creation() const override;
  bool takesFocus() const override { return false; }
  bool effectivelyVisible() const override;
  // The caption is the window text, which screen readers read; it is drawn
  // by the panel itself.
  void applyText() override {
    NativePeer::applyText();
    InvalidateRect(handle(), nullptr, TRUE);
  }
  void update(Property property) override;
  LRESULT windowMessage(UINT message, WPARAM w, LPARAM l) override;
  void paint(HDC dc);
};

}  // namespace ui::win32
