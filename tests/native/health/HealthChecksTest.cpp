#include <gtest/gtest.h>

#include "health/HealthChecks.h"
#include "health/StatusFields.h"
#include "platform/Text.h"
#include "support/StatusAnswer.h"

namespace {

using health::CheckId;
using health::Level;
using health::StatusField;

const std::string kZeros(44, '0');
// Two pending coupons' keys of one device: numbers 000010 and 000014.
const std::string kFirstKey = "35261211222333000181599000040190000100000011";
const std::string kLastKey = "35261211222333000181599000040190000140000017";

using testing_support::statusAnswer;

const platform::DateTime kComputerNow{2026, 12, 10, {12, 0, 0, 0}};

health::Check checkOf(const std::vector<health::Check>& checks, CheckId id) {
  for (const health::Check& check : checks)
    if (check.id == id) return check;
  ADD_FAILURE() << "no check " << static_cast<int>(id);
  return {};
}

struct Case {
  StatusField field;
  std::string sent;
  CheckId check;
  Level level;
  std::u16string sentence;
  std::optional<double> figure;
};

void expectCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    SCOPED_TRACE("field " + std::to_string(static_cast<int>(c.field)) + " = \"" + c.sent + "\"");
    const health::Check check =
        checkOf(health::assessHealth(statusAnswer({{c.field, c.sent}}), kComputerNow), c.check);
    EXPECT_EQ(check.level, c.level);
    EXPECT_EQ(platform::toUtf8(check.sentence), platform::toUtf8(c.sentence));
    ASSERT_EQ(check.figure.has_value(), c.figure.has_value());
    if (c.figure) {
      EXPECT_DOUBLE_EQ(*check.figure, *c.figure);
    }
  }
}

TEST(HealthChecks, HealthyDeviceIsOkEverywhere) {
  const std::vector<health::Check> checks = health::assessHealth(statusAnswer(), kComputerNow);
  ASSERT_EQ(checks.size(), 8u);
  for (const health::Check& check : checks)
    EXPECT_EQ(check.level, Level::Ok) << platform::toUtf8(check.sentence);
  EXPECT_EQ(health::worstLevel(checks), Level::Ok);
}

// The device's own date (10/12/2026) counts, not this computer's.
TEST(HealthChecks, CertificateByDaysLeftOnTheDevicesDate) {
  expectCases({
      {StatusField::CERT_VENCIMENTO, "20270109", CheckId::Certificate, Level::Ok,
       u"Certificado do SAT vence em 30 dias (09/01/2027)", 30},
      {StatusField::CERT_VENCIMENTO, "20270108", CheckId::Certificate, Level::Warning,
       u"Certificado do SAT vence em 29 dias (08/01/2027)", 29},
      {StatusField::CERT_VENCIMENTO, "20261211", CheckId::Certificate, Level::Warning,
       u"Certificado do SAT vence em 1 dia (11/12/2026)", 1},
      {StatusField::CERT_VENCIMENTO, "20261210", CheckId::Certificate, Level::Warning,
       u"Certificado do SAT vence hoje (10/12/2026)", 0},
      {StatusField::CERT_VENCIMENTO, "20261209", CheckId::Certificate, Level::Critical,
       u"Certificado do SAT venceu há 1 dia (09/12/2026)", -1},
      {StatusField::CERT_VENCIMENTO, "20240229", CheckId::Certificate, Level::Critical,
       u"Certificado do SAT venceu há 1015 dias (29/02/2024)", -1015},
      {StatusField::CERT_VENCIMENTO,
       "20230229",
       CheckId::Certificate,
       Level::Unknown,
       u"Campo CERT_VENCIMENTO (vencimento do certificado) ilegível: \"20230229\"",
       {}},
      {StatusField::CERT_VENCIMENTO,
       "2026121",
       CheckId::Certificate,
       Level::Unknown,
       u"Campo CERT_VENCIMENTO (vencimento do certificado) ilegível: \"2026121\"",
       {}},
      {StatusField::CERT_VENCIMENTO,
       "",
       CheckId::Certificate,
       Level::Unknown,
       u"Campo CERT_VENCIMENTO (vencimento do certificado) vazio",
       {}},
      {StatusField::DH_ATUAL,
       "agora",
       CheckId::Certificate,
       Level::Unknown,
       u"Data de vencimento do certificado (10/12/2031) não comparada: campo DH_ATUAL (relógio "
       u"do SAT) ilegível: \"agora\"",
       {}},
  });
}

