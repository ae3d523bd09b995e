#pragma once
// The device model: runs one command on the state and gives the answer the
// device would give. It knows nothing of files, knobs that distort answers or
// latency; the Emulator adds those.
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Command.h"
#include "Coupon.h"
#include "DeviceClock.h"
#include "DeviceLog.h"
#include "DeviceState.h"

namespace satemu {

class Device {
 public:
  Device(DeviceState& state, const Moment& now, std::mt19937& random)
      : state_(state), now_(now), random_(random), log_(state.log, now) {}

  // The answer; it is also stored under the command's session number
  // (except the answers of ConsultarNumeroSessao, which would hide the
  // session asked about).
  std::string execute(const Command& command);

  // Keeps an answer the Emulator produced without running the command.
  void storeSession(const Command& command, const std::string& answer);

 private:
  std::string dispatch(const Command& c);
  bool sessionStored(int sessao) const;

  // The refusal when the activation code (or the lock-out) stops the
  // command; nullopt lets it run. Before activation, commands whose family
  // has a not-activated code get it; the ones that work on a new device
  // (status, network, logs) accept any code.
  std::optional<std::string> refuseCode(const Command& c);
  bool lockedOut() const;
  std::string lockedOutAnswer(const Command& c) const;

  std::string activate(const Command& c);
  std::string communicateCertificate(const Command& c);
  std::string associate(const Command& c);
  std::string lock(const Command& c);
  std::string unlock(const Command& c);
  std::string changeCode(const Command& c);
  std::string updateSoftware(const Command& c);

  std::string sale(const Command& c);
  std::string cancel(const Command& c);
  std::string endToEndTest(const Command& c);
  std::string lastFiscalSession(const Command& c);
  // The lock-state refusal of a fiscal command, or nullopt.
  std::optional<std::string> refuseLocked(const Command& c) const;

  std::string operationalStatus(const Command& c);
  std::pair<std::string, std::string> pendingList() const;
  std::string sessionQuery(const Command& c);
  std::string configureNetwork(const Command& c);
  std::string extractLogs(const Command& c);

  // plainAnswer and answerHead for the command, in this device's layout.
  std::string answerFor(const Command& c, int detail, std::string_view sefazCode = {},
                        std::string_view sefazMessage = {},
                        std::string_view validationCode = {}) const;
  std::vector<std::string> headFor(const Command& c, int detail) const;

  std::string base64Field(std::string_view bytes) const;
  int upcomingCouponNumber() const;
  // Records an issued sale or cancellation and builds its 12-field answer.
  std::string issuedAnswer(const Command& c, const Coupon& coupon, const CouponContext& context);
  // An exchange with the authority: logged as a SuperLog block that holds the
  // authority's reply, and the time of the last communication moves on.
  void exchangeWithAuthority(SuperLogForm form, const std::vector<std::string>& exchange,
                             std::string_view reply, LogLevel level = LogLevel::Info);

  DeviceState& state_;
  Moment now_;
  std::mt19937& random_;
  DeviceLog log_;
};

// A factory-new device: serial, emergency code and MAC drawn at random.
DeviceState factoryNewDevice(const Moment& now, std::mt19937& random);

}  // namespace satemu
