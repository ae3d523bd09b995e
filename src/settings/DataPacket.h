#pragma once
// Parametros.xml as a dataset XML data packet (version 2.0): the definitions
// of the 23 fields, then the rows, of which the program uses the first.
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "settings/ParameterFields.h"

namespace settings {

// The document is not a data packet of the parameter record's fields. The
// text says why, in words for the user.
struct DataPacketError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The packet's first current row (a change log is applied), or nullopt for a
// packet without rows. Values go through storedValue, as if set by a page.
std::optional<ParameterRecord> readDataPacket(std::string_view document);

// The record in the form of the first-start default: one inserted row listed
// in the change log, characters beyond ASCII as references; without a record
// the packet has no rows.
std::string writeDataPacket(const std::optional<ParameterRecord>& record);

}  // namespace settings
