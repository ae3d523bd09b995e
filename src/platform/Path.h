#pragma once
// A file's path, held as UTF-16 text. The program does not use
// platform::Path: on Windows its conversions bring the locale and
// stream machinery, some 700 KB, into the executable.
#include <string>
#include <string_view>
#include <utility>

namespace platform {

class Path {
 public:
  Path() = default;
  explicit Path(std::u16string text) : text_(std::move(text)) {}
  // From a platform::Path, for code that has one (tests, tools). A
  // template, so that code which never converts never instantiates it.
  template <class FilesystemPath>
  requires requires(const FilesystemPath& path) {
    path.u16string();
    path.root_name();
  }
  Path(const FilesystemPath& path) : text_(path.u16string()) {}

  const std::u16string& text() const { return text_; }
  bool empty() const { return text_.empty(); }

  // The path of a name inside this folder.
  Path operator/(std::u16string_view name) const;
  // The same path with text added to its last name ("x.xml" + ".tmp1").
  Path operator+(std::u16string_view suffix) const { return Path(text_ + std::u16string(suffix)); }
  // The folder that holds this path: the text before its last separator.
  Path parent() const;

  bool operator==(const Path&) const = default;

  // The separators the system accepts; the first is the one it writes.
  static const std::u16string_view kSeparators;

 private:
  std::u16string text_;
};

}  // namespace platform
