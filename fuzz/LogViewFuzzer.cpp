// The log page's views of a log: the log up to its first NUL, the whole log
// with CR LF line ends, and its last SuperLog block, each compared with what
// reading the log line by line gives; and each line's length as the view
// counts it without making the line.
#include <algorithm>
#include <regex>
#include <vector>

#include "FuzzExpect.h"
#include "diagnostics/LogView.h"
#include "platform/Text.h"
#include "ui/TextSource.h"

namespace {

using fuzzing::expect;

constexpr std::u16string_view kDashLine = u"------------------------------------------------------";
constexpr std::string_view kStartMarkers[] = {
    "SAT|info|================= SuperLog MIREL ==================",
    "SAT|info|==================== SuperLog =====================",
};
constexpr std::string_view kEndMarker =
    "SAT|info|===================================================";
constexpr std::u16string_view kNotFound =
    u"\r\n\r\nNão foi encontrado SuperLog neste trecho do Log\r\n\r\n\r\n";
constexpr std::size_t kLinePrefix = 24;

// The lines between LFs, each without the CR of a CR LF line end.
std::vector<std::string_view> linesOf(std::string_view log) {
  std::vector<std::string_view> lines;
  std::size_t start = 0;
  for (std::size_t end = log.find('\n'); end != log.npos; end = log.find('\n', start)) {
    lines.push_back(log.substr(start, end - start));
    start = end + 1;
  }
  lines.push_back(log.substr(start));
  for (std::string_view& line : lines)
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return lines;
}

// What a block line shows: after "time|source|level|" where the line begins
// so, else after its first 24 bytes.
std::string_view shownPart(std::string_view line) {
  static const std::regex kTimeSourceLevel("[0-9]{14}\\|[-_A-Za-z0-9]+\\|[-_A-Za-z0-9]+\\|");
  std::match_results<std::string_view::const_iterator> prefix;
  if (std::regex_search(line.begin(), line.end(), prefix, kTimeSourceLevel,
                        std::regex_constants::match_continuous))
    return line.substr(static_cast<std::size_t>(prefix.length(0)));
  return line.size() > kLinePrefix ? line.substr(kLinePrefix) : std::string_view();
}

bool holdsStartMarker(std::string_view line) {
  return line.find(kStartMarkers[0]) != line.npos || line.find(kStartMarkers[1]) != line.npos;
}

std::u16string expectedWholeLog(std::string_view log) {
  std::u16string text;
  for (const std::string_view line : linesOf(log)) text += platform::fromUtf8(line) + u"\r\n";
  return text + std::u16string(kDashLine) + u"\r\n";
}

// From the last line with a start marker through the first line at or after
// it with the end marker.
std::u16string expectedSuperLog(std::string_view log) {
  const std::vector<std::string_view> lines = linesOf(log);
  auto first = std::find_if(lines.rbegin(), lines.rend(), holdsStartMarker);
  if (first == lines.rend()) return std::u16string(kNotFound);
  const auto begin = first.base() - 1;
  const auto last = std::find_if(
      begin, lines.end(), [](std::string_view line) { return line.find(kEndMarker) != line.npos; });
  if (last == lines.end()) return std::u16string(kNotFound);
  std::u16string text = u"\r\n";
  for (auto line = begin; line <= last; ++line) {
    text += u"   " + platform::fromUtf8(shownPart(*line)) + u"\r\n";
  }
  return text;
}

// The view's text, each line's length and its bound as the view counts them.
std::u16string shownText(const ui::TextSource& view) {
  std::u16string text;
  for (std::size_t index = 0; index < view.lineCount(); ++index) {
    const std::size_t before = text.size();
    view.appendLine(index, text);
    const std::size_t length = text.size() - before;
    expect(view.lineLength(index) == length, "a line's length counted otherwise than made");
    expect(length <= view.longestLineBound(), "a line longer than the view's bound");
    text += u"\r\n";
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view log = fuzzing::bytesOf(data, size);
  const std::string_view upToNul = diagnostics::logUpToNul(log);
  expect(log.starts_with(upToNul) && upToNul.find('\0') == upToNul.npos &&
             (upToNul.size() == log.size() || log[upToNul.size()] == '\0'),
         "the log not cut at its first NUL");
  const diagnostics::DecodedLog decoded{nullptr, log};
  expect(shownText(*diagnostics::wholeLogLines(decoded)) == expectedWholeLog(upToNul),
         "whole log differs from its lines up to the NUL");
  expect(shownText(*diagnostics::superLogLines(decoded)) == expectedSuperLog(upToNul),
         "SuperLog differs from the last block of lines before the NUL");
  return 0;
}
