#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "ui/win32/Peers.h"
#include "ui/win32/WindowHost.h"

namespace ui::win32 {

namespace {
constexpr int kDroppedListHeight = 200;  // model pixels below the closed box
}  // namespace

NativePeer::Creation ComboBoxPeer::creation() const {
  return {WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL};
}

void ComboBoxPeer::applyBounds() {
  // A combo box's window includes its dropped list.
  RECT r = nativeBounds();
  SetWindowPos(handle(), nullptr, r.left, r.top, r.right - r.left,
               r.bottom - r.top + host_.scale(kDroppedListHeight), SWP_NOZORDER | SWP_NOACTIVATE);
}

void ComboBoxPeer::update(Property property) {
  const auto& combo = static_cast<const ComboBox&>(control_);
  if (property == Property::Items) {
    SendMessageW(handle(), CB_RESETCONTENT, 0, 0);
    for (const auto& item : combo.items())
      SendMessageW(handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide(item)));
  }
  if (property == Property::Items || property == Property::ItemIndex)
    SendMessageW(handle(), CB_SETCURSEL, static_cast<WPARAM>(combo.itemIndex()), 0);
}

void ComboBoxPeer::command(WORD notification) {
  if (notification != CBN_SELCHANGE) return;
  const int index = static_cast<int>(SendMessageW(handle(), CB_GETCURSEL, 0, 0));
  host_.dispatcher().run([&] { static_cast<ComboBox&>(control_).setItemIndexFromUser(index); });
}

NativePeer::Creation RadioGroupPeer::creation() const {
  return {L"QuorvelPanel", WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
}

void RadioGroupPeer::update(Property property) {
  switch (property) {
    case Property::Items:
      createButtons();
      [[fallthrough]];
    case Property::ItemIndex:
      for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const bool checked = static_cast<int>(i) == group().itemIndex();
        SendMessageW(buttons_[i], BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
      }
      break;
    case Property::Enabled:
      for (HWND button : buttons_) EnableWindow(button, control_.enabled());
      break;
    case Property::Font:
      for (HWND button : buttons_)
        SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(host_.font(nativeFont())), TRUE);
      break;
    default:
      break;
  }
}

void RadioGroupPeer::createButtons() {
  for (HWND button : buttons_) DestroyWindow(button);
  buttons_.clear();
  const auto& items = group().items();
  for (std::size_t i = 0; i < items.size(); ++i) {
    DWORD style = WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON;
    // Tab reaches the group once; the arrows move between its buttons.
    if (i == 0) style |= WS_GROUP | (control_.tabOrder() >= 0 ? WS_TABSTOP : 0);
    if (!control_.enabled()) style |= WS_DISABLED;
    HWND button = CreateWindowExW(0, WC_BUTTONW, wide(items[i]), style, 0, 0, 0, 0, handle(),
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 1)),
                                  host_.instance(), nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(host_.font(nativeFont())), FALSE);
    buttons_.push_back(button);
  }
  layOutButtons();
}

void RadioGroupPeer::layOutButtons() {
  if (buttons_.empty()) return;
  RECT client;
  GetClientRect(handle(), &client);
  const int columns = std::max(1, group().columns.get());
  const int rows = static_cast<int>((buttons_.size() + columns - 1) / columns);
  const int top = host_.scale(control_.effectiveFont().height + 4);
  const int margin = host_.scale(8);
  const int columnWidth = static_cast<int>(client.right - 2 * margin) / columns;
  const int rowHeight = std::max<int>(1, (client.bottom - top - host_.scale(4)) / rows);
  const int buttonHeight = std::min(rowHeight, host_.scale(control_.effectiveFont().height + 6));
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    // Items run down the first column, then the next, as in a radio group.
    const int column = static_cast<int>(i) / rows;
    const int row = static_cast<int>(i) % rows;
    SetWindowPos(buttons_[i], nullptr, margin + column * columnWidth,
                 top + row * rowHeight + (rowHeight - buttonHeight) / 2,
                 columnWidth - host_.scale(2), buttonHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

LRESULT RadioGroupPeer::windowMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_COMMAND: {
      const auto index = static_cast<int>(LOWORD(w)) - 1;
      const bool ours = index >= 0 && static_cast<std::size_t>(index) < buttons_.size() &&
                        reinterpret_cast<HWND>(l) == buttons_[index];
      if (!ours || HIWORD(w) != BN_CLICKED || !attached()) break;
      const bool checked = SendMessageW(buttons_[index], BM_GETCHECK, 0, 0) == BST_CHECKED;
      if (checked && index != group().itemIndex()) {
        host_.dispatcher().run(
            [&] { static_cast<RadioGroup&>(control_).setItemIndexFromUser(index); });
      }
      return 0;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (!attached()) break;
      return reinterpret_cast<LRESULT>(controlColor(reinterpret_cast<HDC>(w)));
    case WM_SIZE:
      layOutButtons();
      InvalidateRect(handle(), nullptr, TRUE);
      return 0;
    case WM_ERASEBKGND:
      return eraseBackground(w, backgroundColor());
    case WM_PAINT:
      return paintWith([this](HDC dc) { paintFrame(dc); });
    default:
      break;
  }
  return NativePeer::windowMessage(message, w, l);
}

void RadioGroupPeer::paintFrame(HDC dc) {
  RECT client;
  GetClientRect(handle(), &client);
  HGDIOBJ oldFont = SelectObject(dc, host_.font(nativeFont()));
  SIZE caption{0, 0};
  GetTextExtentPoint32W(dc, wide(control_.text()), static_cast<int>(control_.text().size()),
                        &caption);
  RECT frame = client;
  frame.top = caption.cy / 2;
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (!control_.text().empty()) {
    const int left = host_.scale(8);
    RECT text{left, 0, left + caption.cx + host_.scale(4), caption.cy};
    FillRect(dc, &text, host_.brush(backgroundColor()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, control_.enabled() ? textColor() : GetSysColor(COLOR_GRAYTEXT));
    text.left += host_.scale(2);
    DrawTextW(dc, wide(control_.text()), -1, &text, DT_LEFT | DT_TOP | DT_SINGLELINE);
  }
  SelectObject(dc, oldFont);
}

}  // namespace ui::win32
