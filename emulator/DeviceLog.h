#pragma once
// The device's log: one line per event, "AAAAMMDDhhmmss|<source>|<level>|<text>".
// Exchanges with the authority are framed as SuperLog blocks: marker lines of
// the same form, from source SAT at level info, around the exchange, which
// holds lines of other sources and levels (a debug line, the authority's
// reply).
#include <string>
#include <string_view>
#include <vector>

#include "DeviceClock.h"
#include "DeviceState.h"

namespace satemu {

enum class SuperLogForm { Mirel, Plain };

// The text parts of the marker lines; a reader that cuts the 24 bytes of
// time, source and level from a marker line is left with one of these.
inline constexpr std::string_view kSuperLogMirelStart =
    "================= SuperLog MIREL ==================";
inline constexpr std::string_view kSuperLogPlainStart =
    "==================== SuperLog =====================";
inline constexpr std::string_view kSuperLogEnd =
    "===================================================";

// Who wrote a line: the device itself, its side of the exchange with the
// application, or its side of the exchange with the authority.
enum class LogSource { Sat, AcSat, SatSefaz };
enum class LogLevel { Info, Error, Debug };

class DeviceLog {
 public:
  DeviceLog(std::vector<std::string>& lines, const Moment& now)
      : lines_(lines), stamp_(stamp(now)) {}

  void write(LogSource source, LogLevel level, std::string_view text);
  void info(std::string_view text) { write(LogSource::Sat, LogLevel::Info, text); }
  void error(std::string_view text) { write(LogSource::Sat, LogLevel::Error, text); }
  // The block of one exchange: the start marker, the connection (a debug
  // line), the exchange's lines, the authority's reply and the end marker.
  void superLog(SuperLogForm form, const std::vector<std::string>& exchange, std::string_view reply,
                LogLevel replyLevel);

 private:
  std::vector<std::string>& lines_;
  std::string stamp_;
};

// The log as ExtrairLogs hands it out: every line ended by LF (CR LF with the
// crlfInLog knob), after fillerMegabytes of older routine lines (for the
// huge-log knob), with the SuperLog blocks the knob asks for.
std::string renderLog(const std::vector<std::string>& lines, const Knobs& knobs, const Moment& now);

}  // namespace satemu
