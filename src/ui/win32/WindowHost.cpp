#include "ui/win32/WindowHost.h"

#include <commctrl.h>

#include <algorithm>
#include <cassert>
#include <climits>
#include <utility>

#include "platform/win32/SystemFunction.h"
#include "ui/win32/ControlId.h"
#include "ui/win32/FormPeer.h"
#include "ui/win32/Peers.h"

namespace ui::win32 {

namespace {

void registerClass(HINSTANCE instance, const wchar_t* name, HICON icon) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = NativePeer::classWindowProc;
  windowClass.hInstance = instance;
  windowClass.hIcon = icon;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);  // a second host in one process finds it registered
}

// The controls of one parent in Tab order; those outside it keep their place
// after the others, so that IsDialogMessage walks them as the program says.
std::vector<Control*> inTabOrder(const Control& parent) {
  std::vector<Control*> ordered = parent.children();
  std::stable_sort(ordered.begin(), ordered.end(), [](const Control* a, const Control* b) {
    const int left = a->tabOrder() < 0 ? INT_MAX : a->tabOrder();
    const int right = b->tabOrder() < 0 ? INT_MAX : b->tabOrder();
    return left < right;
  });
  return ordered;
}

bool shownAndEnabled(const Control& control) {
  for (const Control* c = &control; c; c = c->parent()) {
    if (!c->visible() || !c->enabled()) return false;
  }
  return true;
}

const Button* defaultButtonIn(const Control& control) {
  for (const Control* child : control.children()) {
    if (child->kind() == Kind::Button && static_cast<const Button*>(child)->isDefault &&
        shownAndEnabled(*child))
      return static_cast<const Button*>(child);
    if (const Button* found = defaultButtonIn(*child)) return found;
  }
  return nullptr;
}

bool droppedComboBox(HWND window) {
  const NativePeer* peer = NativePeer::fromHandle(window);
  return peer && peer->control().kind() == Kind::ComboBox &&
         SendMessageW(window, CB_GETDROPPEDSTATE, 0, 0);
}

// Resolved at run time: Windows 7 and 8 have no per-window DPI.
int dpiOfWindow(HWND window) {
  static const auto getDpiForWindow =
      platform::systemFunction<UINT(WINAPI*)(HWND)>(L"user32.dll", "GetDpiForWindow");
  return getDpiForWindow ? static_cast<int>(getDpiForWindow(window)) : 0;
}

bool isEscape(const MSG& message) {
  const bool key =
      (message.message == WM_KEYDOWN || message.message == WM_KEYUP) && message.wParam == VK_ESCAPE;
  const bool character = message.message == WM_CHAR && message.wParam == 0x1B;
  return key || character;
}

}  // namespace

WindowHost::WindowHost(HINSTANCE instance, HICON icon, const EventDispatcher& dispatcher)
    : instance_(instance),
      icon_(icon),
      // The caption's icon at its own size, read again from the resource
      // rather than shrunk from the large one, so it stays sharp.
      smallIcon_(
          icon ? static_cast<HICON>(CopyImage(icon, IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), LR_COPYFROMRESOURCE))
               : nullptr),
      dispatcher_(dispatcher) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  registerClass(instance_, L"QuorvelForm", icon_);
  registerClass(instance_, L"QuorvelPanel", nullptr);
  registerClass(instance_, L"QuorvelTextView", nullptr);
  HDC screen = GetDC(nullptr);
  dpi_ = std::max(96, GetDeviceCaps(screen, LOGPIXELSY));
  ReleaseDC(nullptr, screen);
}

WindowHost::~WindowHost() {
  // The controls may be gone already: nothing below may reach them.
  for (auto& peer : peers_) peer->detachFromModel();
  for (auto& peer : peers_) {
    if (dynamic_cast<FormPeer*>(peer.get()) && peer->handle()) DestroyWindow(peer->handle());
  }
  peers_.clear();
  for (auto& [key, font] : fonts_) DeleteObject(font);
  for (auto& [color, brush] : brushes_) DeleteObject(brush);
  if (measuringDc_) DeleteDC(measuringDc_);
  if (smallIcon_) DestroyIcon(smallIcon_);
}

