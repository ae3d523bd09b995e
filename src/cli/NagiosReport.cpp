// The monitoring-plugin form: one status line, "SAT <STATE> - <what
// happened>", and for the health checks their figures as performance data
// with the thresholds of the checks.
#include <array>
#include <initializer_list>
#include <string_view>

#include "cli/Reports.h"
#include "platform/Text.h"

namespace cli {

namespace {

using health::CheckId;

std::string number(long long value) {
  return std::to_string(value);
}

// The pieces one after the other. Appended, because a literal put before a
// temporary string inserts into it, which GCC 12 at -O3 wrongly warns about.
std::string joined(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (const std::string_view piece : pieces) text += piece;
  return text;
}

struct PerformanceDatum {
  CheckId check;
  std::string_view label;
  std::string_view unit;
  double scale;            // the figure times this is the value written
  std::string thresholds;  // ";warn;crit;min;max" in the plugins' range syntax
};

const std::array<PerformanceDatum, health::kCheckCount>& performanceData() {
  static const std::array<PerformanceDatum, health::kCheckCount> data{{
      {CheckId::Certificate, "certificado_dias", "", 1,
       joined({";", number(health::kCertificateWarningDays), ":;0:"})},
      {CheckId::LastCommunication, "ultima_comunicacao", "s", 1,
       joined({";", number(health::kCommunicationWarningSeconds), ";",
               number(health::kCommunicationCriticalSeconds), ";0"})},
      {CheckId::Memory, "memoria", "%", 100,
       joined({";", number(health::kMemoryWarningPercent), ";",
               number(health::kMemoryCriticalPercent), ";0;100"})},
      {CheckId::PendingCoupons, "pendentes", "", 1, ";0;;0"},
      {CheckId::Clock, "relogio", "s", 1,
       joined({";", number(-health::kClockWarningSeconds), ":",
               number(health::kClockWarningSeconds)})},
      {CheckId::LockState, "bloqueado", "", 1, ";;0;0;1"},
      {CheckId::Network, "rede_conectada", "", 1, ";;1:;0;1"},
      {CheckId::Battery, "bateria_baixa", "", 1, ";0;;0;1"},
  }};
  return data;
}

std::string_view stateWord(health::Level level) {
  switch (level) {
    case health::Level::Ok:
      return "OK";
    case health::Level::Warning:
      return "WARNING";
    case health::Level::Critical:
      return "CRITICAL";
    case health::Level::Unknown:
      break;
  }
  return "UNKNOWN";
}

// The status text may not hold the bar that starts the performance data, nor
// a line break.
std::string statusText(std::u16string_view summary) {
  std::string text = platform::toUtf8(summary);
  for (char& c : text) {
    if (c == '|') c = '/';
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

std::string performance(const CommandResult& result) {
  std::string out;
  for (const PerformanceDatum& datum : performanceData()) {
    const health::Check* found = findCheck(result, datum.check);
    if (!found) continue;
    out += joined({" ", datum.label, "="});
    out += found->figure ? figureText(*found->figure * datum.scale) + std::string(datum.unit)
                         : std::string("U");
    out += datum.thresholds;
  }
  return out;
}

}  // namespace

std::string nagiosReport(const CommandResult& result) {
  std::string line = joined({"SAT ", stateWord(result.level), " - ", statusText(result.summary)});
  const std::string data = performance(result);
  if (!data.empty()) line += " |" + data;
  return line + "\n";
}

}  // namespace cli
