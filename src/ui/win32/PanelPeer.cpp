#include "ui/win32/PanelPeer.h"

#include "ui/win32/WindowHost.h"

namespace ui::win32 {

NativePeer::Creation PanelPeer::creation() const {
  return {L"QuorvelPanel", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
}

bool PanelPeer::effectivelyVisible() const {
  if (!control_.visible()) return false;
  const Control* parent = control_.parent();
  if (control_.kind() != Kind::TabSheet || !parent || parent->kind() != Kind::PageControl)
    return true;
  return static_cast<const PageControl*>(parent)->activePage() == &control_;
}

void PanelPeer::update(Property property) {
  if (property != Property::ItemIndex || control_.kind() != Kind::PageControl) return;
  // A page still waiting for its window (the main window's start) gets it.
  if (const Control* shown = static_cast<const PageControl&>(control_).activePage())
    host_.createPendingControl(*shown);
  for (Control* page : control_.children()) {
    if (page->peer()) page->peer()->modelChanged(Property::Visible);
  }
}

LRESULT PanelPeer::windowMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_ERASEBKGND:
      return eraseBackground(w, backgroundColor());
    case WM_PAINT:
      return paintWith([this](HDC dc) { paint(dc); });
    case WM_SIZE:
      // The bevel and the centred caption depend on the size.
      InvalidateRect(handle(), nullptr, TRUE);
      break;
    default:
      break;
  }
  return NativePeer::windowMessage(message, w, l);
}

void PanelPeer::paint(HDC dc) {
  RECT client;
  GetClientRect(handle(), &client);
  if (control_.kind() == Kind::Panel) {
    const Bevel bevel = static_cast<const Panel&>(control_).bevel;
    if (bevel == Bevel::Raised) DrawEdge(dc, &client, BDR_RAISEDINNER, BF_RECT);
    if (bevel == Bevel::Lowered) DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
  }
  if (control_.text().empty()) return;
  HGDIOBJ oldFont = SelectObject(dc, host_.font(control_.effectiveFont()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, textColor());
  DrawTextW(dc, wide(control_.text()), -1, &client,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  SelectObject(dc, oldFont);
}

}  // namespace ui::win32
