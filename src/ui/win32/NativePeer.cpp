#include "ui/win32/NativePeer.h"

#include <stdexcept>
#include <unordered_map>

#include "ui/win32/WindowHost.h"

namespace ui::win32 {

namespace {

// The peer of each window this program made, kept in the process: every
// message to our windows looks its peer up, and under Wine a window property
// (and so SetWindowSubclass, which keeps its data in one) is a trip to the
// window server each time.
std::unordered_map<HWND, NativePeer*>& peersByWindow() {
  static std::unordered_map<HWND, NativePeer*> peers;
  return peers;
}

}  // namespace

NativePeer::~NativePeer() {
  if (handle_) peersByWindow().erase(handle_);
}

NativePeer* NativePeer::fromHandle(HWND window) {
  const auto& peers = peersByWindow();
  const auto found = peers.find(window);
  return found == peers.end() ? nullptr : found->second;
}

void NativePeer::registerHandle(HWND window) {
  handle_ = window;
  peersByWindow()[window] = this;
}

void NativePeer::forgetHandle() {
  peersByWindow().erase(handle_);
  handle_ = nullptr;
}

void NativePeer::create(HWND parent, int controlId) {
  const Creation how = creation();
  DWORD style = how.style;
  if (parent) {
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    if (effectivelyVisible()) style |= WS_VISIBLE;
    if (control_.tabOrder() >= 0 && takesFocus()) style |= WS_TABSTOP;
  }
  if (!control_.enabled()) style |= WS_DISABLED;
  const RECT r = parent ? nativeBounds() : RECT{};
  HMENU id = parent ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)) : nullptr;
  HWND window =
      CreateWindowExW(how.extendedStyle, how.windowClass, L"", style, r.left, r.top,
                      r.right - r.left, r.bottom - r.top, parent, id, host_.instance(), this);
  if (!window) throw std::runtime_error("CreateWindowEx failed for " + control_.name());
  if (!handle_) {
    // A system control: subclassed so that its destruction and keys reach us.
    registerHandle(window);
    subclass();
  }
  if (!parent) host_.takeDpiOf(window);  // before created() sizes the frame
  created();
  applyFont();
  applyText();
  for (Property p : {Property::ReadOnly, Property::Items, Property::ItemIndex, Property::Checked})
    update(p);
}

LRESULT CALLBACK NativePeer::classWindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  NativePeer* peer = fromHandle(window);
  if (message == WM_NCCREATE) {
    peer = static_cast<NativePeer*>(reinterpret_cast<CREATESTRUCTW*>(l)->lpCreateParams);
    peer->registerHandle(window);
  }
  if (!peer) return DefWindowProcW(window, message, w, l);
  if (message == WM_NCDESTROY) {
    peer->forgetHandle();
    return DefWindowProcW(window, message, w, l);
  }
  return peer->windowMessage(message, w, l);
}

LRESULT NativePeer::windowMessage(UINT message, WPARAM w, LPARAM l) {
  LRESULT result = 0;
  if (routeFromChild(message, w, l, result)) return result;
  if (message == WM_DPICHANGED && attached_) {
    // Per-monitor aware: only top-level windows are told, with the new DPI
    // in the high word and the rectangle Windows suggests in lParam.
    host_.dpiChanged(handle_, HIWORD(w), *reinterpret_cast<const RECT*>(l));
    return 0;
  }
  return DefWindowProcW(handle_, message, w, l);
}

bool NativePeer::routeFromChild(UINT message, WPARAM w, LPARAM l, LRESULT& result) {
  switch (message) {
    case WM_COMMAND:
      if (NativePeer* child = fromHandle(reinterpret_cast<HWND>(l)); child && child->attached_) {
        child->command(HIWORD(w));
        return true;
      }
      return false;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(l);
      NativePeer* child = fromHandle(item->hwndItem);
      if (!child || !child->attached_ || !child->drawItem(*item)) return false;
      result = TRUE;
      return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX: {
      NativePeer* child = fromHandle(reinterpret_cast<HWND>(l));
      if (!child || !child->attached_) return false;
      HBRUSH brush = child->controlColor(reinterpret_cast<HDC>(w));
      if (!brush) return false;
      result = reinterpret_cast<LRESULT>(brush);
      return true;
    }
    default:
      return false;
  }
}

