#pragma once
// The peers of the leaf controls. Forms and panels have their own headers.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/Controls.h"
#include "ui/EditMask.h"
#include "ui/TextSource.h"
#include "ui/win32/NativePeer.h"
#include "ui/win32/PngDecoder.h"

namespace ui::win32 {

// The peer for a control of any kind but Form.
std::unique_ptr<NativePeer> makePeer(WindowHost& host, Control& control);

class LabelPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;

 private:
  Creation creation() const override;
  bool takesFocus() const override { return false; }
  void applyText() override;
  void applyBounds() override;
};

// A push button; drawn by us, like its themed neighbours, when its caption
// has a colour of its own.
class ButtonPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;
  void command(WORD notification) override;
  bool drawItem(const DRAWITEMSTRUCT& item) override;
  HBRUSH controlColor(HDC) override { return nullptr; }

 private:
  Creation creation() const override;
  void update(Property property) override;
  bool captionColoured() const { return control_.font().color != kDefaultColor; }
  bool ownerDrawn() const;
  // The caption's font, a little smaller where the caption would otherwise
  // run under the focus rectangle.
  Font nativeFont() const override;
  LRESULT subclassMessage(UINT message, WPARAM w, LPARAM l) override;
  // As in a dialog, the focused push button is the one Enter presses and the
  // only one drawn as the default; with the focus elsewhere, the button the
  // program made the default is again.
  void focusMoved(HWND to);
  void showAsDefault(bool isDefault);
  bool modelDefault() const { return static_cast<const Button&>(control_).isDefault; }
  bool hot_ = false;
  bool defaultLook_ = modelDefault();
};

class CheckBoxPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;
  void command(WORD notification) override;

 private:
  Creation creation() const override;
  void update(Property property) override;
};

class EditPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;
  void command(WORD notification) override;
  HBRUSH controlColor(HDC dc) override;

 protected:
  Creation creation() const override;
  void applyText() override;
  void update(Property property) override;
  const Edit& edit() const { return static_cast<const Edit&>(control_); }
};

class MemoPeer : public EditPeer {
 public:
  using EditPeer::EditPeer;
  bool searchable() const override;
  std::optional<std::size_t> find(const TextSearch& search, std::size_t from) const override;
  std::pair<std::size_t, std::size_t> selectedRange() const override;
  void selectRange(std::size_t start, std::size_t end) override;

 private:
  Creation creation() const override;
  void applyFont() override;
  Font nativeFont() const override;
  void update(Property property) override;
};

// The font a memo is shown in: fixed-pitch memos take the first fixed-pitch
// face the system has.
Font memoFont(const Memo& memo);

// A read-only view of a large text: the memo's source (a device's log in its
// bytes) or its own text. The view keeps only the lines' source and makes the
// lines on the screen when it draws them, so showing tens of megabytes costs
// what the source's line index cost (an edit control needs seconds for that).
// Scrolls with the keyboard, the wheel and the scroll bars; Ctrl+C (and
// WM_COPY) copies the whole text; WM_GETTEXT hands it out, made from the
// source when asked, so screen readers and automation read it as they read
// an edit.
class TextViewPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;
  bool searchable() const override { return true; }
  std::optional<std::size_t> find(const TextSearch& search, std::size_t from) const override;
  std::pair<std::size_t, std::size_t> selectedRange() const override {
    return {selStart_, selEnd_};
  }
  void selectRange(std::size_t start, std::size_t end) override;

 private:
  Creation creation() const override;
  Font nativeFont() const override;
  void created() override;
  void applyText() override;
  void update(Property property) override;
  LRESULT windowMessage(UINT message, WPARAM w, LPARAM l) override;
  void measureFont();
  void paint(HDC dc);
  void paintSelection(HDC dc, std::size_t line, std::u16string_view text, int row) const;
  void updateScrollBars();
  void scrollTo(long long line, long long column);
  void onScroll(int bar, WORD request);
  bool onKey(WPARAM key);
  void copyToClipboard() const;
  LRESULT copyText(WPARAM capacity, LPARAM buffer) const;
  int visibleLines() const;
  int visibleColumns() const;
  long long lineCount() const { return static_cast<long long>(lines_->lineCount()); }

  std::shared_ptr<const TextSource> lines_ = std::make_shared<TextLines>(std::u16string_view());
  // Positions in the whole text, counted only when the selection, Find or
  // automation first needs them.
  std::unique_ptr<SourceText> text_ = std::make_unique<SourceText>(*lines_);
  long long topLine_ = 0;
  long long leftColumn_ = 0;
  int lineHeight_ = 1;
  int charWidth_ = 1;
  std::size_t selStart_ = 0;
  std::size_t selEnd_ = 0;
};

// An edit showing a mask's punctuation; every key goes through EditMask so
// the field only ever shows a well-formed mask.
class MaskEditPeer : public EditPeer {
 public:
  MaskEditPeer(WindowHost& host, MaskEdit& control);
  void command(WORD notification) override;

 private:
  void applyText() override;
  LRESULT subclassMessage(UINT message, WPARAM w, LPARAM l) override;
  MaskSelection selection() const;
  // Shows the result of an edit and hands the new text to the model.
  void apply(const MaskEditResult& result);
  void moveCaret(std::size_t caret);
  std::u16string clipboardText() const;
  EditMask mask_;
};

class ComboBoxPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;
  void command(WORD notification) override;

 private:
  Creation creation() const override;
  void applyText() override {}
  void applyBounds() override;
  void update(Property property) override;
};

class RadioGroupPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;

 private:
  Creation creation() const override;
  bool takesFocus() const override { return false; }
  void applyText() override { InvalidateRect(handle(), nullptr, TRUE); }
  void update(Property property) override;
  LRESULT windowMessage(UINT message, WPARAM w, LPARAM l) override;
  void createButtons();
  void layOutButtons();
  void paintFrame(HDC dc);
  const RadioGroup& group() const { return static_cast<const RadioGroup&>(control_); }
  std::vector<HWND> buttons_;
};

class ImagePeer : public NativePeer {
 public:
  using NativePeer::NativePeer;

 private:
  Creation creation() const override;
  bool takesFocus() const override { return false; }
  void applyText() override {}
  void update(Property property) override;
  LRESULT windowMessage(UINT message, WPARAM w, LPARAM l) override;
  void paint(HDC dc);
  RECT placement(const RECT& box) const;
  const Image& image() const { return static_cast<const Image&>(control_); }
  std::string decodedSource_;
  std::optional<Bitmap> bitmap_;
};

class StatusBarPeer : public NativePeer {
 public:
  using NativePeer::NativePeer;
  HBRUSH controlColor(HDC) override { return nullptr; }

 private:
  Creation creation() const override;
  bool takesFocus() const override { return false; }
  void created() override;
  void update(Property property) override;
  void applyBounds() override;
};

}  // namespace ui::win32
