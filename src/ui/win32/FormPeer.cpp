#include "ui/win32/FormPeer.h"

#include <algorithm>

#include "ui/win32/WindowHost.h"

namespace ui::win32 {

FormPeer::FormPeer(WindowHost& host, Form& form, bool isMain)
    : NativePeer(host, form), form_(form), isMain_(isMain), designed_(form.bounds()) {}

NativePeer::Creation FormPeer::creation() const {
  DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  DWORD extended = WS_EX_CONTROLPARENT;
  if (isMain_)
    extended |= WS_EX_APPWINDOW;
  else
    style |= WS_POPUP;
  if (form_.borderStyle == BorderStyle::Sizeable) {
    style |= WS_THICKFRAME;
    if (form_.maximizeBox) style |= WS_MAXIMIZEBOX;
  } else {
    extended |= WS_EX_DLGMODALFRAME;
  }
  if (form_.minimizeBox) style |= WS_MINIMIZEBOX;
  if (form_.stayOnTop) extended |= WS_EX_TOPMOST;
  return {L"QuorvelForm", style, extended};
}

void FormPeer::created() {
  if (HICON icon = host_.icon()) {
    SendMessageW(handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(host_.smallIcon()));
  }
  addSystemMenuCommands();
  fitWindowToDesign();
  // Sizes Windows reported while the window was being made (a frame's
  // minimum) were not the form's; from now on the client size is.
  tracksClientSize_ = true;
  clientResized();
}

namespace {
// System menu commands of the program: below the system's own (which start
// at 0xF000), and multiples of 16, since Windows keeps the low four bits.
constexpr UINT kFirstSystemMenuCommand = 0x0100;
constexpr UINT kSystemMenuCommandStep = 0x10;
}  // namespace

void FormPeer::addSystemMenuCommands() {
  const std::vector<Form::SystemMenuCommand>& commands = form_.systemMenuCommands;
  if (commands.empty()) return;
  HMENU menu = GetSystemMenu(handle(), FALSE);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  UINT id = kFirstSystemMenuCommand;
  for (const Form::SystemMenuCommand& command : commands) {
    AppendMenuW(menu, MF_STRING, id, wide(command.caption));
    id += kSystemMenuCommandStep;
  }
}

bool FormPeer::runSystemMenuCommand(WPARAM command) {
  const UINT id = static_cast<UINT>(command) & 0xFFF0;
  if (id < kFirstSystemMenuCommand) return false;
  const std::size_t index = (id - kFirstSystemMenuCommand) / kSystemMenuCommandStep;
  const std::vector<Form::SystemMenuCommand>& commands = form_.systemMenuCommands;
  if (index >= commands.size()) return false;
  host_.dispatcher().run([&] {
    if (const Handler& choose = commands[index].onChoose) choose();
  });
  return true;
}

void FormPeer::applyBounds() {
  if (resizingFromUser_) return;
  designed_ = form_.bounds();
  fitWindowToDesign();
}

void FormPeer::fitWindowToDesign() {
  RECT frame{0, 0, host_.scale(designed_.width), host_.scale(designed_.height)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(handle(), GWL_EXSTYLE)));
  SetWindowPos(handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A window that can be resized is never made smaller than its design, so
// every page shows whole; only a screen smaller than that leaves it smaller,
// and then it scrolls.
void FormPeer::limitTracking(MINMAXINFO& limits) const {
  RECT frame{0, 0, host_.scale(designed_.width), host_.scale(designed_.height)};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(handle(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(handle(), GWL_EXSTYLE)));
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoW(MonitorFromWindow(handle(), MONITOR_DEFAULTTONEAREST), &monitor);
  const RECT& work = monitor.rcWork;
  limits.ptMinTrackSize.x = std::min(frame.right - frame.left, work.right - work.left);
  limits.ptMinTrackSize.y = std::min(frame.bottom - frame.top, work.bottom - work.top);
}

POINT FormPeer::childOrigin(const Control& child) const {
  if (child.kind() != Kind::StatusBar) return scroll_;
  // The status bar carries every answer of the device: it stays at the foot
  // of the visible area while the rest scrolls under it.
  RECT client;
  GetClientRect(handle(), &client);
  const Rect& bar = child.bounds();
  return {0, std::max<LONG>(0, host_.scale(bar.top + bar.height) - client.bottom)};
}

void FormPeer::update(Property property) {
  switch (property) {
    case Property::Cursor:
      host_.setWaitCursor(form_.cursor() == Cursor::Wait);
      break;
    case Property::Repaint:
      RedrawWindow(handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      break;
    case Property::BringToFront:
      if (IsWindowVisible(handle())) {
        SetForegroundWindow(handle());
        BringWindowToTop(handle());
      }
      break;
    case Property::Close:
      if (isMain_)
        DestroyWindow(handle());
      else
        host_.wakeMessageLoop();  // the modal loop sees closeRequested() and ends
      break;
    default:
      break;
  }
}

void FormPeer::centreOnScreen() {
  RECT window;
  RECT work;
  GetWindowRect(handle(), &window);
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int width = window.right - window.left;
  const int height = window.bottom - window.top;
  const int left = work.left + std::max(0L, (work.right - work.left - width) / 2);
  const int top = work.top + std::max(0L, (work.bottom - work.top - height) / 2);
  SetWindowPos(handle(), nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void FormPeer::focusOnShow() {
  HWND target = pendingFocus_;
  pendingFocus_ = nullptr;
  if (!target || !IsWindow(target) || !IsWindowVisible(target) || !IsWindowEnabled(target))
    target = GetNextDlgTabItem(handle(), nullptr, FALSE);
  if (target) SetFocus(target);
}

LRESULT FormPeer::windowMessage(UINT message, WPARAM w, LPARAM l) {
  if (!attached()) return DefWindowProcW(handle(), message, w, l);
  switch (message) {
    case WM_SIZE:
      if (w != SIZE_MINIMIZED && tracksClientSize_) clientResized();
      return 0;
    case WM_GETMINMAXINFO:
      if (tracksClientSize_ && form_.borderStyle == BorderStyle::Sizeable) {
        limitTracking(*reinterpret_cast<MINMAXINFO*>(l));
        return 0;
      }
      break;
    case WM_CLOSE:
      host_.dispatcher().run([this] { form_.close(); });
      return 0;
    case WM_SYSCOMMAND:
      if (runSystemMenuCommand(w)) return 0;
      break;
    case WM_DESTROY:
      if (isMain_) host_.mainWindowDestroyed();
      break;
    case WM_SETCURSOR:
      if (host_.waitCursor()) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_ACTIVATE:
      // Windows leaves the focus on the frame when a window is activated
      // again; the control that had it gets it back, as in a dialog.
      if (LOWORD(w) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(handle(), focus)) focusBeforeDeactivation_ = focus;
      } else if (focusBeforeDeactivation_ && IsWindow(focusBeforeDeactivation_) &&
                 IsChild(handle(), focusBeforeDeactivation_)) {
        SetFocus(focusBeforeDeactivation_);
        return 0;
      }
      break;
    case WM_HSCROLL:
      scroll(SB_HORZ, LOWORD(w));
      return 0;
    case WM_VSCROLL:
      scroll(SB_VERT, LOWORD(w));
      return 0;
    case WM_ERASEBKGND:
      return eraseBackground(w, form_.color());
    default:
      if (message == host_.textFinder().findMessage()) {
        host_.textFinder().onFindMessage(*reinterpret_cast<const FINDREPLACEW*>(l));
        return 0;
      }
      break;
  }
  return NativePeer::windowMessage(message, w, l);
}

void FormPeer::clientResized() {
  // Showing or hiding a scroll bar resizes the client again, re-entering here;
  // the inner call then lays out for the final size.
  if (form_.scrollsWhenSmall && !updatingScrollBars_) {
    updatingScrollBars_ = true;
    updateScrollBars();
    updatingScrollBars_ = false;
  }
  RECT client;
  GetClientRect(handle(), &client);
  int width = host_.unscale(client.right);
  int height = host_.unscale(client.bottom);
  if (form_.scrollsWhenSmall) {
    width = std::max(width, designed_.width);
    height = std::max(height, designed_.height);
  }
  resizingFromUser_ = true;
  host_.dispatcher().run([&] { form_.setClientSizeFromUser(width, height); });
  resizingFromUser_ = false;
  // Its place in the model may not change while the visible area does.
  for (Control* child : form_.children()) {
    if (child->kind() == Kind::StatusBar && child->peer())
      child->peer()->modelChanged(Property::Bounds);
  }
}

void FormPeer::updateScrollBars() {
  // Decided from the client area the window would have without scroll bars:
  // deciding from the area left beside the bars already shown would keep
  // them once the window is back at its design size.
  RECT client;
  GetClientRect(handle(), &client);
  const LONG_PTR style = GetWindowLongPtrW(handle(), GWL_STYLE);
  const int barWidth = GetSystemMetrics(SM_CXVSCROLL);
  const int barHeight = GetSystemMetrics(SM_CYHSCROLL);
  LONG width = client.right + ((style & WS_VSCROLL) ? barWidth : 0);
  LONG height = client.bottom + ((style & WS_HSCROLL) ? barHeight : 0);
  const int designWidth = host_.scale(designed_.width);
  const int designHeight = host_.scale(designed_.height);
  bool horizontal = width < designWidth;
  bool vertical = height < designHeight;
  if (horizontal && !vertical) vertical = height - barHeight < designHeight;
  if (vertical && !horizontal) horizontal = width - barWidth < designWidth;
  if (vertical) width -= barWidth;
  if (horizontal) height -= barHeight;

  const POINT before = scroll_;
  // A page as large as the range hides the bar.
  const auto set = [&](int bar, int extent, LONG shown, LONG& position) {
    position = std::clamp<LONG>(position, 0, std::max<LONG>(0, extent - shown));
    SCROLLINFO info{sizeof info,
                    SIF_RANGE | SIF_PAGE | SIF_POS,
                    0,
                    extent - 1,
                    static_cast<UINT>(shown),
                    static_cast<int>(position),
                    0};
    SetScrollInfo(handle(), bar, &info, TRUE);
  };
  set(SB_HORZ, designWidth, horizontal ? width : designWidth, scroll_.x);
  set(SB_VERT, designHeight, vertical ? height : designHeight, scroll_.y);
  if (before.x != scroll_.x || before.y != scroll_.y) moveChildren();
}

void FormPeer::scroll(int bar, WORD request) {
  SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(handle(), bar, &info);
  const int line = host_.scale(16);
  const int page = static_cast<int>(info.nPage);
  int position = info.nPos;
  switch (request) {
    case SB_LINEUP:
      position -= line;
      break;
    case SB_LINEDOWN:
      position += line;
      break;
    case SB_PAGEUP:
      position -= page;
      break;
    case SB_PAGEDOWN:
      position += page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = info.nTrackPos;
      break;
    case SB_TOP:
      position = 0;
      break;
    case SB_BOTTOM:
      position = info.nMax;
      break;
    default:
      return;
  }
  position = std::clamp(position, 0, std::max(0, info.nMax + 1 - page));
  info.fMask = SIF_POS;
  info.nPos = position;
  SetScrollInfo(handle(), bar, &info, TRUE);
  (bar == SB_HORZ ? scroll_.x : scroll_.y) = position;
  moveChildren();
}

void FormPeer::moveChildren() {
  for (Control* child : form_.children()) {
    if (child->peer()) child->peer()->modelChanged(Property::Bounds);
  }
  InvalidateRect(handle(), nullptr, TRUE);
}

}  // namespace ui::win32
