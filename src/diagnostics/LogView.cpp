#include "diagnostics/LogView.h"

#include <algorithm>
#include <functional>

#include "platform/Text.h"

namespace diagnostics {

namespace {

constexpr std::u16string_view kDashLine = u"------------------------------------------------------";
constexpr std::string_view kStartMirel =
    "SAT|info|================= SuperLog MIREL ==================";
constexpr std::string_view kStartPlain =
    "SAT|info|==================== SuperLog =====================";
constexpr std::string_view kEndMarker =
    "SAT|info|===================================================";
// "AAAAMMDDhhmmss|SAT|info|": the time, the source and the level of the
// device's own lines, cut from a line that does not show where they end.
constexpr std::size_t kLinePrefix = 24;
constexpr std::size_t kTimeLength = 14;
constexpr std::u16string_view kNotFound =
    u"\r\n\r\nNão foi encontrado SuperLog neste trecho do Log\r\n\r\n\r\n";

std::size_t lineBegin(std::string_view log, std::size_t position) {
  const std::size_t previousBreak =
      position == 0 ? std::string_view::npos : log.rfind('\n', position - 1);
  return previousBreak == std::string_view::npos ? 0 : previousBreak + 1;
}

std::size_t lineEnd(std::string_view log, std::size_t position) {
  const std::size_t nextBreak = log.find('\n', position);
  return nextBreak == std::string_view::npos ? log.size() : nextBreak;
}

// A line without the CR of a CR LF line end: the views end each line with
// their own CR LF.
std::string_view withoutCr(std::string_view line) {
  if (line.ends_with('\r')) line.remove_suffix(1);
  return line;
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

bool isWordCharacter(char c) {
  return isDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-' || c == '_';
}

// The end of the word (source or level) that starts at `from` when a "|"
// closes it: one past that "|". Zero when no such word stands there.
std::size_t afterWord(std::string_view line, std::size_t from) {
  std::size_t end = from;
  while (end < line.size() && isWordCharacter(line[end])) ++end;
  return end > from && end < line.size() && line[end] == '|' ? end + 1 : 0;
}

// Where a block line's text begins. Sources and levels differ in length
// ("AC-SAT", "SAT-SEFAZ", "debug"), so a line of the shape
// AAAAMMDDhhmmss|source|level| is cut after its third "|"; any other line
// after the first 24 bytes.
std::size_t textStart(std::string_view line) {
  if (line.size() <= kTimeLength || line[kTimeLength] != '|' ||
      !std::all_of(line.begin(), line.begin() + kTimeLength, isDigit))
    return kLinePrefix;
  const std::size_t afterSource = afterWord(line, kTimeLength + 1);
  const std::size_t afterLevel = afterSource == 0 ? 0 : afterWord(line, afterSource);
  return afterLevel == 0 ? kLinePrefix : afterLevel;
}

// The LFs in the log, counted with find: its library scan is several times
// faster on a large log than std::count.
std::size_t lineBreaks(std::string_view log) {
  std::size_t breaks = 0;
  for (std::size_t at = log.find('\n'); at != std::string_view::npos; at = log.find('\n', at + 1))
    ++breaks;
  return breaks;
}

// The last occurrence of `marker`, or npos. The last block may lie megabytes
// before the end, so the search skips ahead (Boyer-Moore-Horspool, run from
// the end) where rfind would compare at every position.
std::size_t lastOccurrence(std::string_view log, std::string_view marker) {
  const auto found = std::search(
      log.rbegin(), log.rend(), std::boyer_moore_horspool_searcher(marker.rbegin(), marker.rend()));
  if (found == log.rend()) return std::string_view::npos;
  return static_cast<std::size_t>(log.rend() - found) - marker.size();
}

// The last occurrence of either start marker, or npos.
std::size_t lastStartMarker(std::string_view log) {
  const std::size_t mirel = lastOccurrence(log, kStartMirel);
  const std::size_t plain = lastOccurrence(log, kStartPlain);
  if (mirel == std::string_view::npos) return plain;
  if (plain == std::string_view::npos) return mirel;
  return std::max(mirel, plain);
}

}  // namespace

std::string_view logUpToNul(std::string_view log) {
  return log.substr(0, log.find('\0'));
}

std::u16string wholeLogText(std::string_view log) {
  const std::size_t breaks = lineBreaks(log);
  std::u16string text;
  text.reserve(log.size() + breaks + 2 + kDashLine.size() + 2);
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = lineEnd(log, start);
    platform::appendFromUtf8(text, withoutCr(log.substr(start, end - start)));
    text += u"\r\n";
    if (end == log.size()) break;
    start = end + 1;
  }
  text += kDashLine;
  text += u"\r\n";
  return text;
}

std::u16string superLogText(std::string_view log) {
  const std::size_t marker = lastStartMarker(log);
  if (marker == std::string_view::npos) return std::u16string(kNotFound);
  const std::size_t first = lineBegin(log, marker);
  const std::size_t endMarker = log.find(kEndMarker, first);
  if (endMarker == std::string_view::npos) return std::u16string(kNotFound);
  const std::size_t last = lineEnd(log, endMarker);

  std::u16string text = u"\r\n";
  std::size_t start = first;
  for (;;) {
    const std::size_t end = lineEnd(log, start);
    const std::string_view line = withoutCr(log.substr(start, end - start));
    text += u"   ";
    const std::size_t textBegin = textStart(line);
    if (line.size() > textBegin) platform::appendFromUtf8(text, line.substr(textBegin));
    text += u"\r\n";
    if (end >= last) break;
    start = end + 1;
  }
  return text;
}

}  // namespace diagnostics