void NativePeer::subclass() {
  systemProcedure_ = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(subclassProc)));
}

LRESULT CALLBACK NativePeer::subclassProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  NativePeer* self = fromHandle(window);
  if (!self) return DefWindowProcW(window, message, w, l);
  if (message == WM_NCDESTROY) {
    const WNDPROC system = self->systemProcedure_;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(system));
    self->forgetHandle();
    return CallWindowProcW(system, window, message, w, l);
  }
  return self->subclassMessage(message, w, l);
}

LRESULT NativePeer::subclassMessage(UINT message, WPARAM w, LPARAM l) {
  return defaultSubclassMessage(message, w, l);
}

LRESULT NativePeer::defaultSubclassMessage(UINT message, WPARAM w, LPARAM l) {
  return CallWindowProcW(systemProcedure_, handle_, message, w, l);
}

void NativePeer::modelChanged(Property property) {
  if (!handle_ || !attached_) return;
  switch (property) {
    case Property::Text:
      applyText();
      break;
    case Property::Enabled:
      EnableWindow(handle_, control_.enabled());
      break;
    case Property::Visible:
      applyVisible();
      break;
    case Property::Bounds:
      applyBounds();
      break;
    case Property::Font:
      applyFont();
      // Children that take their font from this control follow it.
      for (Control* child : control_.children()) {
        if (child->peer()) child->peer()->modelChanged(Property::Font);
      }
      break;
    case Property::Color:
      InvalidateRect(handle_, nullptr, TRUE);
      break;
    case Property::Focus:
      host_.requestFocus(handle_);
      break;
    default:
      break;
  }
  update(property);
}

LRESULT NativePeer::eraseBackground(WPARAM dc, Color color) {
  RECT client;
  GetClientRect(handle_, &client);
  FillRect(reinterpret_cast<HDC>(dc), &client, host_.brush(color));
  return TRUE;
}

LRESULT NativePeer::paintWith(const std::function<void(HDC)>& painter) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(handle_, &ps);
  if (attached_) painter(dc);
  EndPaint(handle_, &ps);
  return 0;
}

void NativePeer::applyText() {
  setWindowTextQuietly(control_.text());
}

void NativePeer::setWindowTextQuietly(const std::u16string& text) {
  settingText_ = true;
  SetWindowTextW(handle_, wide(text));
  settingText_ = false;
}

RECT NativePeer::nativeBounds() const {
  const Rect& b = control_.bounds();
  POINT origin{0, 0};
  if (const Control* parent = control_.parent()) {
    if (auto* parentPeer = dynamic_cast<NativePeer*>(parent->peer()))
      origin = parentPeer->childOrigin(control_);
  }
  // Scaling both edges keeps neighbouring controls adjacent at any DPI.
  return {host_.scale(b.left) - origin.x, host_.scale(b.top) - origin.y,
          host_.scale(b.left + b.width) - origin.x, host_.scale(b.top + b.height) - origin.y};
}

void NativePeer::applyBounds() {
  const RECT r = nativeBounds();
  SetWindowPos(handle_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

void NativePeer::applyVisible() {
  ShowWindow(handle_, effectivelyVisible() ? SW_SHOWNA : SW_HIDE);
}

void NativePeer::applyFont() {
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(host_.font(nativeFont())), TRUE);
}

Color NativePeer::backgroundColor() const {
  for (const Control* c = &control_; c; c = c->parent()) {
    if (c->color() != kDefaultColor) return c->color();
  }
  return kDefaultColor;
}

COLORREF NativePeer::textColor() const {
  const Color color = control_.font().color;
  return color == kDefaultColor ? GetSysColor(COLOR_BTNTEXT) : color;
}

HBRUSH NativePeer::controlColor(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, textColor());
  const Color background = backgroundColor();
  SetBkColor(dc, nativeColor(background));
  return host_.brush(background);
}

COLORREF nativeColor(Color color) {
  return color == kDefaultColor ? GetSysColor(COLOR_BTNFACE) : color;
}

std::u16string windowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
  const int copied = GetWindowTextW(window, reinterpret_cast<wchar_t*>(text.data()), length + 1);
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace ui::win32
