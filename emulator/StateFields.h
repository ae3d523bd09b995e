#pragma once
// The scalar fields of DeviceState, each with its section, key and text form.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "DeviceState.h"

namespace satemu {

struct StateField {
  const char* section;
  const char* key;
  std::function<std::string(const DeviceState&)> get;
  std::function<bool(DeviceState&, std::string_view)> set;
};

const std::vector<StateField>& stateFields();

}  // namespace satemu
