#include "diagnostics/LogView.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "codec/Base64.h"
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

// Calls found(position) for each LF in text[from, to) before its first NUL,
// in order, and returns where the text ends: at that NUL, or at `to`.
// Sixty-four bytes at a time where the processor has SSE2 (every 64-bit one),
// looking for both at once: a log's lines are a few dozen bytes long, so most
// blocks hold one LF or none, and a search restarted after each LF would
// spend most of its time starting.
template <typename Found>
std::size_t forEachLineBreak(const char* text, std::size_t from, std::size_t to, Found found) {
#if defined(__SSE2__)
  const __m128i lineFeed = _mm_set1_epi8('\n');
  const __m128i nul = _mm_setzero_si128();
  const auto bits = [](__m128i matches) {
    return static_cast<std::uint64_t>(static_cast<std::uint16_t>(_mm_movemask_epi8(matches)));
  };
  for (; to - from >= 64; from += 64) {
    __m128i breaks[4];
    __m128i nuls[4];
    for (int k = 0; k < 4; ++k) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + from + 16 * k));
      breaks[k] = _mm_cmpeq_epi8(bytes, lineFeed);
      nuls[k] = _mm_cmpeq_epi8(bytes, nul);
    }
    const __m128i any = _mm_or_si128(
        _mm_or_si128(_mm_or_si128(breaks[0], breaks[1]), _mm_or_si128(breaks[2], breaks[3])),
        _mm_or_si128(_mm_or_si128(nuls[0], nuls[1]), _mm_or_si128(nuls[2], nuls[3])));
    if (_mm_movemask_epi8(any) == 0) continue;
    std::uint64_t lineBreaks = 0;
    std::uint64_t ends = 0;
    for (int k = 0; k < 4; ++k) {
      lineBreaks |= bits(breaks[k]) << (16 * k);
      ends |= bits(nuls[k]) << (16 * k);
    }
    // The LFs before the first NUL, if the block holds one.
    if (ends != 0) lineBreaks &= (ends & (~ends + 1)) - 1;
    for (; lineBreaks != 0; lineBreaks &= lineBreaks - 1)
      found(from + static_cast<std::size_t>(std::countr_zero(lineBreaks)));
    if (ends != 0) return from + static_cast<std::size_t>(std::countr_zero(ends));
  }
#endif
  to = from + logUpToNul({text + from, to - from}).size();
  while (from < to) {  // memchr must not be given an empty log's null bytes
    const void* lineBreak = std::memchr(text + from, '\n', to - from);
    if (!lineBreak) break;
    from = static_cast<std::size_t>(static_cast<const char*>(lineBreak) - text);
    found(from++);
  }
  return to;
}

// A view of the log: lines [first, end) of its bytes, indexed once, with
// what the view puts before them (the SuperLog block's empty line) or after
// them (the whole log's dash line). Each line is made when asked for.
class LogLines final : public ui::TextSource {
 public:
  enum class Shape { WholeLog, SuperLogBlock };

  // `end` is where the last line ends (an LF or the log's end); a NUL before
  // it ends the log there.
  LogLines(DecodedLog decoded, Shape shape, std::size_t first, std::size_t end)
      : holder_(std::move(decoded.holder)), log_(decoded.log), shape_(shape) {
    index(first, end);
  }

  std::size_t lineCount() const override { return indexedLines() + 1; }
  void appendLine(std::size_t index, std::u16string& out) const override {
    const auto [prefix, bytes] = piecesOf(index);
    out += prefix;
    platform::appendFromUtf8(out, bytes);
  }
  std::size_t lineLength(std::size_t index) const override {
    const auto [prefix, bytes] = piecesOf(index);
    return prefix.size() + platform::utf16Length(bytes);
  }
  std::size_t longestLineBound() const override { return longest_; }

 private:
  std::size_t indexedLines() const { return starts_.size() - 1; }

