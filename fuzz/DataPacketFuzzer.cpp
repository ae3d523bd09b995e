// The data packet of Parametros.xml: any bytes give a record, no record or
// DataPacketError; a record read holds only what its fields keep and comes
// back the same from the packet the program writes for it.
#include <optional>

#include "FuzzExpect.h"
#include "settings/DataPacket.h"

namespace {

using fuzzing::expect;
using settings::ParameterRecord;

std::optional<ParameterRecord> readBack(const std::string& packet) {
  try {
    return settings::readDataPacket(packet);
  } catch (const settings::DataPacketError& error) {
    fuzzing::fail("the program cannot read the packet it wrote", error);
  }
}

void checkKeptValues(const ParameterRecord& record) {
  for (std::size_t index = 0; index < settings::kParameterFieldCount; ++index) {
    if (!record[index]) continue;
    expect(
        settings::storedValue(settings::kParameterFields[index], *record[index]) == *record[index],
        "a field holds more than it keeps");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  std::optional<ParameterRecord> record;
  try {
    record = settings::readDataPacket(fuzzing::bytesOf(data, size));
  } catch (const settings::DataPacketError&) {
    // Documented: not a packet of the parameter record.
    return 0;
  }
  if (record) checkKeptValues(*record);
  const std::string written = settings::writeDataPacket(record);
  const std::optional<ParameterRecord> again = readBack(written);
  expect(again == record, "the written packet holds another record");
  expect(settings::writeDataPacket(again) == written, "the packet is written differently twice");
  return 0;
}
