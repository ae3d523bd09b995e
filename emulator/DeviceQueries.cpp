// Status, session query, network configuration and log extraction.
#include <algorithm>
#include <array>

#include "AccessKey.h"
#include "Answer.h"
#include "Device.h"
#include "Messages.h"
#include "NetworkConfig.h"

namespace satemu {
namespace {

const std::string kNoPendingCoupon(44, '0');

struct LanAddresses {
  std::string ip, mask, gateway, dns1, dns2;
};

// A DHCP or PPPoE device shows the lease it got; a fixed address shows what
// was configured.
LanAddresses lanAddresses(const NetworkSettings& network) {
  if (network.tipoLan == "IPFIX") {
    const auto shown = [](const std::string& address) {
      const std::string padded = paddedAddress(address);
      return padded.empty() ? std::string("000.000.000.000") : padded;
    };
    return {shown(network.lanIP), shown(network.lanMask), shown(network.lanGW),
            shown(network.lanDNS1), shown(network.lanDNS2)};
  }
  if (network.tipoLan == "PPPoE")
    return {"200.175.044.017", "255.255.255.255", "200.175.044.001", "200.175.000.010",
            "200.175.000.011"};
  return {"010.000.000.108", "255.255.255.000", "010.000.000.001", "010.000.000.001",
          "000.000.000.000"};
}

std::string lockStateText(int lockState, LockStateForm form) {
  static constexpr std::array<const char*, 5> kNames{"DESBLOQUEADO", "BLOQUEIO_SEFAZ",
                                                     "BLOQUEIO_CONTRIBUINTE", "BLOQUEIO_AUTONOMO",
                                                     "BLOQUEIO_DESATIVACAO"};
  const std::string number = std::to_string(lockState);
  switch (form) {
    case LockStateForm::Text:
      if (lockState >= 0 && lockState <= 4) return kNames[static_cast<std::size_t>(lockState)];
      break;
    case LockStateForm::Padded:
      return " " + number;
    case LockStateForm::Signed:
      return lockState < 0 ? number : "+" + number;
    case LockStateForm::Number:
      break;
  }
  return number;
}

constexpr std::int64_t kMemoryTotalMegabytes = 2048;
constexpr std::int64_t kBytesPerMegabyte = 1024 * 1024;

struct MemoryFields {
  std::string total, used;
};

// A share of the total is rounded up, so that the share set is the share
// read back.
MemoryFields memoryFields(std::int64_t usedMegabytes, const Knobs& knobs) {
  const std::int64_t totalBytes = kMemoryTotalMegabytes * kBytesPerMegabyte;
  const auto share = [&](std::int64_t whole) {
    return (whole * *knobs.memoryUsedPercent + 99) / 100;
  };
  if (knobs.memoryForm == MemoryForm::Bytes) {
    const std::int64_t used =
        knobs.memoryUsedPercent ? share(totalBytes) : usedMegabytes * kBytesPerMegabyte;
    return {std::to_string(totalBytes), std::to_string(used)};
  }
  const std::int64_t used = knobs.memoryUsedPercent ? share(kMemoryTotalMegabytes) : usedMegabytes;
  return {std::to_string(kMemoryTotalMegabytes) + " MB", std::to_string(used) + " MB"};
}

}  // namespace

// The keys of the last coupons the device issued, as many as the knob says
// wait for the authority.
std::pair<std::string, std::string> Device::pendingList() const {
  const int count = state_.knobs.pendingCoupons;
  if (count <= 0) return {kNoPendingCoupon, kNoPendingCoupon};
  const int last = std::max(state_.lastCouponNumber, count);
  const auto key = [&](int number) {
    return buildAccessKey({state_.cUF > 0 ? state_.cUF : 35, yearMonth(now_),
                           state_.cnpj.size() == 14 ? state_.cnpj : std::string(14, '0'),
                           state_.serial, number, number * 7919 % 1000000});
  };
  return {key(last - count + 1), key(last)};
}

std::string Device::operationalStatus(const Command& c) {
  const LanAddresses lan = lanAddresses(state_.network);
  const Knobs& knobs = state_.knobs;
  const MemoryFields memory = memoryFields(
      static_cast<std::int64_t>(180 + state_.log.size() / 50 + state_.sessions.size()), knobs);
  const auto [firstPending, lastPending] = pendingList();
  const std::string lastCommunication =
      knobs.lastCommunicationMinutesAgo
          ? stamp(momentAt(now_.epoch - *knobs.lastCommunicationMinutesAgo * 60LL))
          : state_.lastCommunication;
  const std::string certificateExpires =
      knobs.certificateDaysLeft
          ? date(momentAt(now_.epoch + *knobs.certificateDaysLeft * 24LL * 60 * 60))
          : state_.certificateExpires;
  std::vector<std::string> fields = headFor(c, kSuccess);
  fields.insert(fields.end(), {
                                  state_.serial,
                                  state_.network.tipoLan,
                                  lan.ip,
                                  state_.mac,
                                  lan.mask,
                                  lan.gateway,
                                  lan.dns1,
                                  lan.dns2,
                                  knobs.networkStatus,
                                  knobs.batteryLevel,
                                  memory.total,
                                  memory.used,
                                  stamp(now_),
                                  state_.softwareVersion,
                                  "00.08",
                                  state_.lastCouponKey,
                                  firstPending,
                              });
  if (!knobs.missingListaFinal) fields.push_back(lastPending);
  fields.insert(fields.end(),
                {state_.lastTransmission, lastCommunication, state_.certificateIssued,
                 certificateExpires, lockStateText(state_.lockState, knobs.estadoOperacao)});
  return joinFields(fields);
}

std::string Device::sessionQuery(const Command& c) {
  for (auto it = state_.sessions.rbegin(); it != state_.sessions.rend(); ++it)
    if (it->number == c.sessaoConsultada) return it->answer;
  return answerFor(c, 3);
}

std::string Device::configureNetwork(const Command& c) {
  const std::optional<NetworkSettings> settings = parseNetworkConfig(c.dados);
  if (!settings) {
    log_.error("configuração de rede recusada: dados fora do padrão");
    return answerFor(c, 2);
  }
  state_.network = *settings;
  log_.info("interface de rede " + settings->tipoInter + " configurada: " + settings->tipoLan +
            ", proxy " + std::to_string(settings->proxy));
  return answerFor(c, kSuccess);
}

std::string Device::extractLogs(const Command& c) {
  log_.info("extração de logs solicitada");
  std::vector<std::string> fields = headFor(c, kSuccess);
  fields.push_back(base64Field(renderLog(state_.log, state_.knobs, now_)));
  return joinFields(fields);
}

}  // namespace satemu
