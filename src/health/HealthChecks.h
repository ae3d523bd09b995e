#pragma once
// The device's health at a glance: from a successful operational status
// answer and this computer's clock, one check per condition that stops a
// shop's sales, each with a level and one sentence in Portuguese that gives
// the figure. A value the device left out or wrote in a way that cannot be
// read makes its check Unknown and the sentence quotes it as sent: it is
// never taken for a good one.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "health/DeviceTime.h"
#include "platform/Clock.h"

namespace health {

// Ordered from the best to the worst as monitoring plugins combine their
// states: an unreadable value outweighs a good one, and a warning or a
// critical condition found outweighs an unreadable value.
enum class Level { Ok, Unknown, Warning, Critical };

enum class CheckId {
  Certificate,        // CERT_VENCIMENTO against DH_ATUAL
  LastCommunication,  // DH_ULTIMA against DH_ATUAL
  PendingCoupons,     // LISTA_INICIAL and LISTA_FINAL
  Memory,             // MT_USADA of MT_TOTAL
  Clock,              // DH_ATUAL against this computer's clock
  LockState,          // ESTADO_OPERACAO
  Network,            // STATUS_LAN
  Battery,            // NIVEL_BATERIA
};
// How many checks there are, one per CheckId.
inline constexpr std::size_t kCheckCount = static_cast<std::size_t>(CheckId::Battery) + 1;

struct Check {
  CheckId id;
  Level level;
  std::u16string sentence;
  // The figure a monitoring system plots, when it could be read: days until
  // the certificate expires (negative once expired), seconds since the last
  // communication, memory used as a ratio, coupons waiting, seconds the
  // device's clock is ahead of this computer's (negative: behind), and 1 or
  // 0 for locked, network connected and battery low.
  std::optional<double> figure;
};

// The thresholds, as the user's guide lists them.
inline constexpr int kCertificateWarningDays = 30;  // warning under this many days
// Since the last communication: beyond the first a warning, beyond the second
// critical.
inline constexpr std::int64_t kCommunicationWarningSeconds = kSecondsPerDay;
inline constexpr std::int64_t kCommunicationCriticalSeconds = 5 * kSecondsPerDay;
inline constexpr int kMemoryWarningPercent = 80;              // from this: warning
inline constexpr int kMemoryCriticalPercent = 95;             // from this: critical
inline constexpr std::int64_t kClockWarningSeconds = 5 * 60;  // beyond: warning

// Every check, in the order of CheckId. `statusAnswer` is the whole answer of
// ConsultarStatusOperacional whose return code was "10000"; `computerNow` the
// local time read when it came.
std::vector<Check> assessHealth(std::string_view statusAnswer,
                                const platform::DateTime& computerNow);

// The checks worst first; checks of one level keep their order.
std::vector<Check> worstFirst(std::vector<Check> checks);
// The worst level among the checks; Ok for none.
Level worstLevel(const std::vector<Check>& checks);

}  // namespace health
