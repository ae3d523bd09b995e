#include "health/HealthChecks.h"

#include <algorithm>
#include <cmath>

#include "health/DeviceTime.h"
#include "health/LockState.h"
#include "health/MemoryAmount.h"
#include "health/PendingCoupons.h"
#include "health/StatusFields.h"
#include "health/Wording.h"
#include "platform/Text.h"

namespace health {

namespace {

// What is wrong with a value that is missing or cannot be read: the field
// that should hold it, what it is, and the value as sent.
std::u16string unreadable(std::string_view field, std::u16string_view what,
                          std::optional<std::string_view> value) {
  std::u16string text =
      u"campo " + platform::fromUtf8(field) + u" (" + std::u16string(what) + u") ";
  if (!value) return text + u"ausente na resposta";
  if (value->empty()) return text + u"vazio";
  return text + u"ilegível: " + quoted(*value);
}

Check unknown(CheckId id, std::u16string sentence) {
  return {id, Level::Unknown, std::move(sentence), std::nullopt};
}

Check unknownField(CheckId id, std::string_view field, std::u16string_view what,
                   std::optional<std::string_view> value) {
  std::u16string sentence = unreadable(field, what, value);
  sentence[0] = u'C';
  return unknown(id, std::move(sentence));
}

// The device's clock, which the dates it reports are measured against.
struct DeviceNow {
  std::optional<std::string_view> sent;
  std::optional<std::int64_t> moment;
  // Why a date could not be measured against it.
  std::u16string notCompared() const {
    return u" não comparada: " + unreadable("DH_ATUAL", u"relógio do SAT", sent);
  }
};

Check certificate(const StatusFields& fields, const DeviceNow& now) {
  const auto sent = fields[StatusField::CERT_VENCIMENTO];
  const std::optional<std::int64_t> expiry = sent ? deviceDay(*sent) : std::nullopt;
  if (!expiry)
    return unknownField(CheckId::Certificate, "CERT_VENCIMENTO", u"vencimento do certificado",
                        sent);
  const std::u16string date = u" (" + shownDate(*sent) + u")";
  if (!now.moment)
    return unknown(CheckId::Certificate,
                   u"Data de vencimento do certificado" + date + now.notCompared());
  const std::int64_t days = *expiry - *now.moment / kSecondsPerDay;
  const double figure = static_cast<double>(days);
  if (days < 0)
    return {CheckId::Certificate, Level::Critical,
            u"Certificado do SAT venceu há " + counted(-days, u"dia", u"dias") + date, figure};
  const Level level = days < kCertificateWarningDays ? Level::Warning : Level::Ok;
  if (days == 0) return {CheckId::Certificate, level, u"Certificado do SAT vence hoje" + date, 0.0};
  return {CheckId::Certificate, level,
          u"Certificado do SAT vence em " + counted(days, u"dia", u"dias") + date, figure};
}

Check lastCommunication(const StatusFields& fields, const DeviceNow& now) {
  const auto sent = fields[StatusField::DH_ULTIMA];
  const std::optional<std::int64_t> last = sent ? deviceMoment(*sent) : std::nullopt;
  if (!last)
    return unknownField(CheckId::LastCommunication, "DH_ULTIMA", u"última comunicação com a SEFAZ",
                        sent);
  const std::u16string when = u" (" + shownDateTime(*sent) + u")";
  if (!now.moment)
    return unknown(CheckId::LastCommunication,
                   u"Última comunicação com a SEFAZ" + when + now.notCompared());
  const std::int64_t age = *now.moment - *last;
  if (age < 0)
    return unknown(CheckId::LastCommunication, u"Última comunicação com a SEFAZ" + when +
                                                   u" posterior ao relógio do SAT (" +
                                                   shownDateTime(*now.sent) + u")");
  const Level level = age > kCommunicationCriticalSeconds  ? Level::Critical
                      : age > kCommunicationWarningSeconds ? Level::Warning
                                                           : Level::Ok;
  return {CheckId::LastCommunication, level,
          u"Última comunicação com a SEFAZ há " + duration(age) + when, static_cast<double>(age)};
}

Check pendingCoupons(const StatusFields& fields) {
  const auto first = fields[StatusField::LISTA_INICIAL];
  const auto last = fields[StatusField::LISTA_FINAL];
  const PendingList pending = readPendingList(first, last);
  switch (pending.kind) {
    case PendingList::None:
      return {CheckId::PendingCoupons, Level::Ok, u"Nenhum CF-e aguardando envio à SEFAZ", 0.0};
    case PendingList::FirstUnreadable:
      return unknownField(CheckId::PendingCoupons, "LISTA_INICIAL", u"primeiro CF-e pendente",
                          first);
    case PendingList::LastUnreadable:
      return unknownField(CheckId::PendingCoupons, "LISTA_FINAL", u"último CF-e pendente", last);
    case PendingList::Pending:
      break;
  }
  std::u16string sentence;
  std::optional<double> figure;
  if (pending.count) {
    figure = static_cast<double>(*pending.count);
    sentence = platform::fromUtf8(std::to_string(*pending.count)) +
               u" CF-e aguardando envio à SEFAZ: " + platform::fromUtf8(*first);
    if (*pending.count > 1) sentence += u" a " + platform::fromUtf8(*last);
  } else {
    sentence = u"CF-e aguardando envio à SEFAZ: primeiro " + platform::fromUtf8(*first) +
               u", último " + (pending.lastGiven ? platform::fromUtf8(*last) : u"não informado");
  }
  return {CheckId::PendingCoupons, Level::Warning, std::move(sentence), figure};
}

Check memory(const StatusFields& fields) {
  const auto total = fields[StatusField::MT_TOTAL];
  const auto used = fields[StatusField::MT_USADA];
  const std::optional<double> totalBytes = memoryBytes(total.value_or(""));
  const std::optional<double> usedBytes = memoryBytes(used.value_or(""));
  if (!totalBytes || *totalBytes <= 0)
    return unknownField(CheckId::Memory, "MT_TOTAL", u"memória total", total);
  if (!usedBytes) return unknownField(CheckId::Memory, "MT_USADA", u"memória em uso", used);
  const double ratio = *usedBytes / *totalBytes;
  const std::u16string amounts =
      platform::fromUtf8(*used) + u" usados de " + platform::fromUtf8(*total);
  if (ratio > 1)
    return unknown(CheckId::Memory,
                   u"Memória do SAT ilegível: " + amounts + u", mais do que o total");
  const int percent = static_cast<int>(std::floor(ratio * 100));
  const Level level = percent >= kMemoryCriticalPercent  ? Level::Critical
                      : percent >= kMemoryWarningPercent ? Level::Warning
                                                         : Level::Ok;
  return {
      CheckId::Memory, level,
      u"Memória do SAT: " + amounts + u" (" + platform::fromUtf8(std::to_string(percent)) + u" %)",
      ratio};
}

Check clock(const DeviceNow& now, std::int64_t computer) {
  if (!now.moment) return unknownField(CheckId::Clock, "DH_ATUAL", u"relógio do SAT", now.sent);
  const std::int64_t offset = *now.moment - computer;
  const std::u16string shown = u" (SAT: " + shownDateTime(*now.sent) + u")";
  const double figure = static_cast<double>(offset);
  if (offset == 0)
    return {CheckId::Clock, Level::Ok, u"Relógio do SAT igual ao deste computador" + shown, 0.0};
  const Level level =
      offset > kClockWarningSeconds || -offset > kClockWarningSeconds ? Level::Warning : Level::Ok;
  return {CheckId::Clock, level,
          u"Relógio do SAT " + duration(offset) + (offset > 0 ? u" adiantado" : u" atrasado") +
              u" em relação a este computador" + shown,
          figure};
}

Check lock(const StatusFields& fields) {
  const auto sent = fields[StatusField::ESTADO_OPERACAO];
  const std::optional<int> state = sent ? lockState(*sent) : std::nullopt;
  if (!state)
    return unknownField(CheckId::LockState, "ESTADO_OPERACAO", u"estado de operação", sent);
  if (*state == kUnlocked) return {CheckId::LockState, Level::Ok, u"SAT desbloqueado", 0.0};
  return {CheckId::LockState, Level::Critical,
          u"SAT bloqueado: " + std::u16string(*lockStateName(*state)), 1.0};
}

Check network(const StatusFields& fields) {
  const auto sent = fields[StatusField::STATUS_LAN];
  if (sent && *sent == "CONECTADO")
    return {CheckId::Network, Level::Ok, u"Rede do SAT conectada", 1.0};
  if (sent && (*sent == "NAO_CONECTADO" || *sent == "NAO CONECTADO" || *sent == "DESCONECTADO"))
    return {CheckId::Network, Level::Critical,
            u"Rede do SAT não conectada (" + platform::fromUtf8(*sent) + u")", 0.0};
  return unknownField(CheckId::Network, "STATUS_LAN", u"estado da rede", sent);
}

Check battery(const StatusFields& fields) {
  const auto sent = fields[StatusField::NIVEL_BATERIA];
  if (sent && (*sent == "ALTO" || *sent == "MEDIO"))
    return {CheckId::Battery, Level::Ok, u"Bateria do SAT: " + platform::fromUtf8(*sent), 0.0};
  if (sent && *sent == "BAIXO")
    return {CheckId::Battery, Level::Warning, u"Bateria do SAT baixa (BAIXO)", 1.0};
  return unknownField(CheckId::Battery, "NIVEL_BATERIA", u"nível da bateria", sent);
}

}  // namespace

std::vector<Check> assessHealth(std::string_view statusAnswer,
                                const platform::DateTime& computerNow) {
  const StatusFields fields(statusAnswer);
  DeviceNow now;
  now.sent = fields[StatusField::DH_ATUAL];
  if (now.sent) now.moment = deviceMoment(*now.sent);
  return {certificate(fields, now),
          lastCommunication(fields, now),
          pendingCoupons(fields),
          memory(fields),
          clock(now, computerMoment(computerNow)),
          lock(fields),
          network(fields),
          battery(fields)};
}

std::vector<Check> worstFirst(std::vector<Check> checks) {
  std::stable_sort(checks.begin(), checks.end(),
                   [](const Check& a, const Check& b) { return a.level > b.level; });
  return checks;
}

Level worstLevel(const std::vector<Check>& checks) {
  Level worst = Level::Ok;
  for (const Check& check : checks) worst = std::max(worst, check.level);
  return worst;
}

}  // namespace health
