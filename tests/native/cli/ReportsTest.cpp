#include <gtest/gtest.h>

#include "cli/Reports.h"
#include "platform/Text.h"
#include "support/StatusAnswer.h"

namespace {

using health::StatusField;

// A device whose certificate expires in 12 days and whose battery field
// cannot be read, at its own time: clocks equal.
cli::CommandResult healthResult() {
  cli::CommandResult result;
  result.command = cli::Command::Saude;
  result.answered = true;
  result.sessao = "654321";
  result.returnCode = "10000";
  result.message = u"Resposta com Sucesso.";
  result.serial = u"900004019";
  result.checks = health::worstFirst(health::assessHealth(
      testing_support::statusAnswer(
          {{StatusField::CERT_VENCIMENTO, "20261222"}, {StatusField::NIVEL_BATERIA, ""}}),
      {2026, 12, 10, {12, 0, 0, 0}}));
  result.level = health::worstLevel(result.checks);
  result.summary = u"Certificado do SAT vence em 12 dias (22/12/2026)";
  return result;
}

TEST(Reports, PrometheusOneGaugePerCheckWithTheSerial) {
  EXPECT_EQ(cli::prometheusReport(healthResult()),
            "# HELP quorvel_sat_query_succeeded 1 quando o SAT respondeu ao comando com seu "
            "código de sucesso, 0 quando não.\n"
            "# TYPE quorvel_sat_query_succeeded gauge\n"
            "quorvel_sat_query_succeeded{serie=\"900004019\"} 1\n"
            "# HELP quorvel_sat_certificate_expires_in_seconds Tempo até o vencimento do "
            "certificado do SAT: os dias inteiros que faltam pela data do SAT, em segundos "
            "(negativo: vencido).\n"
            "# TYPE quorvel_sat_certificate_expires_in_seconds gauge\n"
            "quorvel_sat_certificate_expires_in_seconds{serie=\"900004019\"} 1036800\n"
            "# HELP quorvel_sat_last_communication_age_seconds Segundos desde a última "
            "comunicação do SAT com a SEFAZ.\n"
            "# TYPE quorvel_sat_last_communication_age_seconds gauge\n"
            "quorvel_sat_last_communication_age_seconds{serie=\"900004019\"} 3600\n"
            "# HELP quorvel_sat_memory_used_ratio Fração da memória do SAT em uso, de 0 a 1.\n"
            "# TYPE quorvel_sat_memory_used_ratio gauge\n"
            "quorvel_sat_memory_used_ratio{serie=\"900004019\"} 0.25\n"
            "# HELP quorvel_sat_pending_coupons CF-e no SAT aguardando envio à SEFAZ.\n"
            "# TYPE quorvel_sat_pending_coupons gauge\n"
            "quorvel_sat_pending_coupons{serie=\"900004019\"} 0\n"
            "# HELP quorvel_sat_clock_offset_seconds Segundos que o relógio do SAT está "
            "adiantado em relação ao computador (negativo: atrasado).\n"
            "# TYPE quorvel_sat_clock_offset_seconds gauge\n"
            "quorvel_sat_clock_offset_seconds{serie=\"900004019\"} 0\n"
            "# HELP quorvel_sat_locked 1 quando o SAT está bloqueado, 0 quando não.\n"
            "# TYPE quorvel_sat_locked gauge\n"
            "quorvel_sat_locked{serie=\"900004019\"} 0\n"
            "# HELP quorvel_sat_network_connected 1 quando a rede do SAT está conectada, 0 "
            "quando não.\n"
            "# TYPE quorvel_sat_network_connected gauge\n"
            "quorvel_sat_network_connected{serie=\"900004019\"} 1\n"
            "# HELP quorvel_sat_battery_low 1 quando a bateria do SAT está baixa, 0 quando não.\n"
            "# TYPE quorvel_sat_battery_low gauge\n"
            "quorvel_sat_battery_low{serie=\"900004019\"} NaN\n"
            "# HELP quorvel_sat_check_level Nível de cada verificação de saúde: 0 ok, 1 aviso, 2 "
            "crítico, 3 desconhecido.\n"
            "# TYPE quorvel_sat_check_level gauge\n"
            "quorvel_sat_check_level{serie=\"900004019\",verificacao=\"certificado\"} 1\n"
            "quorvel_sat_check_level{serie=\"900004019\",verificacao=\"bateria\"} 3\n"
            "quorvel_sat_check_level{serie=\"900004019\",verificacao=\"comunicacao\"} 0\n"
            "quorvel_sat_check_level{serie=\"900004019\",verificacao=\"pendentes\"} 0\n"
            "quorvel_sat_check_level{serie=\"900004019\",verificacao=\"memoria\"} 0\n"
            "quorvel_sat_check_level{serie=\"900004019\",verificacao=\"relogio\"} 0\n"
            "quorvel_sat_check_level{serie=\"900004019\",verificacao=\"bloqueio\"} 0\n"
            "quorvel_sat_check_level{serie=\"900004019\",verificacao=\"rede\"} 0\n");
}

TEST(Reports, NagiosOneLineWithPerformanceData) {
  EXPECT_EQ(cli::nagiosReport(healthResult()),
            "SAT WARNING - Certificado do SAT vence em 12 dias (22/12/2026) | "
            "certificado_dias=12;30:;0: ultima_comunicacao=3600s;86400;432000;0 "
            "memoria=25%;80;95;0;100 pendentes=0;0;;0 relogio=0s;-300:300 bloqueado=0;;0;0;1 "
            "rede_conectada=1;;1:;0;1 bateria_baixa=U;0;;0;1\n");
}

TEST(Reports, JsonFieldsOfAHealthResult) {
  EXPECT_EQ(
      cli::jsonReport(healthResult()),
      "{\"versao\":1,\"comando\":\"saude\",\"nivel\":\"aviso\",\"codigo_saida\":1,"
      "\"respondeu\":true,\"resumo\":\"Certificado do SAT vence em 12 dias (22/12/2026)\","
      "\"sessao\":\"654321\",\"codigo_retorno\":\"10000\",\"mensagem\":\"Resposta com "
      "Sucesso.\",\"numero_serie\":\"900004019\",\"verificacoes\":["
      "{\"verificacao\":\"certificado\",\"nivel\":\"aviso\",\"frase\":\"Certificado do SAT vence "
      "em 12 dias (22/12/2026)\",\"valor\":12},"
      "{\"verificacao\":\"bateria\",\"nivel\":\"desconhecido\",\"frase\":\"Campo NIVEL_BATERIA "
      "(n\\u00edvel da bateria) vazio\",\"valor\":null},"
      "{\"verificacao\":\"comunicacao\",\"nivel\":\"ok\",\"frase\":\"\\u00daltima "
      "comunica\\u00e7\\u00e3o com a SEFAZ h\\u00e1 1 hora (10/12/2026 11:00:00)\",\"valor\":3600},"
      "{\"verificacao\":\"pendentes\",\"nivel\":\"ok\",\"frase\":\"Nenhum CF-e aguardando envio "
      "\\u00e0 SEFAZ\",\"valor\":0},"
      "{\"verificacao\":\"memoria\",\"nivel\":\"ok\",\"frase\":\"Mem\\u00f3ria do SAT: 512 MB "
      "usados de 2048 MB (25 %)\",\"valor\":0.25},"
      "{\"verificacao\":\"relogio\",\"nivel\":\"ok\",\"frase\":\"Rel\\u00f3gio do SAT igual ao "
      "deste computador (SAT: 10/12/2026 12:00:00)\",\"valor\":0},"
      "{\"verificacao\":\"bloqueio\",\"nivel\":\"ok\",\"frase\":\"SAT desbloqueado\",\"valor\":0},"
      "{\"verificacao\":\"rede\",\"nivel\":\"ok\",\"frase\":\"Rede do SAT conectada\",\"valor\":1}"
      "],\"campos\":null,\"arquivo\":null}\n");
}

// Whatever the device or the system put in a text, each form stays whole:
// JSON escapes it, a Prometheus label escapes quotes and backslashes, the
// plugin line keeps to one line without a bar.
TEST(Reports, TextsFromOutsideCannotBreakAForm) {
  cli::CommandResult result;
  result.command = cli::Command::Consultar;
  result.summary = u"aspas \" barra \\ | linha\r\nnova \x01 \xd800 fim \xd83d\xde00";
  result.serial = u"9\"0\\0\n";
  result.checks = healthResult().checks;
  const std::string json = cli::jsonReport(result);
  EXPECT_NE(json.find("\"resumo\":\"aspas \\\" barra \\\\ | linha\\u000d\\u000anova \\u0001 "
                      "\\ufffd fim \\ud83d\\ude00\""),
            std::string::npos)
      << json;
  EXPECT_NE(cli::prometheusReport(result).find(
                "quorvel_sat_query_succeeded{serie=\"9\\\"0\\\\0\\n\"} 0\n"),
            std::string::npos);
  const std::string nagios = cli::nagiosReport(result);
  EXPECT_TRUE(nagios.starts_with("SAT UNKNOWN - aspas \" barra \\ / linha  nova")) << nagios;
  EXPECT_EQ(nagios.find('\n'), nagios.size() - 1);
  EXPECT_EQ(std::count(nagios.begin(), nagios.end(), '|'), 1);
}

TEST(Reports, ExitCodesOfTheLevels) {
  EXPECT_EQ(cli::exitCodeOf(health::Level::Ok), 0);
  EXPECT_EQ(cli::exitCodeOf(health::Level::Warning), 1);
  EXPECT_EQ(cli::exitCodeOf(health::Level::Critical), 2);
  EXPECT_EQ(cli::exitCodeOf(health::Level::Unknown), 3);
}

}  // namespace
