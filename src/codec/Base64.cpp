#include "codec/Base64.h"

#include <array>
#include <cstdint>

namespace codec {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Each character's value placed where it goes in a 24-bit group of four
// (shifted by 18, 12, 6 or 0 bits), so a group is four lookups joined by OR.
// A character outside the alphabet sets the top eight bits instead, so one
// comparison checks all four.
constexpr std::uint32_t kNotInAlphabet = 0xFF000000;

using DecodeTable = std::array<std::uint32_t, 256>;

constexpr DecodeTable makeDecodeTable(int shift) {
  DecodeTable table{};
  for (std::uint32_t& value : table) value = kNotInAlphabet;
  for (std::size_t i = 0; i < kAlphabet.size(); ++i)
    table[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::uint32_t>(i) << shift;
  return table;
}

constexpr std::array<DecodeTable, 4> kDecodeTables = {makeDecodeTable(18), makeDecodeTable(12),
                                                      makeDecodeTable(6), makeDecodeTable(0)};

// One character's value, unshifted.
constexpr const DecodeTable& kDecodeTable = kDecodeTables[3];

// Writes the first `count` bytes of a 24-bit group.
char* writeGroup(char* out, std::uint32_t group, int count) {
  for (int i = 0; i < count; ++i) out[i] = static_cast<char>(group >> (16 - 8 * i) & 0xFF);
  return out + count;
}

// Decodes groups of four characters of the alphabet, the bulk of any text,
// until one holds another character or fewer than four are left.
const unsigned char* decodeWholeGroups(const unsigned char* in, const unsigned char* end,
                                       char*& out) {
  for (; end - in >= 4; in += 4) {
    const std::uint32_t group = kDecodeTables[0][in[0]] | kDecodeTables[1][in[1]] |
                                kDecodeTables[2][in[2]] | kDecodeTables[3][in[3]];
    if (group > 0xFFFFFF) break;
    out = writeGroup(out, group, 3);
  }
  return in;
}

}  // namespace

std::string encodeBase64(std::string_view bytes) {
  std::string out;
  out.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const std::uint32_t group =
        static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16 |
        static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8 |
        static_cast<unsigned char>(bytes[i + 2]);
    out += kAlphabet[group >> 18 & 63];
    out += kAlphabet[group >> 12 & 63];
    out += kAlphabet[group >> 6 & 63];
    out += kAlphabet[group & 63];
  }
  const std::size_t rest = bytes.size() - i;
  if (rest > 0) {
    std::uint32_t group = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
    if (rest == 2)
      group |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    out += kAlphabet[group >> 18 & 63];
    out += kAlphabet[group >> 12 & 63];
    out += rest == 2 ? kAlphabet[group >> 6 & 63] : '=';
    out += '=';
  }
  return out;
}

std::string decodeBase64(std::string_view text) {
  // Four characters give three bytes; a last incomplete group gives two at most.
  std::string out(text.size() / 4 * 3 + 2, '\0');
  char* written = out.data();
  const auto* in = reinterpret_cast<const unsigned char*>(text.data());
  const auto* const end = in + text.size();
  std::uint32_t group = 0;
  int sextets = 0;
  for (;;) {
    if (sextets == 0) in = decodeWholeGroups(in, end, written);
    if (in == end || *in == '=') break;
    const std::uint32_t value = kDecodeTable[*in++];
    if (value == kNotInAlphabet) continue;
    group = group << 6 | value;
    if (++sextets == 4) {
      written = writeGroup(written, group, 3);
      group = 0;
      sextets = 0;
    }
  }
  // An incomplete group gives its whole bytes: two from three sextets, one from two.
  written = writeGroup(written, group << (6 * (4 - sextets)), sextets * 6 / 8);
  out.resize(static_cast<std::size_t>(written - out.data()));
  return out;
}

}  // namespace codec
