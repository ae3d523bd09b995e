#pragma once
// The concrete control kinds. Setting state from the program never fires the
// user's handlers; the *FromUser methods, called by the peers and by tests
// acting as the user, do. The one handler the program fires itself is onShow,
// when it shows a window or a page. A CreationOnly property is read when the
// native window is made (see ui/CreationOnly.h).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ui/Control.h"
#include "ui/CreationOnly.h"

namespace ui {

using Handler = std::function<void()>;

class TextSource;

class Label : public Control {
 public:
  Label(std::string name, Control* parent) : Control(Kind::Label, std::move(name), parent) {}
  CreationOnly<bool> centered = false;  // text centred in its box
};

class Button : public Control {
 public:
  Button(std::string name, Control* parent) : Control(Kind::Button, std::move(name), parent) {}
  Handler onClick;
  CreationOnly<bool> isDefault = false;  // Enter in the window presses it
  // Fires onClick as a user's click would (nothing when disabled or hidden).
  void click();
};

class Edit : public Control {
 public:
  Edit(std::string name, Control* parent, Kind kind = Kind::Edit)
      : Control(kind, std::move(name), parent) {}
  Handler onChange;

  int maxLength() const { return maxLength_; }  // 0: no limit
  void setMaxLength(int length) { maxLength_ = length; }
  char16_t passwordChar() const { return passwordChar_; }  // 0: shows the text
  void setPasswordChar(char16_t c);
  bool readOnly() const { return readOnly_; }
  void setReadOnly(bool readOnly);
  CreationOnly<bool> numbersOnly = false;
  CreationOnly<bool> centered = false;

  // The user changed the text (typing, paste): stores it, cut to maxLength,
  // and fires onChange.
  void setTextFromUser(std::u16string text);

 private:
  int maxLength_ = 0;
  char16_t passwordChar_ = 0;
  bool readOnly_ = false;
};

// An edit with an input mask such as "99.999.999/9999-99;0;_". text() holds
// only what the user typed into the mask's slots (the digits); the user sees
// the mask's punctuation and the blank character in empty slots.
class MaskEdit : public Edit {
 public:
  MaskEdit(std::string name, Control* parent) : Edit(std::move(name), parent, Kind::MaskEdit) {}
  CreationOnly<std::u16string> editMask;
};

class CheckBox : public Control {
 public:
  CheckBox(std::string name, Control* parent) : Control(Kind::CheckBox, std::move(name), parent) {}
  Handler onClick;
  bool checked() const { return checked_; }
  void setChecked(bool checked);
  void setCheckedFromUser(bool checked);

 private:
  bool checked_ = false;
};

// A control showing a list of texts of which at most one is chosen;
// itemIndex -1: none.
class ItemsControl : public Control {
 public:
  using Control::Control;
  const std::vector<std::u16string>& items() const { return items_; }
  void setItems(std::vector<std::u16string> items);
  int itemIndex() const { return itemIndex_; }
  void setItemIndex(int index);  // out of range: -1
  void setItemIndexFromUser(int index);

 protected:
  // The user's handler for a choice.
  virtual const Handler& choiceHandler() const = 0;

 private:
  std::vector<std::u16string> items_;
  int itemIndex_ = -1;
};

// A list that can only be chosen from (no typing).
class ComboBox : public ItemsControl {
 public:
  ComboBox(std::string name, Control* parent)
      : ItemsControl(Kind::ComboBox, std::move(name), parent) {}
  Handler onChange;

 private:
  const Handler& choiceHandler() const override { return onChange; }
};

// A captioned group of radio buttons; text() is the group's caption.
class RadioGroup : public ItemsControl {
 public:
  RadioGroup(std::string name, Control* parent)
      : ItemsControl(Kind::RadioGroup, std::move(name), parent) {}
  Handler onClick;
  CreationOnly<int> columns = 1;

 private:
  const Handler& choiceHandler() const override { return onClick; }
};

// A multi-line text. Lines are kept as one text with CR LF between them, the
// way a Windows edit holds them, so a big text reaches the peer in one piece.
class Memo : public Edit {
 public:
  Memo(std::string name, Control* parent) : Edit(std::move(name), parent, Kind::Memo) {}
  CreationOnly<bool> fixedPitch = false;
  // A read-only memo that may hold tens of megabytes (a device's log, a
  // listing of any length): shown by a viewer that draws only the lines on
  // the screen.
  CreationOnly<bool> largeText = false;
  CreationOnly<bool> horizontalScrollBar = false;
  CreationOnly<bool> verticalScrollBar = true;
  CreationOnly<bool> wordWrap = true;

