#pragma once
// The top-level window of a form: frame styles, the client size the model
// lays out, scrolling when made smaller than designed, closing, the wait
// cursor and keeping the focus across activation.
#include "ui/Controls.h"
#include "ui/win32/NativePeer.h"

namespace ui::win32 {

class FormPeer : public NativePeer {
 public:
  FormPeer(WindowHost& host, Form& form, bool isMain);
  Form& form() const { return form_; }
  bool isMain() const { return isMain_; }
  bool holdsChildren() const override { return true; }
  POINT childOrigin(const Control& child) const override;

  void centreOnScreen();
  // Focus asked for while the window was hidden, given once it shows.
  void setPendingFocus(HWND control) { pendingFocus_ = control; }
  void focusOnShow();

 private:
  Creation creation() const override;
  bool takesFocus() const override { return false; }
  void created() override;
  void update(Property property) override;
  void applyBounds() override;
  void applyVisible() override {}
  LRESULT windowMessage(UINT message, WPARAM w, LPARAM l) override;

  void fitWindowToDesign();
  void addSystemMenuCommands();
  bool runSystemMenuCommand(WPARAM command);
  void limitTracking(MINMAXINFO& limits) const;
  void clientResized();
  void updateScrollBars();
  void scroll(int bar, WORD request);
  void moveChildren();

  Form& form_;
  bool isMain_;
  Rect designed_;  // the client area as laid out before any resize
  POINT scroll_{0, 0};
  bool tracksClientSize_ = false;
  bool resizingFromUser_ = false;
  bool updatingScrollBars_ = false;
  HWND pendingFocus_ = nullptr;
  HWND focusBeforeDeactivation_ = nullptr;
};

}  // namespace ui::win32
