#pragma once
// The device's log: one line per event, "YYYY-MM-DD hh:mm:ss.mmm|SAT|info|…".
// Exchanges with the authority are framed as SuperLog blocks by marker lines.
#include <string>
#include <string_view>
#include <vector>

#include "DeviceClock.h"

namespace satemu {

enum class SuperLogForm { Mirel, Plain };

inline constexpr std::string_view kSuperLogMirelStart =
    "SAT|info|================= SuperLog MIREL ==================";
inline constexpr std::string_view kSuperLogPlainStart =
    "SAT|info|==================== SuperLog =====================";
inline constexpr std::string_view kSuperLogEnd =
    "SAT|info|===================================================";

class DeviceLog {
 public:
  DeviceLog(std::vector<std::string>& lines, const Moment& now) : lines_(lines), now_(now) {}

  void info(std::string_view text);
  void superLog(SuperLogForm form, const std::vector<std::string>& exchange);

 private:
  void add(std::string_view body);

  std::vector<std::string>& lines_;
  Moment now_;
};

// The log as ExtrairLogs hands it out: lines joined by LF, after
// fillerMegabytes of older routine lines (for the huge-log knob).
std::string renderLog(const std::vector<std::string>& lines, int fillerMegabytes,
                      const Moment& now);

}  // namespace satemu
