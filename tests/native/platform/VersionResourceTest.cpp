#include "platform/VersionResource.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using platform::parseVersionResource;
using platform::versionString;

// Resources built as resource compilers lay them out: each block a header
// (length, value length, type), its key, its value and its children, each
// part on a four-byte boundary.
void putWord(std::string& bytes, std::size_t at, std::size_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8 & 0xFF);
}

std::string units(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes + std::string(2, '\0');
}

void pad(std::string& bytes) {
  while (bytes.size() % 4 != 0) bytes += '\0';
}

std::string block(std::u16string_view key, const std::string& value, std::size_t valueLength,
                  bool text, const std::vector<std::string>& children = {}) {
  std::string bytes(6, '\0');
  bytes += units(key);
  pad(bytes);
  bytes += value;
  for (const std::string& child : children) {
    pad(bytes);
    bytes += child;
  }
  putWord(bytes, 0, bytes.size());
  putWord(bytes, 2, valueLength);
  putWord(bytes, 4, text ? 1 : 0);
  return bytes;
}

std::string string(std::u16string_view name, std::u16string_view value) {
  return block(name, units(value), value.size() + 1, true);
}

std::string table(std::u16string_view key, const std::vector<std::string>& strings) {
  return block(key, "", 0, true, strings);
}

std::string translations(const std::vector<std::uint32_t>& declared) {
  std::string value;
  for (const std::uint32_t translation : declared) {
    value += units(std::u16string{static_cast<char16_t>(translation >> 16),
                                  static_cast<char16_t>(translation & 0xFFFF)})
                 .substr(0, 4);
  }
  return block(u"VarFileInfo", "", 0, true, {block(u"Translation", value, value.size(), false)});
}

std::string resource(const std::vector<std::string>& tables,
                     const std::vector<std::uint32_t>& declared) {
  std::string fixed(52, '\0');  // VS_FIXEDFILEINFO, which is not read
  std::vector<std::string> parts{block(u"StringFileInfo", "", 0, true, tables)};
  if (!declared.empty()) parts.push_back(translations(declared));
  return block(u"VS_VERSION_INFO", fixed, fixed.size(), false, parts);
}

TEST(VersionResource, ValuesComeFromTheDeclaredTableOrElseFromTheOneThere) {
  const struct {
    const char* label;
    std::string bytes;
    std::u16string fileVersion;
    std::u16string productName;
  } cases[] = {
      {"the declared table",
       resource(
           {table(u"041604B0", {string(u"FileVersion", u"1.0"), string(u"ProductName", u"Sonda")})},
           {0x041604B0}),
       u"1.0", u"Sonda"},
      {"another language than declared",
       resource(
           {table(u"041604B0", {string(u"FileVersion", u"2.0"), string(u"ProductName", u"Sonda")})},
           {0x040904E4}),
       u"2.0", u"Sonda"},
      {"the declared one after another",
       resource({table(u"040904E4", {string(u"FileVersion", u"en")}),
                 table(u"041604b0", {string(u"FileVersion", u"pt")})},
                {0x041604B0}),
       u"pt", u""},
      {"no declaration",
       resource({table(u"041604B0", {string(u"fileversion", u"3.0 (compilação 7)")})}, {}),
       u"3.0 (compilação 7)", u""},
      {"a value the declared table lacks",
       resource({table(u"041604B0", {string(u"FileVersion", u"4.0"), string(u"ProductName", u"")}),
                 table(u"040904B0", {string(u"ProductName", u"Probe")})},
                {0x041604B0}),
       u"4.0", u"Probe"},
      {"no string table", resource({}, {0x041604B0}), u"", u""},
      {"not a version resource", "MZ\x90", u"", u""},
  };
  for (const auto& item : cases) {
    SCOPED_TRACE(item.label);
    const platform::VersionResource parsed = parseVersionResource(item.bytes);
    EXPECT_EQ(versionString(parsed, u"FileVersion"), item.fileVersion);
    EXPECT_EQ(versionString(parsed, u"ProductName"), item.productName);
  }
}

// Whatever the bytes say, nothing past their end is read: a resource cut
// anywhere gives its value whole, cut or not at all, and lengths that lie
// are not believed.
TEST(VersionResource, DamagedBytesAreReadOnlyAsFarAsTheyGo) {
  const std::string whole = resource(
      {table(u"041604B0", {string(u"ProductName", u"Sonda"), string(u"FileVersion", u"5.6.7.8")})},
      {0x041604B0});
  for (std::size_t size = 0; size <= whole.size(); ++size) {
    const std::u16string value =
        versionString(parseVersionResource(whole.substr(0, size)), u"FileVersion");
    EXPECT_TRUE(std::u16string_view(u"5.6.7.8").starts_with(value)) << size;
  }
  std::string longer = whole;
  putWord(longer, 0, 0xFFFF);  // the root says it is longer than the bytes
  EXPECT_EQ(versionString(parseVersionResource(longer), u"FileVersion"), u"5.6.7.8");
  // A string whose value length counts bytes, as some compilers write it.
  std::string inBytes = block(u"FileVersion", units(u"9.9"), 8, true);
  EXPECT_EQ(versionString(parseVersionResource(resource({table(u"041604B0", {inBytes})}, {})),
                          u"FileVersion"),
            u"9.9");
  // A child that claims no length ends its parent's list.
  std::string empty = string(u"FileVersion", u"1.0");
  putWord(empty, 0, 0);
  EXPECT_EQ(versionString(parseVersionResource(resource({table(u"041604B0", {empty})}, {})),
                          u"FileVersion"),
            u"");
}

}  // namespace
