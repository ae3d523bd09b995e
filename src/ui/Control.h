#pragma once
// The toolkit-neutral control model. A control holds its state and its events;
// an optional peer (the native widget, see ui/win32) mirrors the state and feeds
// user input back. Without a peer everything runs headless, which is how the
// tests drive the pages.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace ui {

// 0x00BBGGRR, as a Windows COLORREF; kDefaultColor lets the platform decide.
using Color = std::uint32_t;
constexpr Color kDefaultColor = 0xFF000000u;
constexpr Color rgb(int r, int g, int b) {
  return static_cast<Color>(r) | (static_cast<Color>(g) << 8) | (static_cast<Color>(b) << 16);
}
constexpr Color kSilver = rgb(192, 192, 192);
constexpr Color kGray = rgb(128, 128, 128);
constexpr Color kWhite = rgb(255, 255, 255);
constexpr Color kGreen = rgb(0, 128, 0);
constexpr Color kRed = rgb(255, 0, 0);

struct Rect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Rect&) const = default;
};

// Docking inside the parent: top and bottom first, then left and right, then
// the client child, each kind in the order the children were added.
enum class Align { None, Top, Bottom, Left, Right, Client };

// Which edges keep their distance to the parent's edges when it is resized.
struct Anchors {
  bool left = true;
  bool top = true;
  bool right = false;
  bool bottom = false;
};

struct Font {
  std::u16string name;  // empty: inherited
  int height = 0;       // pixels at 96 DPI; 0: inherited
  bool bold = false;
  Color color = kDefaultColor;
};

// What changed in a model, so that a peer updates only that.
enum class Property {
  Text,
  Enabled,
  Visible,
  Bounds,
  Font,
  Color,
  Items,
  ItemIndex,
  Checked,
  ReadOnly,
  Focus,
  ScrollToEnd,
  Repaint,
  BringToFront,
  Cursor,
  Close,
};

class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  virtual void modelChanged(Property property) = 0;
};

enum class Kind {
  Form,
  Panel,
  PageControl,
  TabSheet,
  Label,
  Button,
  Edit,
  MaskEdit,
  CheckBox,
  ComboBox,
  RadioGroup,
  Memo,
  Image,
  StatusBar,
};

class Control {
 public:
  Control(Kind kind, std::string name, Control* parent);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Kind kind() const { return kind_; }
  const std::string& name() const { return name_; }
  Control* parent() const { return parent_; }
  const std::vector<Control*>& children() const { return children_; }

  // Caption of a label, button, panel, form; content of an edit or memo.
  const std::u16string& text() const { return text_; }
  virtual void setText(std::u16string text);

  const Rect& bounds() const { return bounds_; }
  void setBounds(Rect bounds);
  int width() const { return bounds_.width; }
  int height() const { return bounds_.height; }

  Align align() const { return align_; }
  // Docks the control in its parent at once.
  void setAlign(Align align);
  Anchors anchors() const { return anchors_; }
  void setAnchors(Anchors anchors) { anchors_ = anchors; }

  bool enabled() const { return enabled_; }
  void setEnabled(bool enabled);
  bool visible() const { return visible_; }
  void setVisible(bool visible);

  // The font as set on this control; effectiveFont() resolves inheritance.
  const Font& font() const { return font_; }
  void setFont(Font font);
  Font effectiveFont() const;

  Color color() const { return color_; }
  void setColor(Color color);

  // Position in the Tab order among siblings; -1: not a Tab stop.
  int tabOrder() const { return tabOrder_; }
  void setTabOrder(int order) { tabOrder_ = order; }

  void setFocus();

  // Lays out the children for the current client size: docked children first,
  // in the order they were added, then anchored ones. Called after a resize.
  void layoutChildren(int oldClientWidth, int oldClientHeight);

  ControlPeer* peer() const { return peer_; }
  void attachPeer(ControlPeer* peer) { peer_ = peer; }

 protected:
  // Places the docked children in the current client area.
  void dockChildren();
  void changed(Property property) const {
    if (peer_) peer_->modelChanged(property);
  }
  // Sets the text as typed by the user: no echo to the peer.
  void storeTextFromUser(std::u16string text) { text_ = std::move(text); }

 private:
  Kind kind_;
  std::string name_;
  Control* parent_;
  std::vector<Control*> children_;
  std::u16string text_;
  Rect bounds_;
  Align align_ = Align::None;
  Anchors anchors_;
  bool enabled_ = true;
  bool visible_ = true;
  Font font_;
  Color color_ = kDefaultColor;
  int tabOrder_ = -1;
  ControlPeer* peer_ = nullptr;
};

}  // namespace ui