TEST(HealthChecks, LastCommunicationByItsAge) {
  expectCases({
      {StatusField::DH_ULTIMA, "20261209120000", CheckId::LastCommunication, Level::Ok,
       u"Última comunicação com a SEFAZ há 1 dia (09/12/2026 12:00:00)", 86400},
      {StatusField::DH_ULTIMA, "20261209115959", CheckId::LastCommunication, Level::Warning,
       u"Última comunicação com a SEFAZ há 1 dia (09/12/2026 11:59:59)", 86401},
      {StatusField::DH_ULTIMA, "20261205120000", CheckId::LastCommunication, Level::Warning,
       u"Última comunicação com a SEFAZ há 5 dias (05/12/2026 12:00:00)", 432000},
      {StatusField::DH_ULTIMA, "20261205095959", CheckId::LastCommunication, Level::Critical,
       u"Última comunicação com a SEFAZ há 5 dias e 2 horas (05/12/2026 09:59:59)", 439201},
      {StatusField::DH_ULTIMA, "20261210114501", CheckId::LastCommunication, Level::Ok,
       u"Última comunicação com a SEFAZ há 14 minutos e 59 segundos (10/12/2026 11:45:01)", 899},
      {StatusField::DH_ULTIMA,
       "20261210120100",
       CheckId::LastCommunication,
       Level::Unknown,
       u"Última comunicação com a SEFAZ (10/12/2026 12:01:00) posterior ao relógio do SAT "
       u"(10/12/2026 12:00:00)",
       {}},
      {StatusField::DH_ULTIMA,
       "20261210126000",
       CheckId::LastCommunication,
       Level::Unknown,
       u"Campo DH_ULTIMA (última comunicação com a SEFAZ) ilegível: \"20261210126000\"",
       {}},
      {StatusField::DH_ULTIMA,
       "",
       CheckId::LastCommunication,
       Level::Unknown,
       u"Campo DH_ULTIMA (última comunicação com a SEFAZ) vazio",
       {}},
  });
}

TEST(HealthChecks, PendingCouponsByTheFirstAndLastKey) {
  const std::u16string first = platform::fromUtf8(kFirstKey);
  const std::u16string last = platform::fromUtf8(kLastKey);
  const auto pending = [](const std::string& firstKey, const std::string& lastKey) {
    return health::assessHealth(
        statusAnswer({{StatusField::LISTA_INICIAL, firstKey}, {StatusField::LISTA_FINAL, lastKey}}),
        kComputerNow)[2];
  };
  struct PendingCase {
    std::string first, last;
    Level level;
    std::u16string sentence;
    std::optional<double> figure;
  };
  const std::vector<PendingCase> cases{
      {"", "", Level::Ok, u"Nenhum CF-e aguardando envio à SEFAZ", 0},
      {kZeros, kZeros, Level::Ok, u"Nenhum CF-e aguardando envio à SEFAZ", 0},
      {kFirstKey, kLastKey, Level::Warning,
       u"5 CF-e aguardando envio à SEFAZ: " + first + u" a " + last, 5},
      {kFirstKey, kFirstKey, Level::Warning, u"1 CF-e aguardando envio à SEFAZ: " + first, 1},
      {kFirstKey,
       kZeros,
       Level::Warning,
       u"CF-e aguardando envio à SEFAZ: primeiro " + first + u", último não informado",
       {}},
      {kLastKey,
       kFirstKey,
       Level::Warning,
       u"CF-e aguardando envio à SEFAZ: primeiro " + last + u", último " + first,
       {}},
      {"pendente",
       kZeros,
       Level::Unknown,
       u"Campo LISTA_INICIAL (primeiro CF-e pendente) ilegível: \"pendente\"",
       {}},
      {kZeros,
       kLastKey,
       Level::Unknown,
       u"Campo LISTA_FINAL (último CF-e pendente) ilegível: \"" + last.substr(0, 40) + u"...\"",
       {}},
  };
  for (const PendingCase& c : cases) {
    SCOPED_TRACE(c.first + " / " + c.last);
    const health::Check check = pending(c.first, c.last);
    EXPECT_EQ(check.id, CheckId::PendingCoupons);
    EXPECT_EQ(check.level, c.level);
    EXPECT_EQ(platform::toUtf8(check.sentence), platform::toUtf8(c.sentence));
    EXPECT_EQ(check.figure, c.figure);
  }
}

