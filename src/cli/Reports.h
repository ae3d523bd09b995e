#pragma once
// The result of a run in each of the console program's output forms, as
// UTF-8 bytes: plain Portuguese text, one JSON object, the Prometheus text
// exposition format (for a monitoring agent's textfile folder) and one
// monitoring-plugin status line with performance data.
#include <string>
#include <string_view>

#include "cli/CommandResult.h"
#include "cli/Invocation.h"

namespace cli {

std::string report(const CommandResult& result, OutputForm form);

std::string textReport(const CommandResult& result);
std::string jsonReport(const CommandResult& result);
std::string prometheusReport(const CommandResult& result);
std::string nagiosReport(const CommandResult& result);

// The names machines read, which stay as they are: "ok", "aviso", "critico",
// "desconhecido"; "certificado", "comunicacao", "pendentes", "memoria",
// "relogio", "bloqueio", "rede", "bateria".
std::string_view levelName(health::Level level);
std::string_view checkName(health::CheckId check);

// The result's check of that id; nullptr for a run without health checks.
const health::Check* findCheck(const CommandResult& result, health::CheckId id);

// A figure as the machine forms write it: whole numbers without a point,
// others with up to six significant digits.
std::string figureText(double figure);

}  // namespace cli
