#include "DeviceLog.h"

#include <array>
#include <cstdio>

namespace satemu {
namespace {

// "AAAAMMDDhhmmss|": what comes before the source.
constexpr std::size_t kStampPrefixLength = 15;

std::string_view sourceName(LogSource source) {
  static constexpr std::array<std::string_view, 3> kNames{"SAT", "AC-SAT", "SAT-SEFAZ"};
  return kNames[static_cast<std::size_t>(source)];
}

enum class Marker { None, Start, End };

Marker markerOf(std::string_view line) {
  constexpr std::string_view kSatInfo = "SAT|info|";
  if (line.size() <= kStampPrefixLength + kSatInfo.size() ||
      line.substr(kStampPrefixLength, kSatInfo.size()) != kSatInfo)
    return Marker::None;
  const std::string_view text = line.substr(kStampPrefixLength + kSatInfo.size());
  if (text == kSuperLogMirelStart || text == kSuperLogPlainStart) return Marker::Start;
  return text == kSuperLogEnd ? Marker::End : Marker::None;
}

// Which marker lines the rendered log keeps, by line index.
std::vector<bool> keptMarkers(const std::vector<Marker>& markers, SuperLogBlocks blocks) {
  std::vector<bool> kept(markers.size(), blocks == SuperLogBlocks::Several);
  if (blocks == SuperLogBlocks::Several || blocks == SuperLogBlocks::None) return kept;
  std::size_t lastStart = markers.size();
  while (lastStart > 0 && markers[lastStart - 1] != Marker::Start) --lastStart;
  if (lastStart == 0) return kept;
  kept[--lastStart] = true;
  if (blocks == SuperLogBlocks::Unterminated) return kept;
  for (std::size_t i = lastStart + 1; i < markers.size(); ++i) {
    if (markers[i] == Marker::End) {
      kept[i] = true;
      break;
    }
  }
  return kept;
}

void appendFiller(std::string& text, int megabytes, const Moment& now, std::string_view lineEnd) {
  const std::size_t target = static_cast<std::size_t>(megabytes) * 1024 * 1024;
  text.reserve(target + 4096);
  const std::string prefix = stamp(now) + "|SAT|info|";
  char body[96];
  for (unsigned long counter = 0; text.size() < target; ++counter) {
    std::snprintf(body, sizeof body, "nvl 3:monitor de rede: enlace ativo, amostra %lu", counter);
    text += prefix;
    text += body;
    text += lineEnd;
  }
}

std::string_view levelName(LogLevel level) {
  static constexpr std::array<std::string_view, 3> kNames{"info", "erro", "debug"};
  return kNames[static_cast<std::size_t>(level)];
}

}  // namespace

void DeviceLog::write(LogSource source, LogLevel level, std::string_view text) {
  std::string line = stamp_;
  line += '|';
  line += sourceName(source);
  line += '|';
  line += levelName(level);
  line += '|';
  line += text;
  lines_.push_back(std::move(line));
  if (lines_.size() > kStoredLogLines)
    lines_.erase(lines_.begin(),
                 lines_.begin() + static_cast<std::ptrdiff_t>(lines_.size() - kStoredLogLines));
}

void DeviceLog::superLog(SuperLogForm form, const std::vector<std::string>& exchange,
                         std::string_view reply, LogLevel replyLevel) {
  info(form == SuperLogForm::Mirel ? kSuperLogMirelStart : kSuperLogPlainStart);
  write(LogSource::Sat, LogLevel::Debug, "conexão com a SEFAZ aberta");
  for (const std::string& line : exchange) info(line);
  write(LogSource::SatSefaz, replyLevel, reply);
  info(kSuperLogEnd);
}

std::string renderLog(const std::vector<std::string>& lines, const Knobs& knobs,
                      const Moment& now) {
  const std::string_view lineEnd = knobs.crlfInLog ? "\r\n" : "\n";
  std::string text;
  if (knobs.hugeLogMegabytes > 0) appendFiller(text, knobs.hugeLogMegabytes, now, lineEnd);
  std::vector<Marker> markers;
  markers.reserve(lines.size());
  for (const std::string& line : lines) markers.push_back(markerOf(line));
  const std::vector<bool> kept = keptMarkers(markers, knobs.superLog);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (markers[i] != Marker::None && !kept[i]) continue;
    text += lines[i];
    text += lineEnd;
  }
  return text;
}

}  // namespace satemu
