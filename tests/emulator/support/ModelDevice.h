#pragma once
// The device model on a state in memory: no library, no file, no latency.
#include <random>
#include <string>
#include <vector>

#include "Command.h"
#include "DeviceClock.h"
#include "DeviceState.h"

namespace satemu::testing {

class ModelDevice {
 public:
  static constexpr const char* kCode = "12345678";
  static constexpr const char* kTaxpayer = "11222333000181";
  static constexpr const char* kSoftwareHouse = "16222333000181";

  // Activated with kCode for kTaxpayer in São Paulo and associated to
  // kSoftwareHouse, with a signAC of 344 ones.
  ModelDevice();

  // Runs a call under a new session number, with kCode unless it names
  // another code; the answer's fields.
  std::vector<std::string> call(Command command);
  std::vector<std::string> call(Function function, const std::string& dados = {},
                                const std::string& chave = {});

  DeviceState& state() { return state_; }

 private:
  DeviceState state_;
  Moment now_ = currentMoment();
  std::mt19937 random_{2026};
  int sessao_ = 0;
};

}  // namespace satemu::testing
