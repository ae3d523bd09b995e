#include "satlib/FuncoesSAT.h"

namespace satlib {

namespace {

struct EntryPointRow {
  const char* name;
  std::string_view arguments;
};

constexpr std::array<EntryPointRow, kEntryPointCount> kEntryPoints = {{
#define SATLIB_ROW(name, arguments) {#name, arguments},
    SATLIB_ENTRY_POINTS(SATLIB_ROW)
#undef SATLIB_ROW
}};

const EntryPointRow& rowOf(EntryPoint entry) {
  return kEntryPoints[static_cast<std::size_t>(entry)];
}

}  // namespace

const char* entryPointName(EntryPoint entry) {
  return rowOf(entry).name;
}

std::string_view entryPointArguments(EntryPoint entry) {
  return rowOf(entry).arguments;
}

}  // namespace satlib