void WindowHost::takeDpiOf(HWND topLevelWindow) {
  if (dpiFromWindow_) return;
  dpiFromWindow_ = true;
  if (const int dpi = dpiOfWindow(topLevelWindow); dpi > 0) dpi_ = std::max(96, dpi);
}

void WindowHost::dpiChanged(HWND window, int dpi, const RECT& suggested) {
  dpi_ = std::max(96, dpi);
  // The fonts first: a label without a size measures its text with its font.
  std::map<std::tuple<std::u16string, int, bool>, HFONT> previousFonts;
  previousFonts.swap(fonts_);
  for (const auto& peer : peers_) {
    if (dynamic_cast<FormPeer*>(peer.get()))
      peer->modelChanged(Property::Font);  // and its children
  }
  for (auto& [key, font] : previousFonts) DeleteObject(font);
  SetWindowPos(window, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  // The other forms fit their frames to their design at the new scale; the
  // controls are placed as the model has them, whether or not it moved them.
  for (const auto& peer : peers_) {
    if (peer->handle() != window) peer->modelChanged(Property::Bounds);
  }
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void WindowHost::createWindow(Form& form, bool isMain) {
  auto peer = std::make_unique<FormPeer>(*this, form, isMain);
  FormPeer& formPeer = *peer;
  peers_.push_back(std::move(peer));
  form.attachPeer(&formPeer);
  formPeer.create(nullptr, 0);
  if (isMain) mainWindow_ = formPeer.handle();
  std::vector<int> usedIds;
  createControls(form, formPeer.handle(), usedIds, isMain);
  if (isMain) mainWindowIds_ = std::move(usedIds);
  // Where the program put the focus before the window existed.
  if (const Control* focused = form.focusedControl()) {
    if (HWND control = handleOf(*focused)) formPeer.setPendingFocus(control);
  }
}

void WindowHost::createControls(Control& parent, HWND parentWindow, std::vector<int>& usedIds,
                                bool hiddenWait) {
  const Control* previous = nullptr;
  for (Control* child : inTabOrder(parent)) {
    std::unique_ptr<NativePeer> peer = makePeer(*this, *child);
    if (!peer) continue;
    if (hiddenWait && peer->holdsChildren() && !peer->showsWhenCreated())
      pendingControls_.push_back({child, parentWindow, previous});
    else
      createControl(std::move(peer), parentWindow, usedIds, hiddenWait);
    previous = child;
  }
}

void WindowHost::createControl(std::unique_ptr<NativePeer> peer, HWND parentWindow,
                               std::vector<int>& usedIds, bool hiddenWait) {
  Control& control = peer->control();
  int id = controlIdFor(control.name());
  assert(std::find(usedIds.begin(), usedIds.end(), id) == usedIds.end() &&
         "two controls of one window have names with the same control ID");
  while (std::find(usedIds.begin(), usedIds.end(), id) != usedIds.end())
    id = id == kLastControlId ? kFirstControlId : id + 1;
  usedIds.push_back(id);
  NativePeer& created = *peer;
  peers_.push_back(std::move(peer));
  control.attachPeer(&created);
  created.create(parentWindow, id);
  if (created.holdsChildren()) createControls(control, created.handle(), usedIds, hiddenWait);
}

void WindowHost::createPendingControl(const Control& control) {
  const auto found = std::find_if(pendingControls_.begin(), pendingControls_.end(),
                                  [&](const PendingControl& p) { return p.control == &control; });
  if (found != pendingControls_.end()) createFromPending(found);
}

void WindowHost::announceWhenAllCreated() {
  if (pendingControls_.empty() && mainWindow_)
    SetPropW(mainWindow_, kControlsCreatedProperty, reinterpret_cast<HANDLE>(1));
}

void WindowHost::createFromPending(std::vector<PendingControl>::iterator waiting) {
  // Out of the list before it is made: nothing its creation sends finds it
  // still waiting.
  const PendingControl pending = *waiting;
  pendingControls_.erase(waiting);
  if (IsWindow(pending.parentWindow)) {
    createControl(makePeer(*this, *pending.control), pending.parentWindow, mainWindowIds_, false);
    // Back to its place among its siblings, which is the order Tab walks and
    // the order overlapping controls are drawn in.
    HWND after = pending.after ? handleOf(*pending.after) : HWND_TOP;
    if (after) {
      SetWindowPos(handleOf(*pending.control), after, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  announceWhenAllCreated();
}

FormPeer* WindowHost::formPeerOf(const Form& form) const {
  return dynamic_cast<FormPeer*>(form.peer());
}

HWND WindowHost::handleOf(const Control& control) const {
  const auto* peer = dynamic_cast<const NativePeer*>(control.peer());
  return peer ? peer->handle() : nullptr;
}

void WindowHost::showMain(Form& form) {
  if (!formPeerOf(form)) createWindow(form, true);
  FormPeer& peer = *formPeerOf(form);
  if (!peer.handle()) return;  // closed while starting: the loop ends at once
  if (form.closeRequested()) {
    DestroyWindow(peer.handle());
    return;
  }
  dispatcher_.run([&] { form.showing(); });
  peer.centreOnScreen();
  ShowWindow(peer.handle(), SW_SHOW);
  SetForegroundWindow(peer.handle());
  UpdateWindow(peer.handle());
  peer.focusOnShow();
  announceWhenAllCreated();
}

void WindowHost::showModal(Form& form) {
  if (!formPeerOf(form)) createWindow(form, false);
  FormPeer& peer = *formPeerOf(form);
  HWND window = peer.handle();
  if (!window) return;
  HWND owner = GetActiveWindow();
  if (!owner || owner == window) owner = mainWindow_;
  if (owner) SetWindowLongPtrW(window, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  dispatcher_.run([&] { form.showing(); });
  peer.centreOnScreen();
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  peer.focusOnShow();
  MSG message;
  while (!form.closeRequested() && IsWindow(window)) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      PostQuitMessage(static_cast<int>(message.wParam));  // for the main loop
      break;
    }
    processMessage(message);
  }
  // The owner is enabled before the window hides, so it gets the activation.
  if (ownerWasEnabled) EnableWindow(owner, TRUE);
  if (IsWindow(window)) ShowWindow(window, SW_HIDE);
  if (owner && IsWindow(owner)) SetActiveWindow(owner);
}

int WindowHost::runMessageLoop() {
  MSG message{};
  for (;;) {
    // A hidden page at a time, and only while no input waits: the program
    // takes its first input sooner, and input never waits for a page.
    if (!pendingControls_.empty() && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
      createFromPending(pendingControls_.begin());
      continue;
    }
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
    processMessage(message);
  }
  return static_cast<int>(message.wParam);
}

void WindowHost::processPendingMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    processMessage(message);
  }
}

void WindowHost::processMessage(MSG& message) {
  // The Find dialog takes its own keys first: Esc closes it.
  if (textFinder_.takeKey(message) || textFinder_.takeDialogMessage(message)) return;
  // Esc closes only a window that shows a message or cancels with it;
  // elsewhere it just folds a dropped list.
  if (isEscape(message) && !droppedComboBox(message.hwnd)) {
    if (message.message == WM_KEYDOWN) closeIfItClosesWith(ClosingKey::Escape, message.hwnd);
    return;
  }
  if (pressDefaultButton(message)) return;
  HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (root && dynamic_cast<FormPeer*>(NativePeer::fromHandle(root)) &&
      IsDialogMessageW(root, &message))
    return;
  TranslateMessage(&message);
  DispatchMessageW(&message);
}

bool WindowHost::pressDefaultButton(const MSG& message) {
  if (message.message != WM_KEYDOWN || message.wParam != VK_RETURN) return false;
  // The key's own window, which had the focus when the key was pressed; the
  // focus may have moved since (another program's window came up meanwhile).
  HWND focus = message.hwnd;
  auto* form = dynamic_cast<FormPeer*>(NativePeer::fromHandle(GetAncestor(focus, GA_ROOT)));
  if (!focus || !form || droppedComboBox(focus)) return false;
  if (NativePeer* focused = NativePeer::fromHandle(focus)) {
    const Control& control = focused->control();
    if (control.kind() == Kind::Memo && !static_cast<const Memo&>(control).readOnly())
      return false;  // a new line
    if (control.kind() == Kind::Button) {
      focused->command(BN_CLICKED);
      return true;
    }
  }
  if (const Button* button = defaultButtonIn(form->form())) {
    NativePeer* peer = NativePeer::fromHandle(handleOf(*button));
    if (peer) peer->command(BN_CLICKED);
  } else {
    closeIfItClosesWith(ClosingKey::Enter, focus);
  }
  return true;
}

void WindowHost::closeIfItClosesWith(ClosingKey key, HWND window) {
  HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
  auto* form = dynamic_cast<FormPeer*>(NativePeer::fromHandle(root));
  if (!form) return;
  const Form& closing = form->form();
  if (closing.closesWithEscapeAndEnter || (key == ClosingKey::Escape && closing.closesWithEscape))
    dispatcher_.run([form] { form->form().close(); });
}

HDC WindowHost::measuringDc() {
  if (!measuringDc_) measuringDc_ = CreateCompatibleDC(nullptr);
  return measuringDc_;
}

HFONT WindowHost::font(const Font& font) {
  const std::u16string name = font.name.empty() ? u"Tahoma" : font.name;
  const int height = font.height > 0 ? font.height : 11;
  const auto key = std::make_tuple(name, height, font.bold);
  if (auto found = fonts_.find(key); found != fonts_.end()) return found->second;
  HFONT created =
      CreateFontW(-scale(height), 0, 0, 0, font.bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE,
                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                  DEFAULT_PITCH | FF_DONTCARE, wide(name));
  fonts_.emplace(key, created);
  return created;
}

HBRUSH WindowHost::brush(Color color) {
  if (color == kDefaultColor) return GetSysColorBrush(COLOR_BTNFACE);
  if (auto found = brushes_.find(color); found != brushes_.end()) return found->second;
  HBRUSH created = CreateSolidBrush(color);
  brushes_.emplace(color, created);
  return created;
}

void WindowHost::setWaitCursor(bool wait) {
  // Clicks and keys given while the device worked are dropped, never replayed
  // once it has answered: nothing can be done during a device call.
  if (waitCursor_ && !wait) discardPendingInput();
  waitCursor_ = wait;
  // Shown at once: the thread may block in a library call before any message.
  SetCursor(LoadCursorW(nullptr, wait ? IDC_WAIT : IDC_ARROW));
}

void WindowHost::discardPendingInput() {
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  while (PeekMessageW(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
  }
}

void WindowHost::requestFocus(HWND control) {
  HWND root = GetAncestor(control, GA_ROOT);
  if (IsWindowVisible(root)) {
    SetFocus(control);
  } else if (auto* form = dynamic_cast<FormPeer*>(NativePeer::fromHandle(root))) {
    form->setPendingFocus(control);
  }
}

void WindowHost::mainWindowDestroyed() {
  RemovePropW(mainWindow_, kControlsCreatedProperty);
  mainWindow_ = nullptr;
  pendingControls_.clear();
  PostQuitMessage(0);
}

void WindowHost::wakeMessageLoop() const {
  PostMessageW(nullptr, WM_NULL, 0, 0);
}

}  // namespace ui::win32
