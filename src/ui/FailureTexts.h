#pragma once
// What the program tells the user when something fails that the device did
// not answer for itself: in plain words what happened, then one thing to do,
// then, on a line of its own for support, the technical detail. The texts
// are one table, so they read alike and are checked together.
#include <array>
#include <exception>
#include <string>
#include <string_view>

namespace ui {

enum class FailureKind {
  DeviceCall,     // the library failed while it ran a command
  DeviceAnswer,   // the device answered nothing, or too little
  DeviceLibrary,  // the library lacks what the program needs
  File,           // a file could not be read or written
  Settings,       // a stored setting could not be read
  Unexpected,     // anything else
};

// Marks an exception with the kind of failure it reports; an exception
// without the mark is Unexpected (platform::FileError is File).
class FailureClass {
 public:
  explicit FailureClass(FailureKind kind) : kind_(kind) {}
  virtual ~FailureClass() = default;
  FailureKind failureKind() const { return kind_; }

 private:
  FailureKind kind_;
};

struct FailureText {
  FailureKind kind;
  // Empty: the failure's own text says what happened, and is the first line.
  std::u16string_view happened;
  std::u16string_view nextStep;
};

extern const std::array<FailureText, 6> kFailureTexts;

FailureKind failureKindOf(const std::exception& failure);
// The message for a failure of the kind whose own text is `detail`.
std::u16string failureMessage(FailureKind kind, std::u16string_view detail);

}  // namespace ui
