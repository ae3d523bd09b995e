#pragma once
// A control's property that the platform reads once, when it makes the native
// window: a window's border and title-bar buttons, an edit's mask, a memo's
// scroll bars. It is set while the page or dialog lays itself out; a change
// made after the window exists never reaches the screen, which is why such a
// property is a plain value with no setter that could tell the peer.
#include <utility>

namespace ui {

template <typename T>
class CreationOnly {
 public:
  CreationOnly() = default;
  CreationOnly(T value) : value_(std::move(value)) {}
  CreationOnly& operator=(T value) {
    value_ = std::move(value);
    return *this;
  }

  const T& get() const { return value_; }
  operator const T&() const { return value_; }
  friend bool operator==(const CreationOnly& property, const T& value) {
    return property.value_ == value;
  }

 private:
  T value_{};
};

}  // namespace ui