TEST(HealthChecks, MemoryInTheUnitsTheDeviceWrites) {
  const auto memory = [](const std::string& total, const std::string& used) {
    return health::assessHealth(
        statusAnswer({{StatusField::MT_TOTAL, total}, {StatusField::MT_USADA, used}}),
        kComputerNow)[3];
  };
  struct MemoryCase {
    std::string total, used;
    Level level;
    std::u16string sentence;
  };
  const std::vector<MemoryCase> cases{
      {"4 GB", "260 MB", Level::Ok, u"Memória do SAT: 260 MB usados de 4 GB (6 %)"},
      {"1870127104", "1174929408", Level::Ok,
       u"Memória do SAT: 1174929408 usados de 1870127104 (62 %)"},
      {"2048 MB", "1638 MB", Level::Ok, u"Memória do SAT: 1638 MB usados de 2048 MB (79 %)"},
      {"2048 MB", "1639 MB", Level::Warning, u"Memória do SAT: 1639 MB usados de 2048 MB (80 %)"},
      {"2048 MB", "1945 MB", Level::Warning, u"Memória do SAT: 1945 MB usados de 2048 MB (94 %)"},
      {"2048MB", "1946mb", Level::Critical, u"Memória do SAT: 1946mb usados de 2048MB (95 %)"},
      {"1,5 GB", "768 MB", Level::Ok, u"Memória do SAT: 768 MB usados de 1,5 GB (50 %)"},
      {"2 GB", "2 GB", Level::Critical, u"Memória do SAT: 2 GB usados de 2 GB (100 %)"},
      {"muita", "768 MB", Level::Unknown, u"Campo MT_TOTAL (memória total) ilegível: \"muita\""},
      {"0 MB", "0 MB", Level::Unknown, u"Campo MT_TOTAL (memória total) ilegível: \"0 MB\""},
      {"4 GB", "", Level::Unknown, u"Campo MT_USADA (memória em uso) vazio"},
      {"4 GB", "5 PB", Level::Unknown, u"Campo MT_USADA (memória em uso) ilegível: \"5 PB\""},
      {"4 GB", "260\tMB", Level::Unknown,
       u"Campo MT_USADA (memória em uso) ilegível: \"260\xfffdMB\""},
      {"1 GB", "2 GB", Level::Unknown,
       u"Memória do SAT ilegível: 2 GB usados de 1 GB, mais do que o total"},
  };
  for (const MemoryCase& c : cases) {
    SCOPED_TRACE(c.total + " / " + c.used);
    const health::Check check = memory(c.total, c.used);
    EXPECT_EQ(check.id, CheckId::Memory);
    EXPECT_EQ(check.level, c.level);
    EXPECT_EQ(platform::toUtf8(check.sentence), platform::toUtf8(c.sentence));
    EXPECT_EQ(check.figure.has_value(), c.level != Level::Unknown);
  }
  EXPECT_DOUBLE_EQ(*memory("4 GB", "1 GB").figure, 0.25);
}

// Which clock is right is not the program's to say.
TEST(HealthChecks, ClocksComparedBothWays) {
  expectCases({
      {StatusField::DH_ATUAL, "20261210120000", CheckId::Clock, Level::Ok,
       u"Relógio do SAT igual ao deste computador (SAT: 10/12/2026 12:00:00)", 0},
      {StatusField::DH_ATUAL, "20261210120500", CheckId::Clock, Level::Ok,
       u"Relógio do SAT 5 minutos adiantado em relação a este computador (SAT: 10/12/2026 "
       u"12:05:00)",
       300},
      {StatusField::DH_ATUAL, "20261210120501", CheckId::Clock, Level::Warning,
       u"Relógio do SAT 5 minutos e 1 segundo adiantado em relação a este computador (SAT: "
       u"10/12/2026 12:05:01)",
       301},
      {StatusField::DH_ATUAL, "20261209115459", CheckId::Clock, Level::Warning,
       u"Relógio do SAT 1 dia atrasado em relação a este computador (SAT: 09/12/2026 11:54:59)",
       -86701},
      {StatusField::DH_ATUAL,
       "20261210",
       CheckId::Clock,
       Level::Unknown,
       u"Campo DH_ATUAL (relógio do SAT) ilegível: \"20261210\"",
       {}},
  });
}

TEST(HealthChecks, LockStateAsNumberOrName) {
  expectCases({
      {StatusField::ESTADO_OPERACAO, " 0", CheckId::LockState, Level::Ok, u"SAT desbloqueado", 0},
      {StatusField::ESTADO_OPERACAO, "DESBLOQUEADO", CheckId::LockState, Level::Ok,
       u"SAT desbloqueado", 0},
      {StatusField::ESTADO_OPERACAO, "+2", CheckId::LockState, Level::Critical,
       u"SAT bloqueado: BLOQUEIO CONTRIBUINTE", 1},
      {StatusField::ESTADO_OPERACAO, "BLOQUEIO_SEFAZ", CheckId::LockState, Level::Critical,
       u"SAT bloqueado: BLOQUEIO SEFAZ", 1},
      {StatusField::ESTADO_OPERACAO, "4", CheckId::LockState, Level::Critical,
       u"SAT bloqueado: BLOQUEIO PARA DESATIVACAO", 1},
      {StatusField::ESTADO_OPERACAO,
       "7",
       CheckId::LockState,
       Level::Unknown,
       u"Campo ESTADO_OPERACAO (estado de operação) ilegível: \"7\"",
       {}},
      {StatusField::ESTADO_OPERACAO,
       "BLOQUEADO\x01",
       CheckId::LockState,
       Level::Unknown,
       u"Campo ESTADO_OPERACAO (estado de operação) ilegível: \"BLOQUEADO\"",
       {}},
      {StatusField::ESTADO_OPERACAO,
       "Bloqueio \xe9",
       CheckId::LockState,
       Level::Unknown,
       u"Campo ESTADO_OPERACAO (estado de operação) ilegível: \"Bloqueio \xfffd\"",
       {}},
  });
}

