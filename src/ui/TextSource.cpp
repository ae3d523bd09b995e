#include "ui/TextSource.h"

#include <algorithm>

#include "platform/Files.h"
#include "platform/Text.h"
#include "ui/Controls.h"

namespace ui {

namespace {
constexpr std::u16string_view kLineEnd = u"\r\n";
}  // namespace

TextLines::TextLines(std::u16string_view text) : text_(text) {
  std::size_t start = 0;
  while (start < text.size()) {
    starts_.push_back(start);
    const std::size_t lineEnd = std::min(text.find(kLineEnd, start), text.size());
    longest_ = std::max(longest_, lineEnd - start);
    start = lineEnd + kLineEnd.size();
  }
  starts_.push_back(start);
}

void TextLines::appendLine(std::size_t index, std::u16string& out) const {
  out += text_.substr(starts_[index], lineLength(index));
}

std::size_t TextLines::lineLength(std::size_t index) const {
  return starts_[index + 1] - kLineEnd.size() - starts_[index];
}

std::shared_ptr<const TextSource> linesOf(const Memo& memo) {
  if (memo.source()) return memo.source();
  return std::make_shared<TextLines>(memo.text());
}

std::u16string wholeText(const TextSource& lines) {
  // Sized first: counting the lines costs less than growing the text of a
  // log of megabytes as it is made.
  std::size_t size = 0;
  for (std::size_t line = 0; line < lines.lineCount(); ++line)
    size += lines.lineLength(line) + kLineEnd.size();
  std::u16string whole;
  whole.reserve(size);
  for (std::size_t line = 0; line < lines.lineCount(); ++line) {
    lines.appendLine(line, whole);
    whole += kLineEnd;
  }
  return whole;
}

std::u16string wholeText(const Memo& memo) {
  return memo.source() ? wholeText(*memo.source()) : memo.text();
}

void writeLines(const TextSource& lines, const platform::Path& path) {
  // Converted a piece of whole lines at a time, so no character is cut in two
  // and the ANSI copy never holds the whole text.
  constexpr std::size_t kPiece = 1 << 20;
  platform::AtomicFileWriter file(path);
  std::u16string piece;
  for (std::size_t line = 0; line < lines.lineCount(); ++line) {
    lines.appendLine(line, piece);
    piece += kLineEnd;
    if (piece.size() < kPiece) continue;
    file.write(platform::toAnsi(piece));
    piece.clear();
  }
  file.write(platform::toAnsi(piece));
  file.commit();
}

const std::vector<std::size_t>& SourceText::starts() const {
  if (starts_.empty()) {
    const std::size_t lines = source_.lineCount();
    starts_.resize(lines + 1);
    std::size_t position = 0;
    for (std::size_t line = 0; line < lines; ++line) {
      starts_[line] = position;
      position += source_.lineLength(line) + kLineEnd.size();
    }
    starts_[lines] = position;
  }
  return starts_;
}

std::size_t SourceText::lineStart(std::size_t line) const {
  return starts()[line];
}

std::size_t SourceText::lineOf(std::size_t position) const {
  const std::vector<std::size_t>& all = starts();
  const auto after = std::upper_bound(all.begin(), all.end() - 1, position);
  return after == all.begin() ? 0 : static_cast<std::size_t>(after - all.begin()) - 1;
}

void SourceText::copyStart(std::size_t count, char16_t* out) const {
  std::u16string line;
  for (std::size_t index = 0; count > 0 && index < source_.lineCount(); ++index) {
    line.clear();
    source_.appendLine(index, line);
    line += kLineEnd;
    const std::size_t taken = std::min(count, line.size());
    out = std::copy_n(line.begin(), taken, out);
    count -= taken;
  }
}

std::optional<std::size_t> SourceText::find(const TextSearch& search, std::size_t from) const {
  const std::size_t lines = source_.lineCount();
  if (search.what.empty() || lines == 0) return std::nullopt;
  from = std::min(from, size());
  const std::size_t first = lineOf(from);
  std::u16string text;
  const auto findIn = [&](std::size_t line) -> std::optional<std::size_t> {
    const std::size_t start = lineStart(line);
    text.clear();
    source_.appendLine(line, text);
    // Down from a place before the line: from its start; up from one after
    // it: from its end.
    const std::size_t column = from < start ? 0 : std::min(from - start, text.size());
    const auto found = findText(text, search, column);
    if (!found) return std::nullopt;
    return start + *found;
  };
  if (search.down) {
    for (std::size_t line = first; line < lines; ++line)
      if (const auto found = findIn(line)) return found;
  } else {
    for (std::size_t line = first + 1; line-- > 0;)
      if (const auto found = findIn(line)) return found;
  }
  return std::nullopt;
}

}  // namespace ui
