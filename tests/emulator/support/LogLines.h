#pragma once
// Reading the device's log back as a program does: LF-ended lines of
// "AAAAMMDDhhmmss|source|level|text".
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace satemu::testing {

struct LogLine {
  std::string stamp;
  std::string source;  // SAT, AC-SAT or SAT-SEFAZ
  std::string level;   // info, erro or debug
  std::string text;
};

// nullopt unless the line has the four parts with a known source and level.
std::optional<LogLine> parseLogLine(std::string_view line);

// The lines of a log whose every line ends in LF (a missing final LF fails the test).
std::vector<std::string> logLines(std::string_view log);

// What a program shows of the last SuperLog block: the lines from the last
// start marker through the first end marker after it, each without its time,
// source and level; nullopt when there is no such block.
std::optional<std::vector<std::string>> lastSuperLogBlock(const std::vector<std::string>& lines);

}  // namespace satemu::testing
