#pragma once
// The state file: an INI-like text, one "key = value" per line under
// [device], [parameterisation], [network], [knobs], [sessions] and [log].
// Values escape backslash, control characters and bytes that are not UTF-8
// as \\, \n, \r, \t and \xHH (blanks at either end as \x20), so every answer
// survives a round trip and the file stays readable in any editor.
#include <string>
#include <string_view>
#include <vector>

#include "DeviceState.h"

namespace satemu {

std::string writeState(const DeviceState& state);

// Reads what it can: unknown keys and values that do not parse are skipped,
// leaving the defaults of a factory-new device.
DeviceState readState(std::string_view text);

// The settable fields for the tool, as "section.key".
std::vector<std::string> settableFields();

// Sets one field from its text; false when the name or the value is not valid.
bool setField(DeviceState& state, std::string_view name, std::string_view value);

// The value of one field as the file writes it (unescaped); empty when unknown.
std::string fieldValue(const DeviceState& state, std::string_view name);

std::string escapeValue(std::string_view raw);
std::string unescapeValue(std::string_view escaped);

}  // namespace satemu
