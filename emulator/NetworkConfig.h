#pragma once
// The network configuration document (<config>) the device accepts.
#include <optional>
#include <string>
#include <string_view>

#include "DeviceState.h"

namespace satemu {

// The settings the document describes, or nullopt when it is not
// well-formed, lacks a required element or holds a value out of its range.
std::optional<NetworkSettings> parseNetworkConfig(std::string_view document);

// "192.168.0.1" as the status writes it: "192.168.000.001"; empty when the
// text is not a dotted quad.
std::string paddedAddress(std::string_view address);

}  // namespace satemu
