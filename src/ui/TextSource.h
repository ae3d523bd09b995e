#pragma once
// Large read-only texts a memo shows without holding them as one string. A
// device's log of tens of megabytes stays in its bytes, and a line becomes
// text only when it is drawn, searched, copied or saved.
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Path.h"
#include "ui/TextSearch.h"

namespace ui {

class Memo;

// A text made of lines, each followed by CR LF, as a memo holds its lines.
class TextSource {
 public:
  virtual ~TextSource() = default;
  virtual std::size_t lineCount() const = 0;
  // Line `index` without its CR LF, appended to `out`.
  virtual void appendLine(std::size_t index, std::u16string& out) const = 0;
  // Its length in UTF-16 units, counted without making it.
  virtual std::size_t lineLength(std::size_t index) const = 0;
  // No line is longer than this; known without making the lines, for the
  // width a viewer scrolls through.
  virtual std::size_t longestLineBound() const = 0;
};

// The lines of a text held as one string, cut at CR LF: a memo's own text.
// The text must outlive them.
class TextLines final : public TextSource {
 public:
  explicit TextLines(std::u16string_view text);
  std::size_t lineCount() const override { return starts_.size() - 1; }
  void appendLine(std::size_t index, std::u16string& out) const override;
  std::size_t lineLength(std::size_t index) const override;
  std::size_t longestLineBound() const override { return longest_; }

 private:
  std::u16string_view text_;
  // Where each line starts, then two past the text's end, as if a last CR LF
  // followed it.
  std::vector<std::size_t> starts_;
  std::size_t longest_ = 0;
};

// What a memo shows, as lines: its source, or the lines of its own text (which
// hold it by view, so they serve until the memo's text changes).
std::shared_ptr<const TextSource> linesOf(const Memo& memo);

// The lines' whole text, each followed by CR LF.
std::u16string wholeText(const TextSource& lines);
// The memo's whole text: its own, or its source's.
std::u16string wholeText(const Memo& memo);

// Writes the lines to a file, each followed by CR LF, in the ANSI code page,
// through a temporary file a piece at a time; throws platform::FileError.
void writeLines(const TextSource& lines, const platform::Path& path);

// Positions in a source's text as an edit counts them (UTF-16 units, CR LF
// after each line): for the selection, Find, WM_GETTEXT and the clipboard.
// Where each line starts is counted once, when first asked, in one pass.
class SourceText {
 public:
  explicit SourceText(const TextSource& source) : source_(source) {}

  std::size_t size() const { return lineStart(source_.lineCount()); }
  // Where the line starts; lineStart(lineCount()) is the text's length.
  std::size_t lineStart(std::size_t line) const;
  // The line a position lies in (its CR LF counts to it).
  std::size_t lineOf(std::size_t position) const;
  // The text's first `count` units (at most size()), written to `out`.
  void copyStart(std::size_t count, char16_t* out) const;
  // As findText in the whole text, a line at a time: a match never spans a
  // line end, as none can in a text searched for what a Find box holds.
  std::optional<std::size_t> find(const TextSearch& search, std::size_t from) const;

 private:
  const std::vector<std::size_t>& starts() const;

  const TextSource& source_;
  mutable std::vector<std::size_t> starts_;
};

}  // namespace ui
