#pragma once
// The base of every Win32 peer: one native window mirroring one control.
// Common properties (text, enabled, visible, bounds, font, focus) are handled
// here; each kind adds what is its own.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "ui/Control.h"
#include "ui/TextSearch.h"

namespace ui::win32 {

class WindowHost;

class NativePeer : public ControlPeer {
 public:
  NativePeer(WindowHost& host, Control& control) : host_(host), control_(control) {}
  ~NativePeer() override;
  NativePeer(const NativePeer&) = delete;
  NativePeer& operator=(const NativePeer&) = delete;

  // Creates the native window under parent (nullptr for a top-level window)
  // with the given control ID, then brings it in line with the model.
  void create(HWND parent, int controlId);
  HWND handle() const { return handle_; }
  Control& control() const { return control_; }
  // The peer of a window this program created, or nullptr.
  static NativePeer* fromHandle(HWND window);
  // Whether the children of this control are native children of this window.
  virtual bool holdsChildren() const { return false; }
  // Whether the window is visible from the moment it is created.
  bool showsWhenCreated() const { return effectivelyVisible(); }
  // Whether Find searches this control's text (a read-only memo's), where the
  // next match lies from a position in it, and the selection in it,
  // [start, end).
  virtual bool searchable() const { return false; }
  virtual std::optional<std::size_t> find(const TextSearch& /*search*/,
                                          std::size_t /*from*/) const {
    return std::nullopt;
  }
  virtual std::pair<std::size_t, std::size_t> selectedRange() const { return {0, 0}; }
  virtual void selectRange(std::size_t /*start*/, std::size_t /*end*/) {}
  // Where this window's client origin lies, in device pixels (scrolled forms).
  virtual POINT childOrigin(const Control& /*child*/) const { return {0, 0}; }

  void modelChanged(Property property) override;

  // Notifications the parent window routes to the control that sent them.
  virtual void command(WORD /*notification*/) {}
  virtual bool drawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
  // WM_CTLCOLOR*: the brush to paint with, nullptr for the system's.
  virtual HBRUSH controlColor(HDC dc);

  // Stops all traffic with the model; the window may go on alone until the
  // host destroys it (at shutdown the controls may already be gone).
  void detachFromModel() { attached_ = false; }
  bool attached() const { return attached_; }

  // Window procedure of the program's own window classes (lpParam = peer).
  static LRESULT CALLBACK classWindowProc(HWND window, UINT message, WPARAM w, LPARAM l);

 protected:
  struct Creation {
    const wchar_t* windowClass;
    DWORD style;
    DWORD extendedStyle = 0;
  };
  virtual Creation creation() const = 0;
  virtual bool takesFocus() const { return true; }
  // After the window exists: subclassing and kind-specific set-up.
  virtual void created() {}
  virtual void update(Property /*property*/) {}
  virtual void applyText();
  virtual void applyBounds();
  virtual void applyVisible();
  virtual bool effectivelyVisible() const { return control_.visible(); }
  virtual Font nativeFont() const { return control_.effectiveFont(); }
  virtual void applyFont();

  virtual LRESULT windowMessage(UINT message, WPARAM w, LPARAM l);
  // WM_ERASEBKGND: fills the client area with the colour.
  LRESULT eraseBackground(WPARAM dc, Color color);
  // WM_PAINT: paints through painter while the window mirrors its control.
  LRESULT paintWith(const std::function<void(HDC)>& painter);
  // Hands WM_COMMAND, WM_DRAWITEM and WM_CTLCOLOR* to the child's peer.
  static bool routeFromChild(UINT message, WPARAM w, LPARAM l, LRESULT& result);
  // Subclassing of a system control: its messages pass subclassMessage first.
  void subclass();
  virtual LRESULT subclassMessage(UINT message, WPARAM w, LPARAM l);
  LRESULT defaultSubclassMessage(UINT message, WPARAM w, LPARAM l);

  // The rectangle in device pixels relative to the parent window.
  RECT nativeBounds() const;
  // Sets the window text without the change coming back as user input.
  void setWindowTextQuietly(const std::u16string& text);
  bool settingText() const { return settingText_; }
  // The colour behind this control: its own or its nearest coloured parent's.
  Color backgroundColor() const;
  COLORREF textColor() const;

  WindowHost& host_;
  Control& control_;

 private:
  static LRESULT CALLBACK subclassProc(HWND window, UINT message, WPARAM w, LPARAM l);
  void registerHandle(HWND window);
  void forgetHandle();

  HWND handle_ = nullptr;
  WNDPROC systemProcedure_ = nullptr;  // of a subclassed system control
  bool settingText_ = false;
  bool attached_ = true;
};

// UTF-16 text as the W functions take it (wchar_t is 16 bits on Windows).
inline const wchar_t* wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}
std::u16string windowText(HWND window);
// A model colour as GDI takes it; the default is the system's face colour.
COLORREF nativeColor(Color color);

}  // namespace ui::win32
