#include "support/ModelDevice.h"

#include "Device.h"
#include "support/AnswerFields.h"

namespace satemu::testing {

ModelDevice::ModelDevice() {
  state_ = factoryNewDevice(now_, random_);
  state_.activated = true;
  state_.activationCode = kCode;
  state_.cnpj = kTaxpayer;
  state_.cUF = 35;
  state_.associated = true;
  state_.softwareHouseCnpj = kSoftwareHouse;
  state_.signAC = std::string(344, '1');
}

std::vector<std::string> ModelDevice::call(Command command) {
  command.sessao = ++sessao_;
  if (command.codigo.empty()) command.codigo = kCode;
  return fields(Device(state_, now_, random_).execute(command));
}

std::vector<std::string> ModelDevice::call(Function function, const std::string& dados,
                                           const std::string& chave) {
  Command command;
  command.function = function;
  command.dados = dados;
  command.chave = chave;
  return call(command);
}

}  // namespace satemu::testing
