#include "StateFields.h"

#include <array>
#include <charconv>
#include <utility>

namespace satemu {
namespace {

template <typename Access>
StateField textField(const char* section, const char* key, Access access) {
  return {section, key, [access](const DeviceState& s) { return access(s); },
          [access](DeviceState& s, std::string_view v) {
            access(s) = std::string(v);
            return true;
          }};
}

bool parseInt(std::string_view text, int& out) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return false;
  out = value;
  return true;
}

template <typename Access>
StateField intField(const char* section, const char* key, Access access) {
  return {section, key, [access](const DeviceState& s) { return std::to_string(access(s)); },
          [access](DeviceState& s, std::string_view v) { return parseInt(v, access(s)); }};
}

// Empty while unset.
template <typename Access>
StateField optionalIntField(const char* section, const char* key, Access access) {
  return {section, key,
          [access](const DeviceState& s) {
            return access(s) ? std::to_string(*access(s)) : std::string();
          },
          [access](DeviceState& s, std::string_view v) {
            if (v.empty()) {
              access(s).reset();
              return true;
            }
            int value = 0;
            if (!parseInt(v, value)) return false;
            access(s) = value;
            return true;
          }};
}

template <typename Access>
StateField boolField(const char* section, const char* key, Access access) {
  return {section, key,
          [access](const DeviceState& s) { return std::string(access(s) ? "1" : "0"); },
          [access](DeviceState& s, std::string_view v) {
            if (v == "1" || v == "yes" || v == "true" || v == "on") {
              access(s) = true;
            } else if (v == "0" || v == "no" || v == "false" || v == "off") {
              access(s) = false;
            } else {
              return false;
            }
            return true;
          }};
}

template <typename Enum, std::size_t N, typename Access>
StateField enumField(const char* section, const char* key,
                     std::array<std::pair<Enum, const char*>, N> names, Access access) {
  return {section, key,
          [access, names](const DeviceState& s) {
            for (const auto& [value, name] : names)
              if (value == access(s)) return std::string(name);
            return std::string();
          },
          [access, names](DeviceState& s, std::string_view v) {
            for (const auto& [value, name] : names) {
              if (v == name) {
                access(s) = value;
                return true;
              }
            }
            return false;
          }};
}

#define SATEMU_MEMBER(path) \
  [](auto& s) -> auto& {    \
    return s.path;          \
  }

std::vector<StateField> makeFields() {
  return {
      textField("device", "serial", SATEMU_MEMBER(serial)),
      textField("device", "emergencyCode", SATEMU_MEMBER(emergencyCode)),
      textField("device", "mac", SATEMU_MEMBER(mac)),
      textField("device", "softwareVersion", SATEMU_MEMBER(softwareVersion)),
      textField("device", "manufactured", SATEMU_MEMBER(manufactured)),
      textField("device", "sefazCnpj", SATEMU_MEMBER(sefazCnpj)),
      boolField("device", "activated", SATEMU_MEMBER(activated)),
      textField("device", "activationCode", SATEMU_MEMBER(activationCode)),
      textField("device", "cnpj", SATEMU_MEMBER(cnpj)),
      intField("device", "cUF", SATEMU_MEMBER(cUF)),
      textField("device", "certificateIssued", SATEMU_MEMBER(certificateIssued)),
      textField("device", "certificateExpires", SATEMU_MEMBER(certificateExpires)),
      boolField("device", "associated", SATEMU_MEMBER(associated)),
      textField("device", "softwareHouseCnpj", SATEMU_MEMBER(softwareHouseCnpj)),
      textField("device", "signAC", SATEMU_MEMBER(signAC)),
      intField("device", "lockState", SATEMU_MEMBER(lockState)),
      intField("device", "wrongCodes", SATEMU_MEMBER(wrongCodes)),
      textField("device", "codeLockedUntil", SATEMU_MEMBER(codeLockedUntil)),
      intField("device", "lastCouponNumber", SATEMU_MEMBER(lastCouponNumber)),
      textField("device", "lastCouponKey", SATEMU_MEMBER(lastCouponKey)),
      textField("device", "lastTransmission", SATEMU_MEMBER(lastTransmission)),
      textField("device", "lastCommunication", SATEMU_MEMBER(lastCommunication)),
      textField("device", "lastSaleKey", SATEMU_MEMBER(lastSale.key)),
      textField("device", "lastSaleStamp", SATEMU_MEMBER(lastSale.stamp)),
      textField("device", "lastSaleEpoch", SATEMU_MEMBER(lastSale.epoch)),
      textField("device", "lastSaleTotal", SATEMU_MEMBER(lastSale.total)),
      textField("device", "lastSaleBuyer", SATEMU_MEMBER(lastSale.buyerId)),
      textField("device", "lastSaleEmit", SATEMU_MEMBER(lastSale.emit)),
      boolField("device", "lastSaleCancelled", SATEMU_MEMBER(lastSale.cancelled)),
      textField("device", "lastFiscalAnswer", SATEMU_MEMBER(lastFiscalAnswer)),
      textField("parameterisation", "xNome", SATEMU_MEMBER(parameterisation.xNome)),
      textField("parameterisation", "xFant", SATEMU_MEMBER(parameterisation.xFant)),
      textField("parameterisation", "xLgr", SATEMU_MEMBER(parameterisation.xLgr)),
      textField("parameterisation", "nro", SATEMU_MEMBER(parameterisation.nro)),
      textField("parameterisation", "xCpl", SATEMU_MEMBER(parameterisation.xCpl)),
      textField("parameterisation", "xBairro", SATEMU_MEMBER(parameterisation.xBairro)),
      textField("parameterisation", "xMun", SATEMU_MEMBER(parameterisation.xMun)),
      textField("parameterisation", "CEP", SATEMU_MEMBER(parameterisation.cep)),
      textField("parameterisation", "cRegTrib", SATEMU_MEMBER(parameterisation.cRegTrib)),
      textField("network", "tipoInter", SATEMU_MEMBER(network.tipoInter)),
      textField("network", "SSID", SATEMU_MEMBER(network.ssid)),
      textField("network", "seg", SATEMU_MEMBER(network.seg)),
      textField("network", "codigo", SATEMU_MEMBER(network.codigo)),
      textField("network", "tipoLan", SATEMU_MEMBER(network.tipoLan)),
      textField("network", "lanIP", SATEMU_MEMBER(network.lanIP)),
      textField("network", "lanMask", SATEMU_MEMBER(network.lanMask)),
      textField("network", "lanGW", SATEMU_MEMBER(network.lanGW)),
      textField("network", "lanDNS1", SATEMU_MEMBER(network.lanDNS1)),
      textField("network", "lanDNS2", SATEMU_MEMBER(network.lanDNS2)),
      textField("network", "usuario", SATEMU_MEMBER(network.usuario)),
      textField("network", "senha", SATEMU_MEMBER(network.senha)),
      intField("network", "proxy", SATEMU_MEMBER(network.proxy)),
      textField("network", "proxy_ip", SATEMU_MEMBER(network.proxyIp)),
      textField("network", "proxy_porta", SATEMU_MEMBER(network.proxyPorta)),
      textField("network", "proxy_user", SATEMU_MEMBER(network.proxyUser)),
      textField("network", "proxy_senha", SATEMU_MEMBER(network.proxySenha)),
      intField("knobs", "latencyMs", SATEMU_MEMBER(knobs.latencyMs)),
      intField("knobs", "activationLatencyMs", SATEMU_MEMBER(knobs.activationLatencyMs)),
      intField("knobs", "slowMs", SATEMU_MEMBER(knobs.slowMs)),
      intField("knobs", "slowCalls", SATEMU_MEMBER(knobs.slowCalls)),
      intField("knobs", "lockoutMinutes", SATEMU_MEMBER(knobs.lockoutMinutes)),
      textField("knobs", "forcedCode", SATEMU_MEMBER(knobs.forcedCode)),
      textField("knobs", "forcedAnswer", SATEMU_MEMBER(knobs.forcedAnswer)),
      intField("knobs", "forcedCalls", SATEMU_MEMBER(knobs.forcedCalls)),
      enumField("knobs", "answer",
                std::array<std::pair<AnswerForm, const char*>, 6>{
                    {{AnswerForm::Normal, "normal"},
                     {AnswerForm::Empty, "empty"},
                     {AnswerForm::Null, "null"},
                     {AnswerForm::Crash, "crash"},
                     {AnswerForm::HandledFault, "handled-fault"},
                     {AnswerForm::DelphiException, "delphi-exception"}}},
                SATEMU_MEMBER(knobs.form)),
      enumField("knobs", "encoding",
                std::array<std::pair<AnswerEncoding, const char*>, 3>{
                    {{AnswerEncoding::Utf8, "utf-8"},
                     {AnswerEncoding::Windows1252, "windows-1252"},
                     {AnswerEncoding::InvalidUtf8, "invalid-utf-8"}}},
                SATEMU_MEMBER(knobs.encoding)),
      boolField("knobs", "crlfInBase64", SATEMU_MEMBER(knobs.crlfInBase64)),
      boolField("knobs", "missingListaFinal", SATEMU_MEMBER(knobs.missingListaFinal)),
      enumField(
          "knobs", "estadoOperacao",
          std::array<std::pair<LockStateForm, const char*>, 4>{{{LockStateForm::Number, "number"},
                                                                {LockStateForm::Padded, "padded"},
                                                                {LockStateForm::Signed, "signed"},
                                                                {LockStateForm::Text, "text"}}},
          SATEMU_MEMBER(knobs.estadoOperacao)),
      boolField("knobs", "wrongSessionEcho", SATEMU_MEMBER(knobs.wrongSessionEcho)),
      boolField("knobs", "rejectReusedSessions", SATEMU_MEMBER(knobs.rejectReusedSessions)),
      intField("knobs", "hugeLogMegabytes", SATEMU_MEMBER(knobs.hugeLogMegabytes)),
      boolField("knobs", "crlfInLog", SATEMU_MEMBER(knobs.crlfInLog)),
      enumField("knobs", "superLog",
                std::array<std::pair<SuperLogBlocks, const char*>, 4>{
                    {{SuperLogBlocks::Normal, "normal"},
                     {SuperLogBlocks::None, "none"},
                     {SuperLogBlocks::Unterminated, "unterminated"},
                     {SuperLogBlocks::Several, "several"}}},
                SATEMU_MEMBER(knobs.superLog)),
      enumField("knobs", "layout",
                std::array<std::pair<AnswerLayout, const char*>, 2>{
                    {{AnswerLayout::Current, "current"}, {AnswerLayout::Legacy, "legacy"}}},
                SATEMU_MEMBER(knobs.layout)),
      enumField("knobs", "couponForm",
                std::array<std::pair<CouponForm, const char*>, 2>{
                    {{CouponForm::Device, "device"}, {CouponForm::OneLine, "oneLine"}}},
                SATEMU_MEMBER(knobs.couponForm)),
      optionalIntField("knobs", "certificateDaysLeft", SATEMU_MEMBER(knobs.certificateDaysLeft)),
      optionalIntField("knobs", "lastCommunicationMinutesAgo",
                       SATEMU_MEMBER(knobs.lastCommunicationMinutesAgo)),
      intField("knobs", "pendingCoupons", SATEMU_MEMBER(knobs.pendingCoupons)),
      optionalIntField("knobs", "memoryUsedPercent", SATEMU_MEMBER(knobs.memoryUsedPercent)),
      enumField("knobs", "memoryForm",
                std::array<std::pair<MemoryForm, const char*>, 2>{
                    {{MemoryForm::Units, "units"}, {MemoryForm::Bytes, "bytes"}}},
                SATEMU_MEMBER(knobs.memoryForm)),
      intField("knobs", "clockOffsetSeconds", SATEMU_MEMBER(knobs.clockOffsetSeconds)),
      textField("knobs", "networkStatus", SATEMU_MEMBER(knobs.networkStatus)),
      textField("knobs", "batteryLevel", SATEMU_MEMBER(knobs.batteryLevel)),
  };
}

#undef SATEMU_MEMBER

}  // namespace

const std::vector<StateField>& stateFields() {
  static const std::vector<StateField> fields = makeFields();
  return fields;
}

}  // namespace satemu
