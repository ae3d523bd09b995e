#pragma once
// What a shop's point of sale sends the device: a small sale of three items
// and the cancellation of the last sale, from the device's own association
// (software house CNPJ and signAC) and activation (the emitter's CNPJ).
#include <string>

#include "DeviceState.h"

namespace satemu {

std::string shopSale(const DeviceState& state);

// chave: "CFe" and the 44 digits of the sale to cancel.
std::string shopCancellation(const DeviceState& state, const std::string& chave);

}  // namespace satemu
