// The Prometheus text exposition format, for the textfile collector of the
// monitoring agent: one gauge per health check, the device's serial number
// as a label, and whether the device answered at all. A figure that could
// not be read is NaN, and the check's level says why.
#include <array>

#include "cli/Reports.h"
#include "health/DeviceTime.h"
#include "platform/Text.h"

namespace cli {

namespace {

struct Gauge {
  health::CheckId check;
  std::string_view name;
  std::string_view help;
  double scale = 1;  // the check's figure times this is the gauge's value
};

// Times are in seconds, the base unit monitoring systems expect (promtool
// refuses a metric named in days): the certificate's whole days left, as
// the device's date counts them, times 86400.
constexpr std::array<Gauge, health::kCheckCount> kGauges{{
    {health::CheckId::Certificate, "quorvel_sat_certificate_expires_in_seconds",
     "Tempo até o vencimento do certificado do SAT: os dias inteiros que faltam pela data do SAT, "
     "em segundos (negativo: vencido).",
     health::kSecondsPerDay},
    {health::CheckId::LastCommunication, "quorvel_sat_last_communication_age_seconds",
     "Segundos desde a última comunicação do SAT com a SEFAZ."},
    {health::CheckId::Memory, "quorvel_sat_memory_used_ratio",
     "Fração da memória do SAT em uso, de 0 a 1."},
    {health::CheckId::PendingCoupons, "quorvel_sat_pending_coupons",
     "CF-e no SAT aguardando envio à SEFAZ."},
    {health::CheckId::Clock, "quorvel_sat_clock_offset_seconds",
     "Segundos que o relógio do SAT está adiantado em relação ao computador (negativo: "
     "atrasado)."},
    {health::CheckId::LockState, "quorvel_sat_locked",
     "1 quando o SAT está bloqueado, 0 quando não."},
    {health::CheckId::Network, "quorvel_sat_network_connected",
     "1 quando a rede do SAT está conectada, 0 quando não."},
    {health::CheckId::Battery, "quorvel_sat_battery_low",
     "1 quando a bateria do SAT está baixa, 0 quando não."},
}};

// A label value: backslash, double quote and line feed escaped.
std::string labelValue(std::u16string_view value) {
  std::string escaped;
  for (const char c : platform::toUtf8(value)) {
    if (c == '\\' || c == '"') escaped += '\\';
    if (c == '\n') {
      escaped += "\\n";
      continue;
    }
    escaped += c;
  }
  return escaped;
}

class Exposition {
 public:
  explicit Exposition(const CommandResult& result)
      : serialLabel_(result.serial.empty() ? std::string()
                                           : "serie=\"" + labelValue(result.serial) + "\"") {}

  void family(std::string_view name, std::string_view help) {
    out_ += "# HELP " + std::string(name) + " " + std::string(help) + "\n";
    out_ += "# TYPE " + std::string(name) + " gauge\n";
  }
  void sample(std::string_view name, std::string_view value, std::string_view moreLabels = {}) {
    std::string labels = serialLabel_;
    if (!moreLabels.empty()) {
      if (!labels.empty()) labels += ',';
      labels += moreLabels;
    }
    out_ += std::string(name) + (labels.empty() ? "" : "{" + labels + "}") + " " +
            std::string(value) + "\n";
  }
  std::string done() { return std::move(out_); }

 private:
  std::string serialLabel_;
  std::string out_;
};

}  // namespace

std::string prometheusReport(const CommandResult& result) {
  Exposition exposition(result);
  exposition.family("quorvel_sat_query_succeeded",
                    "1 quando o SAT respondeu ao comando com seu código de sucesso, 0 quando não.");
  exposition.sample("quorvel_sat_query_succeeded", result.answered ? "1" : "0");
  if (result.checks.empty()) return exposition.done();
  for (const Gauge& gauge : kGauges) {
    const health::Check* check = findCheck(result, gauge.check);
    exposition.family(gauge.name, gauge.help);
    exposition.sample(gauge.name, check && check->figure ? figureText(*check->figure * gauge.scale)
                                                         : std::string("NaN"));
  }
  exposition.family(
      "quorvel_sat_check_level",
      "Nível de cada verificação de saúde: 0 ok, 1 aviso, 2 crítico, 3 desconhecido.");
  for (const health::Check& check : result.checks) {
    exposition.sample("quorvel_sat_check_level", std::to_string(exitCodeOf(check.level)),
                      "verificacao=\"" + std::string(checkName(check.id)) + "\"");
  }
  return exposition.done();
}

}  // namespace cli
