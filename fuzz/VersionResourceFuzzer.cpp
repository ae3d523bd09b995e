// A library's version resource, as any file may hold it: reading never goes
// past the bytes (the sanitizers watch), every key and value read is text
// the bytes hold at an even offset, and a value is found only where a table
// holds it.
#include "FuzzExpect.h"
#include "platform/VersionResource.h"

namespace {

using fuzzing::expect;

// Whether the bytes hold the text as UTF-16 units on a two-byte boundary.
bool holds(std::string_view bytes, std::u16string_view text) {
  std::string units;
  for (const char16_t unit : text) {
    units += static_cast<char>(unit & 0xFF);
    units += static_cast<char>(unit >> 8);
  }
  for (std::size_t at = bytes.find(units); at != std::string_view::npos;
       at = bytes.find(units, at + 1)) {
    if (at % 2 == 0) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view bytes = fuzzing::bytesOf(data, size);
  const platform::VersionResource resource = platform::parseVersionResource(bytes);
  expect(resource.translations.size() <= size / 4, "more translations than the bytes hold");
  for (const platform::VersionStringTable& table : resource.tables) {
    expect(holds(bytes, table.key), "a table key the bytes do not hold");
    for (const auto& [name, value] : table.strings) {
      expect(holds(bytes, name) && holds(bytes, value), "a string the bytes do not hold");
    }
  }
  for (const char16_t* name : {u"FileVersion", u"ProductName"}) {
    const std::u16string value = platform::versionString(resource, name);
    bool inATable = value.empty();
    for (const platform::VersionStringTable& table : resource.tables) {
      for (const auto& [tableName, tableValue] : table.strings) inATable |= tableValue == value;
    }
    expect(inATable, "a value no table holds");
  }
  return 0;
}
