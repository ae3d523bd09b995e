#pragma once
// Creates the native windows of forms, owns their peers and runs the message
// loops (the program's and the modal ones). Shared services of the peers live
// here too: DPI scaling, fonts, brushes, the application-wide wait cursor.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <tuple>
#include <vector>

#include "ui/Controls.h"
#include "ui/EventDispatcher.h"
#include "ui/win32/TextFinder.h"

namespace ui::win32 {

class NativePeer;
class FormPeer;

class WindowHost {
 public:
  WindowHost(HINSTANCE instance, HICON icon, const EventDispatcher& dispatcher);
  ~WindowHost();
  WindowHost(const WindowHost&) = delete;
  WindowHost& operator=(const WindowHost&) = delete;

  // Creates the form's window and all its controls, hidden. The main window is
  // on the task bar and its closing ends runMessageLoop. Its hidden pages
  // wait: under Wine each window costs most of a millisecond, so showMain
  // puts the window on the screen with what it shows, and the message loop
  // creates the hidden pages one at a time whenever no input waits. Once
  // all exist the main window gets kControlsCreatedProperty.
  void createWindow(Form& form, bool isMain);
  void showMain(Form& form);
  // Creates a hidden page or panel of the main window still waiting, which
  // a page control is about to show.
  void createPendingControl(const Control& control);
  // Shows the form modally, centred on the screen; returns once it is closed.
  void showModal(Form& form);
  int runMessageLoop();
  // Handles the messages already queued (tests drive windows with this).
  void processPendingMessages();

  // The native window of a control, or nullptr when it has none.
  HWND handleOf(const Control& control) const;
  HWND mainWindow() const { return mainWindow_; }

  HINSTANCE instance() const { return instance_; }
  HICON icon() const { return icon_; }
  HICON smallIcon() const { return smallIcon_ ? smallIcon_ : icon_; }
  const EventDispatcher& dispatcher() const { return dispatcher_; }
  int scale(int modelPixels) const { return MulDiv(modelPixels, dpi_, 96); }
  int unscale(int devicePixels) const { return MulDiv(devicePixels, 96, dpi_); }
  int dpi() const { return dpi_; }
  // The first top-level window sets the DPI: that of its monitor where
  // Windows tells it (10 and later), the screen's otherwise.
  void takeDpiOf(HWND topLevelWindow);
  // WM_DPICHANGED: window went to a monitor of another DPI. Fonts are made
  // anew, every control is placed again at the new scale and window takes
  // the rectangle Windows suggests.
  void dpiChanged(HWND window, int dpi, const RECT& suggested);
  HFONT font(const Font& font);
  // A device context to measure text and fonts in, like the screen's. One
  // for the program: getting a window's or the screen's costs Wine trips to
  // its server.
  HDC measuringDc();
  HBRUSH brush(Color color);
  bool waitCursor() const { return waitCursor_; }
  void setWaitCursor(bool wait);
  // Focuses the control now, or when its window shows if it is hidden.
  void requestFocus(HWND control);
  void mainWindowDestroyed();
  TextFinder& textFinder() { return textFinder_; }
  void wakeMessageLoop() const;

 private:
  // A hidden container of the main window waiting for its window, with the
  // sibling it follows.
  struct PendingControl {
    Control* control;
    HWND parentWindow;
    const Control* after;  // nullptr: the first of its siblings
  };
  // The controls of parent, in Tab order; with hiddenWait, a hidden
  // container waits in pendingControls_ instead.
  void createControls(Control& parent, HWND parentWindow, std::vector<int>& usedIds,
                      bool hiddenWait);
  void createControl(std::unique_ptr<NativePeer> peer, HWND parentWindow, std::vector<int>& usedIds,
                     bool hiddenWait);
  // Takes the waiting container out of pendingControls_ and creates it (not
  // when its parent's window is gone); announces when none waits any more.
  void createFromPending(std::vector<PendingControl>::iterator waiting);
  // Marks the main window once no hidden container waits any more.
  void announceWhenAllCreated();
  void processMessage(MSG& message);
  void discardPendingInput();
  bool pressDefaultButton(const MSG& message);
  enum class ClosingKey { Escape, Enter };
  void closeIfItClosesWith(ClosingKey key, HWND window);
  FormPeer* formPeerOf(const Form& form) const;

  HINSTANCE instance_;
  HICON icon_;
  HICON smallIcon_;
  TextFinder textFinder_;
  const EventDispatcher& dispatcher_;
  int dpi_ = 96;
  bool dpiFromWindow_ = false;
  HWND mainWindow_ = nullptr;
  bool waitCursor_ = false;
  std::vector<std::unique_ptr<NativePeer>> peers_;
  // The main window's hidden containers not created yet, and the control
  // IDs its created controls took.
  std::vector<PendingControl> pendingControls_;
  std::vector<int> mainWindowIds_;
  std::map<std::tuple<std::u16string, int, bool>, HFONT> fonts_;
  std::map<Color, HBRUSH> brushes_;
  HDC measuringDc_ = nullptr;
};

}  // namespace ui::win32