  void index(std::size_t first, std::size_t end) {
    // Room enough for lines of the usual length, so the index is seldom
    // moved while it grows: only what it fills is ever touched.
    starts_.reserve((end - first) / kUsualLineLength + 2);
    starts_.push_back(static_cast<std::uint32_t>(first));
    end = forEachLineBreak(log_.data(), first, end, [&](std::size_t lineBreak) {
      const auto start = static_cast<std::uint32_t>(lineBreak + 1);
      longest_ = std::max<std::size_t>(longest_, start - starts_.back());
      starts_.push_back(start);
    });
    // As if an LF followed the last line.
    starts_.push_back(static_cast<std::uint32_t>(end + 1));
    longest_ = std::max<std::size_t>(longest_, starts_.back() - starts_[starts_.size() - 2]);
    // Room for the view's own text: the dash line, or the block's three blanks.
    longest_ = std::max(longest_ + kIndent.size(), kDashLine.size());
  }

  // The text a view line is made of: its own (a dash line, an empty line or
  // the block's indent), then bytes of the log.
  std::pair<std::u16string_view, std::string_view> piecesOf(std::size_t index) const {
    if (shape_ == Shape::WholeLog) {
      if (index == indexedLines()) return {kDashLine, {}};
      return {{}, logLine(index)};
    }
    if (index == 0) return {{}, {}};
    const std::string_view line = logLine(index - 1);
    const std::size_t textBegin = textStart(line);
    return {kIndent, line.size() > textBegin ? line.substr(textBegin) : std::string_view()};
  }

  std::string_view logLine(std::size_t index) const {
    const std::size_t start = starts_[index];
    return withoutCr(log_.substr(start, starts_[index + 1] - 1 - start));
  }

  static constexpr std::u16string_view kIndent = u"   ";
  // The time, source and level alone take 24 bytes of a device's line.
  static constexpr std::size_t kUsualLineLength = 40;

  std::shared_ptr<const void> holder_;
  std::string_view log_;
  Shape shape_;
  // Where each line starts in the log, then one past its last line's end.
  // The offsets take 32 bits: a 64 MB log has about 800 000 lines.
  std::vector<std::uint32_t> starts_;
  std::size_t longest_ = 0;
};

// The line starts are 32-bit offsets: a log past 4 GB is shown up to there.
std::string_view indexable(std::string_view log) {
  return log.substr(0, std::numeric_limits<std::uint32_t>::max() - 1);
}

std::shared_ptr<const ui::TextSource> blockNotFound() {
  return std::make_shared<ui::TextLines>(kSuperLogNotFound);
}

}  // namespace

DecodedLog decodeLog(const page::KeptField& field) {
  return {field.holder, {field.bytes.data(), codec::decodeBase64InPlace(field.bytes)}};
}

std::string_view logUpToNul(std::string_view log) {
  if (log.empty()) return log;  // an empty view may have no data at all
  const void* nul = std::memchr(log.data(), '\0', log.size());
  return nul ? log.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - log.data()))
             : log;
}

std::shared_ptr<const ui::TextSource> wholeLogLines(const DecodedLog& decoded) {
  const std::string_view log = indexable(decoded.log);
  return std::make_shared<LogLines>(DecodedLog{decoded.holder, log}, LogLines::Shape::WholeLog, 0,
                                    log.size());
}

std::shared_ptr<const ui::TextSource> superLogLines(const DecodedLog& decoded) {
  const std::string_view log = indexable(logUpToNul(decoded.log));
  const std::size_t marker = lastStartMarker(log);
  if (marker == std::string_view::npos) return blockNotFound();
  const std::size_t first = lineBegin(log, marker);
  const std::size_t endMarker = log.find(kEndMarker, first);
  if (endMarker == std::string_view::npos) return blockNotFound();
  return std::make_shared<LogLines>(DecodedLog{decoded.holder, log}, LogLines::Shape::SuperLogBlock,
                                    first, lineEnd(log, endMarker));
}

}  // namespace diagnostics