  // What a large memo shows when its text is not one string of the memo's
  // own (a device's log in its bytes, see ui/TextSource.h); text() is then
  // empty. Setting a text, adding a line or clearing drops the source.
  void setSource(std::shared_ptr<const TextSource> source);
  const std::shared_ptr<const TextSource>& source() const { return source_; }
  void setText(std::u16string text) override;

  std::vector<std::u16string> lines() const;
  void setLines(const std::vector<std::u16string>& lines);
  void addLine(std::u16string_view line);
  void clear() { setText({}); }
  void scrollToEnd();

 private:
  std::shared_ptr<const TextSource> source_;
};

// A PNG picture; the platform decodes it.
class Image : public Control {
 public:
  Image(std::string name, Control* parent) : Control(Kind::Image, std::move(name), parent) {}
  std::string png;
  bool stretch = false;
  bool center = false;
  bool proportional = false;
};

enum class Bevel { None, Raised, Lowered };

class Panel : public Control {
 public:
  Panel(std::string name, Control* parent, Kind kind = Kind::Panel)
      : Control(kind, std::move(name), parent) {}
  Bevel bevel = Bevel::None;
  // Free integer, as the toolkit's Tag: the log page keeps its mode here.
  int tag = 0;
};

// One text panel across the bar.
class StatusBar : public Control {
 public:
  StatusBar(std::string name, Control* parent)
      : Control(Kind::StatusBar, std::move(name), parent) {}
  // Paints the bar now, even while the program is busy in a library call.
  void repaintNow() const { changed(Property::Repaint); }
};

class TabSheet : public Panel {
 public:
  TabSheet(std::string name, Control* parent) : Panel(std::move(name), parent, Kind::TabSheet) {}
  // Fired by the page control when the sheet becomes the active page.
  Handler onShow;
};

// Pages without tabs: only the program changes the active page.
class PageControl : public Control {
 public:
  PageControl(std::string name, Control* parent)
      : Control(Kind::PageControl, std::move(name), parent) {}
  // Pages by index; an index may be left without a page (nullptr).
  void setPages(std::vector<TabSheet*> pages);
  const std::vector<TabSheet*>& pages() const { return pages_; }
  int activePageIndex() const { return active_; }
  TabSheet* activePage() const;
  // Shows the page and fires its onShow when it was not the active one.
  void setActivePageIndex(int index);

 private:
  std::vector<TabSheet*> pages_;
  int active_ = -1;
};

enum class BorderStyle { Sizeable, Dialog };
enum class Cursor { Default, Wait };

class Form : public Control {
 public:
  Form(std::string name) : Control(Kind::Form, std::move(name), nullptr) {}
  // The bounds are the client area; position on screen is the platform's.
  CreationOnly<BorderStyle> borderStyle = BorderStyle::Sizeable;
  CreationOnly<bool> stayOnTop = false;
  CreationOnly<bool> minimizeBox = true;
  CreationOnly<bool> maximizeBox = true;
  bool scrollsWhenSmall = false;
  // Esc and Enter close the window (a window that only shows a message).
  bool closesWithEscapeAndEnter = false;
  // Esc closes the window as its close box does (a dialog's cancel).
  bool closesWithEscape = false;
  // Commands added to the window's system menu, after a separator.
  struct SystemMenuCommand {
    std::u16string caption;
    Handler onChoose;
  };
  CreationOnly<std::vector<SystemMenuCommand>> systemMenuCommands;

  // Fired by showing() when the program shows the window.
  Handler onShow;
  Handler onResize;

  // Resizes the client area as the user would: lays the children out again
  // and fires onResize.
  void setClientSizeFromUser(int width, int height);

  // Closes the window: ends a modal showing or, for the main window, the program.
  void close();
  // Called by whoever shows the window, before it appears: fires onShow.
  void showing();
  bool closeRequested() const { return closeRequested_; }

  // The application-wide mouse cursor while this window is the main one.
  void setCursor(Cursor cursor);
  Cursor cursor() const { return cursor_; }
  // Repaints the whole window now.
  void repaintAll() const { changed(Property::Repaint); }
  // Shows the window again in front of the others.
  void bringToFront() const { changed(Property::BringToFront); }

  // The control the program last put the focus in (headless tests read it).
  const Control* focusedControl() const { return focused_; }
  void focusRequested(const Control& control) { focused_ = &control; }

 private:
  const Control* focused_ = nullptr;
  bool closeRequested_ = false;
  Cursor cursor_ = Cursor::Default;
};

}  // namespace ui
