#include <windows.h>

#include <commctrl.h>

#include "ui/win32/FormPeer.h"
#include "ui/win32/PanelPeer.h"
#include "ui/win32/Peers.h"
#include "ui/win32/WindowHost.h"

namespace ui::win32 {

std::unique_ptr<NativePeer> makePeer(WindowHost& host, Control& control) {
  switch (control.kind()) {
    case Kind::Panel:
    case Kind::TabSheet:
    case Kind::PageControl:
      return std::make_unique<PanelPeer>(host, control);
    case Kind::Label:
      return std::make_unique<LabelPeer>(host, control);
    case Kind::Button:
      return std::make_unique<ButtonPeer>(host, control);
    case Kind::Edit:
      return std::make_unique<EditPeer>(host, control);
    case Kind::MaskEdit:
      return std::make_unique<MaskEditPeer>(host, static_cast<MaskEdit&>(control));
    case Kind::CheckBox:
      return std::make_unique<CheckBoxPeer>(host, control);
    case Kind::ComboBox:
      return std::make_unique<ComboBoxPeer>(host, control);
    case Kind::RadioGroup:
      return std::make_unique<RadioGroupPeer>(host, control);
    case Kind::Memo:
      if (static_cast<Memo&>(control).largeText)
        return std::make_unique<TextViewPeer>(host, control);
      return std::make_unique<MemoPeer>(host, control);
    case Kind::Image:
      return std::make_unique<ImagePeer>(host, control);
    case Kind::StatusBar:
      return std::make_unique<StatusBarPeer>(host, control);
    case Kind::Form:
      break;
  }
  return nullptr;
}

NativePeer::Creation LabelPeer::creation() const {
  const bool centered = static_cast<const Label&>(control_).centered;
  return {WC_STATICW, static_cast<DWORD>(centered ? SS_CENTER : SS_LEFT)};
}

void LabelPeer::applyText() {
  NativePeer::applyText();
  if (control_.width() == 0 || control_.height() == 0) applyBounds();
}

void LabelPeer::applyBounds() {
  RECT r = nativeBounds();
  // A label laid out without a size takes the size of its text.
  if (r.right == r.left || r.bottom == r.top) {
    HDC dc = host_.measuringDc();
    HGDIOBJ oldFont = SelectObject(dc, host_.font(nativeFont()));
    RECT text{0, 0, 0, 0};
    DrawTextW(dc, wide(control_.text()), -1, &text, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, oldFont);
    if (r.right == r.left) r.right = r.left + text.right;
    if (r.bottom == r.top) r.bottom = r.top + text.bottom;
  }
  SetWindowPos(handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

NativePeer::Creation StatusBarPeer::creation() const {
  return {STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER};
}

void StatusBarPeer::created() {
  // One part across the bar, so that WM_SETTEXT and WM_GETTEXT reach it.
  int ends[] = {-1};
  SendMessageW(handle(), SB_SETPARTS, 1, reinterpret_cast<LPARAM>(ends));
  // Above its siblings, which scroll under it in a window smaller than its
  // design. It takes no focus, so the Tab order does not change.
  SetWindowPos(handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void StatusBarPeer::applyBounds() {
  NativePeer::applyBounds();
  // The bar draws its part's edges from its size: without a whole repaint
  // the edges of earlier sizes stay on the screen.
  InvalidateRect(handle(), nullptr, TRUE);
}

void StatusBarPeer::update(Property property) {
  if (property != Property::Repaint) return;
  // The program is about to block in a library call: paint now, and hand
  // the picture to the screen now too (Wine keeps painting in a buffer it
  // passes on when the thread is about to wait; a wait of no time does).
  InvalidateRect(handle(), nullptr, TRUE);
  UpdateWindow(handle());
  MsgWaitForMultipleObjects(0, nullptr, FALSE, 0, QS_ALLINPUT);
}

}  // namespace ui::win32
