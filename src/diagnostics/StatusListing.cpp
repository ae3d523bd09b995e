#include "diagnostics/StatusListing.h"

#include <array>
#include <optional>

#include "health/DeviceTime.h"
#include "health/LockState.h"
#include "platform/Text.h"

namespace diagnostics {

namespace {

enum class ValueKind { Text, DateTime, Date, LockState };

struct StatusField {
  std::u16string_view label;
  ValueKind kind;
};

// CamposStatus: the labels of fields 5 to 27.
constexpr std::array<StatusField, 23> kCamposStatus{{
    {u"NSERIE", ValueKind::Text},
    {u"TIPO_LAN", ValueKind::Text},
    {u"LAN_IP", ValueKind::Text},
    {u"LAN_MAC", ValueKind::Text},
    {u"LAN_MASK", ValueKind::Text},
    {u"LAN_GW", ValueKind::Text},
    {u"LAN_DNS_1", ValueKind::Text},
    {u"LAN_DNS_2", ValueKind::Text},
    {u"STATUS_LAN", ValueKind::Text},
    {u"NIVEL_BATERIA", ValueKind::Text},
    {u"MT_TOTAL", ValueKind::Text},
    {u"MT_USADA", ValueKind::Text},
    {u"DH_ATUAL", ValueKind::DateTime},
    {u"VER_SB", ValueKind::Text},
    {u"VER_LAYOUT", ValueKind::Text},
    {u"ULTIMO_CF-E-SAT", ValueKind::Text},
    {u"LISTA_INICIAL", ValueKind::Text},
    {u"LISTA_FINAL", ValueKind::Text},
    {u"DH_CFe", ValueKind::DateTime},
    {u"DH_ULTIMA", ValueKind::DateTime},
    {u"CERT_EMISSAO", ValueKind::Date},
    {u"CERT_VENCIMENTO", ValueKind::Date},
    {u"ESTADO_OPERACAO", ValueKind::LockState},
}};

constexpr std::size_t kLabelColumn = 17;

// AAAAMMDDhhmmss as DD/MM/AAAA - hh:mm:ss.
std::u16string dateTime(std::string_view v) {
  return health::shownDate(v) + u" - " + health::shownTime(v);
}

// The state is what a technician opens the listing for, so a value the table
// does not name (another number, a maker's own text) is written as sent.
std::u16string lockState(std::string_view v) {
  const std::optional<int> number = health::writtenNumber(v);
  const auto name = number ? health::lockStateName(*number) : std::nullopt;
  if (!name) return platform::fromUtf8(v);
  return std::u16string(*name);
}

std::u16string value(ValueKind kind, std::string_view v) {
  switch (kind) {
    case ValueKind::DateTime:
      return dateTime(v);
    case ValueKind::Date:
      return health::shownDate(v);
    case ValueKind::LockState:
      return lockState(v);
    case ValueKind::Text:
      break;
  }
  return platform::fromUtf8(v);
}

}  // namespace

std::u16string statusLabel(std::size_t field) {
  const std::size_t index = field - kFirstStatusField;
  if (index < kCamposStatus.size()) return std::u16string(kCamposStatus[index].label);
  return platform::fromAnsi("CAMPO_" + std::to_string(field));
}

std::u16string statusLine(std::size_t field, std::string_view v) {
  const std::size_t index = field - kFirstStatusField;
  const std::u16string label = statusLabel(field);
  const ValueKind kind = index < kCamposStatus.size() ? kCamposStatus[index].kind : ValueKind::Text;
  const std::size_t dots = label.size() < kLabelColumn ? kLabelColumn - label.size() : 0;
  return u" " + label + u" " + std::u16string(dots, u'.') + u" " + value(kind, v);
}

}  // namespace diagnostics
