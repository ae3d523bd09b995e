#include "platform/VersionResource.h"

#include <algorithm>
#include <optional>

#include "platform/Text.h"

namespace platform {

namespace {

// One block of the resource: a header (its length, its value's length, its
// type), its key, its value, then its children, each part starting on a
// four-byte boundary of the resource.
struct Block {
  std::size_t start = 0;
  std::size_t end = 0;  // never past the parent's end
  std::u16string key;
  std::size_t value = 0;
  std::size_t valueLength = 0;  // as the header gives it
  std::size_t children = 0;
};

std::uint16_t wordAt(std::string_view bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::size_t aligned(std::size_t at) {
  return (at + 3) & ~std::size_t{3};
}

// UTF-16 text from `at` up to a NUL or `end`.
std::u16string textAt(std::string_view bytes, std::size_t at, std::size_t end) {
  std::u16string text;
  for (; at + 2 <= end; at += 2) {
    const char16_t unit = wordAt(bytes, at);
    if (unit == 0) break;
    text += unit;
  }
  return text;
}

// The block that starts at `at`, or nothing when its header does not fit
// before `end`.
std::optional<Block> blockAt(std::string_view bytes, std::size_t at, std::size_t end) {
  if (at >= end || end - at < 6) return std::nullopt;
  const std::size_t length = wordAt(bytes, at);
  if (length < 6) return std::nullopt;
  Block block;
  block.start = at;
  block.end = std::min(end, at + length);
  block.valueLength = wordAt(bytes, at + 2);
  const bool text = wordAt(bytes, at + 4) == 1;
  block.key = textAt(bytes, at + 6, block.end);
  block.value = std::min(aligned(at + 6 + (block.key.size() + 1) * 2), block.end);
  // A text value's length counts UTF-16 units, a binary one's bytes.
  const std::size_t valueBytes = text ? block.valueLength * 2 : block.valueLength;
  block.children = std::min(aligned(block.value + valueBytes), block.end);
  return block;
}

std::vector<Block> childrenOf(std::string_view bytes, const Block& parent) {
  std::vector<Block> children;
  std::size_t at = parent.children;
  while (const auto child = blockAt(bytes, at, parent.end)) {
    children.push_back(*child);
    at = aligned(child->start + wordAt(bytes, child->start));
  }
  return children;
}

// A table's key as a translation reads, or nothing when it is not eight hex
// digits.
std::optional<std::uint32_t> keyValue(std::u16string_view key) {
  if (key.size() != 8) return std::nullopt;
  std::uint32_t value = 0;
  for (const char16_t c : key) {
    int digit = 0;
    if (c >= u'0' && c <= u'9') {
      digit = c - u'0';
    } else if (c >= u'a' && c <= u'f') {
      digit = c - u'a' + 10;
    } else if (c >= u'A' && c <= u'F') {
      digit = c - u'A' + 10;
    } else {
      return std::nullopt;
    }
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return value;
}

const std::u16string* valueIn(const VersionStringTable& table, std::u16string_view name) {
  for (const auto& [valueName, value] : table.strings) {
    if (equalIgnoringAsciiCase(valueName, name) && !value.empty()) return &value;
  }
  return nullptr;
}

}  // namespace

VersionResource parseVersionResource(std::string_view bytes) {
  VersionResource resource;
  const auto root = blockAt(bytes, 0, bytes.size());
  if (!root || root->key != u"VS_VERSION_INFO") return resource;
  for (const Block& part : childrenOf(bytes, *root)) {
    if (equalIgnoringAsciiCase(part.key, u"StringFileInfo")) {
      for (const Block& table : childrenOf(bytes, part)) {
        VersionStringTable& strings = resource.tables.emplace_back();
        strings.key = table.key;
        for (const Block& string : childrenOf(bytes, table))
          strings.strings.emplace_back(string.key, textAt(bytes, string.value, string.end));
      }
    } else if (equalIgnoringAsciiCase(part.key, u"VarFileInfo")) {
      for (const Block& variable : childrenOf(bytes, part)) {
        if (!equalIgnoringAsciiCase(variable.key, u"Translation")) continue;
        const std::size_t end = std::min(variable.end, variable.value + variable.valueLength);
        for (std::size_t at = variable.value; at + 4 <= end; at += 4)
          resource.translations.push_back(std::uint32_t{wordAt(bytes, at)} << 16 |
                                          wordAt(bytes, at + 2));
      }
    }
  }
  return resource;
}

std::u16string versionString(const VersionResource& resource, std::u16string_view name) {
  for (const std::uint32_t translation : resource.translations) {
    for (const VersionStringTable& table : resource.tables) {
      if (keyValue(table.key) != translation) continue;
      if (const std::u16string* value = valueIn(table, name)) return *value;
    }
  }
  for (const VersionStringTable& table : resource.tables) {
    if (const std::u16string* value = valueIn(table, name)) return *value;
  }
  return {};
}

}  // namespace platform
