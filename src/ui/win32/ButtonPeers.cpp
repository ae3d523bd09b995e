#include <windows.h>

#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <functional>

#include "ui/win32/Peers.h"
#include "ui/win32/WindowHost.h"

namespace ui::win32 {

NativePeer::Creation ButtonPeer::creation() const {
  DWORD kind = static_cast<const Button&>(control_).isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if (captionColoured()) kind = BS_OWNERDRAW;
  return {WC_BUTTONW, kind};
}

bool ButtonPeer::ownerDrawn() const {
  return (GetWindowLongW(handle(), GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

Font ButtonPeer::nativeFont() const {
  Font font = control_.effectiveFont();
  std::u16string caption = control_.text();
  std::erase(caption, u'&');
  const int room = host_.scale(control_.bounds().width) - 2 * host_.scale(4);
  if (caption.empty() || room <= 0) return font;
  HDC dc = host_.measuringDc();
  constexpr int kSmallest = 9;  // pixels at 96 DPI: still readable
  while (font.height > kSmallest) {
    HGDIOBJ old = SelectObject(dc, host_.font(font));
    SIZE size{};
    GetTextExtentPoint32W(dc, wide(caption), static_cast<int>(caption.size()), &size);
    SelectObject(dc, old);
    if (size.cx <= room) break;
    --font.height;
  }
  return font;
}

void ButtonPeer::update(Property property) {
  if (property == Property::Text) applyFont();
  if (property != Property::Font) return;
  // A caption that takes a colour later (the device query's side button)
  // turns the button into one we draw; it stays so.
  if (captionColoured() && !ownerDrawn()) {
    const LONG style = GetWindowLongW(handle(), GWL_STYLE);
    SetWindowLongW(handle(), GWL_STYLE, (style & ~BS_TYPEMASK) | BS_OWNERDRAW);
  }
  InvalidateRect(handle(), nullptr, TRUE);
}

void ButtonPeer::command(WORD notification) {
  if (notification != BN_CLICKED) return;
  host_.dispatcher().run([this] { static_cast<Button&>(control_).click(); });
}

namespace {

using ButtonVisit = std::function<void(ButtonPeer&)>;

BOOL CALLBACK visitIfButton(HWND child, LPARAM visit) {
  if (auto* button = dynamic_cast<ButtonPeer*>(NativePeer::fromHandle(child)))
    (*reinterpret_cast<const ButtonVisit*>(visit))(*button);
  return TRUE;
}

// Every push button of the window that holds `window`.
void forEachButton(HWND window, const ButtonVisit& visit) {
  EnumChildWindows(GetAncestor(window, GA_ROOT), visitIfButton, reinterpret_cast<LPARAM>(&visit));
}

}  // namespace

void ButtonPeer::showAsDefault(bool isDefault) {
  if (defaultLook_ == isDefault) return;
  defaultLook_ = isDefault;
  if (ownerDrawn())
    InvalidateRect(handle(), nullptr, FALSE);
  else
    SendMessageW(handle(), BM_SETSTYLE, isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void ButtonPeer::focusMoved(HWND to) {
  ButtonPeer* focused = dynamic_cast<ButtonPeer*>(NativePeer::fromHandle(to));
  if (focused && GetAncestor(to, GA_ROOT) != GetAncestor(handle(), GA_ROOT)) focused = nullptr;
  forEachButton(handle(), [focused](ButtonPeer& button) {
    button.showAsDefault(focused ? &button == focused : button.modelDefault());
  });
}

LRESULT ButtonPeer::subclassMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_SETFOCUS:
      focusMoved(handle());
      break;
    case WM_KILLFOCUS:
      focusMoved(reinterpret_cast<HWND>(w));
      break;
    case WM_GETDLGCODE:
      // What a push button answers, which the dialog manager asks of the
      // focused control when Enter is pressed.
      if (ownerDrawn())
        return DLGC_BUTTON | (defaultLook_ ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
      break;
    case BM_SETSTYLE:
      // Made default or not by the dialog manager: an owner-drawn button keeps
      // its type and draws the default frame itself.
      if (ownerDrawn()) {
        showAsDefault((w & BS_TYPEMASK) == BS_DEFPUSHBUTTON);
        return 0;
      }
      break;
    default:
      break;
  }
  // An owner-drawn button is not told when the mouse enters or leaves it.
  if (ownerDrawn() && message == WM_MOUSEMOVE && !hot_) {
    hot_ = true;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, handle(), 0};
    TrackMouseEvent(&track);
    InvalidateRect(handle(), nullptr, FALSE);
  } else if (message == WM_MOUSELEAVE) {
    hot_ = false;
    InvalidateRect(handle(), nullptr, FALSE);
  }
  return defaultSubclassMessage(message, w, l);
}

bool ButtonPeer::drawItem(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  RECT box = item.rcItem;
  const bool disabled = item.itemState & ODS_DISABLED;
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool focused = item.itemState & ODS_FOCUS;
  const bool isDefault = defaultLook_;
  RECT content = box;
  if (HTHEME theme = OpenThemeData(handle(), L"BUTTON")) {
    const int state = disabled                 ? PBS_DISABLED
                      : pressed                ? PBS_PRESSED
                      : hot_                   ? PBS_HOT
                      : (focused || isDefault) ? PBS_DEFAULTED
                                               : PBS_NORMAL;
    if (IsThemeBackgroundPartiallyTransparent(theme, BP_PUSHBUTTON, state))
      DrawThemeParentBackground(handle(), dc, &box);
    DrawThemeBackground(theme, dc, BP_PUSHBUTTON, state, &box, nullptr);
    GetThemeBackgroundContentRect(theme, dc, BP_PUSHBUTTON, state, &box, &content);
    CloseThemeData(theme);
  } else {
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    if (focused || isDefault) {
      FrameRect(dc, &box, GetSysColorBrush(COLOR_WINDOWFRAME));
      InflateRect(&box, -1, -1);
    }
    DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    if (pressed) OffsetRect(&content, 1, 1);
  }
  // The font applyFont chose, fitted to the caption once rather than on every paint.
  HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(handle(), WM_GETFONT, 0, 0)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, disabled ? GetSysColor(COLOR_GRAYTEXT) : textColor());
  UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  if (item.itemState & ODS_NOACCEL) format |= DT_HIDEPREFIX;
  DrawTextW(dc, wide(control_.text()), -1, &content, format);
  SelectObject(dc, oldFont);
  if (focused && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -host_.scale(3), -host_.scale(3));
    DrawFocusRect(dc, &focus);
  }
  return true;
}

NativePeer::Creation CheckBoxPeer::creation() const {
  return {WC_BUTTONW, BS_AUTOCHECKBOX};
}

void CheckBoxPeer::command(WORD notification) {
  if (notification != BN_CLICKED) return;
  const bool checked = SendMessageW(handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  host_.dispatcher().run([&] { static_cast<CheckBox&>(control_).setCheckedFromUser(checked); });
}

void CheckBoxPeer::update(Property property) {
  if (property != Property::Checked) return;
  const bool checked = static_cast<const CheckBox&>(control_).checked();
  SendMessageW(handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

}  // namespace ui::win32
