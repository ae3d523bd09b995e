#pragma once
// A file's version resource as Windows hands it over (GetFileVersionInfoW):
// the string tables, one per language and code page, and the translations
// the resource declares. Read from the bytes alone, so that a maker's
// library whose tables do not match its declaration is still read, and so
// that any bytes, however damaged, are read without going past their end.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

struct VersionStringTable {
  std::u16string key;  // language and code page in eight hex digits: "041604B0"
  std::vector<std::pair<std::u16string, std::u16string>> strings;  // name, value
};

struct VersionResource {
  // As VarFileInfo\Translation lists them: the language in the high half,
  // the code page in the low one, as a table's key reads.
  std::vector<std::uint32_t> translations;
  std::vector<VersionStringTable> tables;  // in the resource's order
};

// What the bytes hold; a damaged part is left out, never read past.
VersionResource parseVersionResource(std::string_view bytes);

// The named value (name without regard to case, "FileVersion"): from the
// tables the translations declare, in their order, then from the others in
// the resource's order; the first that is not empty. Empty when none has it.
std::u16string versionString(const VersionResource& resource, std::u16string_view name);

}  // namespace platform
