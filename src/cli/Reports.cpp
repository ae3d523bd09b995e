#include "cli/Reports.h"

#include <array>
#include <cmath>
#include <cstdio>

namespace cli {

std::string report(const CommandResult& result, OutputForm form) {
  switch (form) {
    case OutputForm::Json:
      return jsonReport(result);
    case OutputForm::Prometheus:
      return prometheusReport(result);
    case OutputForm::Nagios:
      return nagiosReport(result);
    case OutputForm::Text:
      break;
  }
  return textReport(result);
}

std::string_view levelName(health::Level level) {
  switch (level) {
    case health::Level::Ok:
      return "ok";
    case health::Level::Warning:
      return "aviso";
    case health::Level::Critical:
      return "critico";
    case health::Level::Unknown:
      break;
  }
  return "desconhecido";
}

std::string_view checkName(health::CheckId check) {
  static constexpr std::array<std::string_view, health::kCheckCount> kNames{
      "certificado", "comunicacao", "pendentes", "memoria",
      "relogio",     "bloqueio",    "rede",      "bateria"};
  return kNames[static_cast<std::size_t>(check)];
}

const health::Check* findCheck(const CommandResult& result, health::CheckId id) {
  for (const health::Check& check : result.checks)
    if (check.id == id) return &check;
  return nullptr;
}

std::string figureText(double figure) {
  char text[32];
  if (std::nearbyint(figure) == figure && std::fabs(figure) < 1e15) {
    std::snprintf(text, sizeof text, "%.0f", figure);
  } else {
    std::snprintf(text, sizeof text, "%.6g", figure);
  }
  return text;
}

}  // namespace cli
