#include "support/LogLines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "DeviceLog.h"

namespace satemu::testing {
namespace {

constexpr std::size_t kCutBytes = 24;

bool isStamp(std::string_view text) {
  if (text.size() != 14) return false;
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

bool contains(std::string_view line, std::string_view marker) {
  return line.find(std::string("SAT|info|") + std::string(marker)) != std::string_view::npos;
}

}  // namespace

std::optional<LogLine> parseLogLine(std::string_view line) {
  static constexpr std::array<std::string_view, 3> kSources{"SAT", "AC-SAT", "SAT-SEFAZ"};
  const std::size_t first = line.find('|');
  const std::size_t second = line.find('|', first + 1);
  const std::size_t third = line.find('|', second + 1);
  if (third == std::string_view::npos) return std::nullopt;
  LogLine parsed{std::string(line.substr(0, first)),
                 std::string(line.substr(first + 1, second - first - 1)),
                 std::string(line.substr(second + 1, third - second - 1)),
                 std::string(line.substr(third + 1))};
  const bool knownSource =
      std::find(kSources.begin(), kSources.end(), parsed.source) != kSources.end();
  static constexpr std::array<std::string_view, 3> kLevels{"info", "erro", "debug"};
  const bool knownLevel = std::find(kLevels.begin(), kLevels.end(), parsed.level) != kLevels.end();
  if (!isStamp(parsed.stamp) || !knownSource || !knownLevel) return std::nullopt;
  return parsed;
}

std::vector<std::string> logLines(std::string_view log) {
  EXPECT_TRUE(!log.empty() && log.back() == '\n');
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < log.size();) {
    const std::size_t end = log.find('\n', start);
    if (end == std::string_view::npos) {
      lines.emplace_back(log.substr(start));
      break;
    }
    lines.emplace_back(log.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

std::optional<std::vector<std::string>> lastSuperLogBlock(const std::vector<std::string>& lines) {
  std::size_t start = lines.size();
  while (start > 0 && !contains(lines[start - 1], kSuperLogMirelStart) &&
         !contains(lines[start - 1], kSuperLogPlainStart))
    --start;
  if (start-- == 0) return std::nullopt;
  for (std::size_t end = start; end < lines.size(); ++end) {
    if (!contains(lines[end], kSuperLogEnd)) continue;
    std::vector<std::string> shown;
    for (std::size_t i = start; i <= end; ++i) {
      const std::optional<LogLine> parsed = parseLogLine(lines[i]);
      shown.push_back(parsed                        ? parsed->text
                      : lines[i].size() > kCutBytes ? lines[i].substr(kCutBytes)
                                                    : std::string());
    }
    return shown;
  }
  return std::nullopt;
}

}  // namespace satemu::testing