TEST(HealthChecks, NetworkAndBattery) {
  expectCases({
      {StatusField::STATUS_LAN, "CONECTADO\n", CheckId::Network, Level::Ok,
       u"Rede do SAT conectada", 1},
      {StatusField::STATUS_LAN, "NAO_CONECTADO", CheckId::Network, Level::Critical,
       u"Rede do SAT não conectada (NAO_CONECTADO)", 0},
      {StatusField::STATUS_LAN,
       "",
       CheckId::Network,
       Level::Unknown,
       u"Campo STATUS_LAN (estado da rede) vazio",
       {}},
      {StatusField::STATUS_LAN,
       "conectado?",
       CheckId::Network,
       Level::Unknown,
       u"Campo STATUS_LAN (estado da rede) ilegível: \"conectado?\"",
       {}},
      {StatusField::NIVEL_BATERIA, "MEDIO", CheckId::Battery, Level::Ok, u"Bateria do SAT: MEDIO",
       0},
      {StatusField::NIVEL_BATERIA, "BAIXO", CheckId::Battery, Level::Warning,
       u"Bateria do SAT baixa (BAIXO)", 1},
      {StatusField::NIVEL_BATERIA,
       "7%",
       CheckId::Battery,
       Level::Unknown,
       u"Campo NIVEL_BATERIA (nível da bateria) ilegível: \"7%\"",
       {}},
  });
}

// The authority's emulator leaves LISTA_FINAL out: the dates and the lock
// state that follow it are still read in their places.
TEST(HealthChecks, AnswerWithoutListaFinal) {
  std::string answer = statusAnswer({{StatusField::CERT_VENCIMENTO, "20261220"},
                                     {StatusField::ESTADO_OPERACAO, "BLOQUEIO_AUTONOMO"}});
  const std::string listaFinal = "|" + kZeros + "|" + kZeros + "|";
  answer.replace(answer.find(listaFinal), listaFinal.size(), "|" + kZeros + "|");
  const std::vector<health::Check> checks = health::assessHealth(answer, kComputerNow);
  EXPECT_EQ(platform::toUtf8(checks[0].sentence),
            "Certificado do SAT vence em 10 dias (20/12/2026)");
  EXPECT_EQ(checks[1].level, Level::Ok);
  EXPECT_EQ(platform::toUtf8(checks[2].sentence), "Nenhum CF-e aguardando envio à SEFAZ");
  EXPECT_EQ(platform::toUtf8(checks[5].sentence), "SAT bloqueado: BLOQUEIO AUTONOMO");
}

TEST(HealthChecks, ShortAnswerLeavesTheMissingFieldsUnknown) {
  const std::vector<health::Check> checks =
      health::assessHealth("123456|10000|Resposta com Sucesso.|||900004019|DHCP", kComputerNow);
  for (const health::Check& check : checks) {
    EXPECT_EQ(check.level, Level::Unknown);
    EXPECT_NE(platform::toUtf8(check.sentence).find("ausente na resposta"), std::string::npos)
        << platform::toUtf8(check.sentence);
  }
  EXPECT_EQ(health::worstLevel(checks), Level::Unknown);
}

TEST(HealthChecks, WorstFirstKeepsTheOrderWithinALevel) {
  const std::vector<health::Check> checks =
      health::worstFirst(health::assessHealth(statusAnswer({{StatusField::NIVEL_BATERIA, "BAIXO"},
                                                            {StatusField::STATUS_LAN, "?"},
                                                            {StatusField::CERT_VENCIMENTO, "x"},
                                                            {StatusField::MT_USADA, "2000 MB"},
                                                            {StatusField::ESTADO_OPERACAO, "1"}}),
                                              kComputerNow));
  std::vector<CheckId> order;
  for (const health::Check& check : checks) order.push_back(check.id);
  EXPECT_EQ(order, (std::vector<CheckId>{CheckId::Memory, CheckId::LockState, CheckId::Battery,
                                         CheckId::Certificate, CheckId::Network,
                                         CheckId::LastCommunication, CheckId::PendingCoupons,
                                         CheckId::Clock}));
  EXPECT_EQ(health::worstLevel(checks), Level::Critical);
}

}  // namespace
