// UTF-8 and UTF-16 both ways: well-formed text comes back byte for byte, and
// anything malformed becomes U+FFFD instead of disappearing or surviving; the
// length counted without decoding and the start decoded alone agree with the
// whole decoding.
#include "FuzzExpect.h"
#include "platform/Text.h"

namespace {

using fuzzing::expect;

constexpr char16_t kReplacement = 0xFFFD;

// The length of the well-formed sequence at `at`, or 0 (Unicode's table of
// well-formed byte sequences).
std::size_t sequenceLength(std::string_view bytes, std::size_t at) {
  const auto byte = [&](std::size_t offset) {
    return at + offset < bytes.size() ? static_cast<unsigned char>(bytes[at + offset]) : 0;
  };
  const auto within = [](unsigned value, unsigned low, unsigned high) {
    return value >= low && value <= high;
  };
  const unsigned lead = byte(0);
  if (lead < 0x80) return 1;
  if (within(lead, 0xC2, 0xDF)) return within(byte(1), 0x80, 0xBF) ? 2 : 0;
  unsigned low = 0x80;
  unsigned high = 0xBF;
  std::size_t length = 3;
  if (lead == 0xE0)
    low = 0xA0;
  else if (lead == 0xED)
    high = 0x9F;
  else if (lead == 0xF0)
    low = 0x90, length = 4;
  else if (lead == 0xF4)
    high = 0x8F, length = 4;
  else if (within(lead, 0xF1, 0xF3))
    length = 4;
  else if (!within(lead, 0xE1, 0xEF))
    return 0;
  if (!within(byte(1), low, high)) return 0;
  for (std::size_t k = 2; k < length; ++k)
    if (!within(byte(k), 0x80, 0xBF)) return 0;
  return length;
}

bool isWellFormed(std::string_view bytes) {
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = sequenceLength(bytes, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

bool isHigh(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLow(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Every surrogate without its partner replaced by U+FFFD.
std::u16string pairedOnly(std::u16string_view text) {
  std::u16string result(text);
  for (std::size_t i = 0; i < result.size(); ++i) {
    if (isHigh(result[i]) && i + 1 < result.size() && isLow(result[i + 1])) {
      ++i;
    } else if (isHigh(result[i]) || isLow(result[i])) {
      result[i] = kReplacement;
    }
  }
  return result;
}

void checkFromUtf8(std::string_view bytes) {
  const std::u16string text = platform::fromUtf8(bytes);
  expect(text.size() <= bytes.size(), "more units than bytes");
  expect(pairedOnly(text) == text, "decoding gave a lone surrogate");
  const std::string back = platform::toUtf8(text);
  expect(isWellFormed(back), "encoding gave malformed UTF-8");
  if (isWellFormed(bytes)) {
    expect(back == bytes, "well-formed UTF-8 changed by decoding and encoding");
  } else {
    expect(text.find(kReplacement) != text.npos, "malformed UTF-8 decoded without U+FFFD");
  }
  std::u16string appended = u"earlier text";
  platform::appendFromUtf8(appended, bytes);
  expect(appended == u"earlier text" + text, "appending decodes differently");
  expect(platform::utf16Length(bytes) == text.size(), "length counted otherwise than decoded");
  for (const std::size_t units : {std::size_t{0}, std::size_t{1}, bytes.size() / 5, bytes.size()})
    expect(platform::fromUtf8Start(bytes, units) == text.substr(0, units),
           "the start decoded alone differs");
}

// The bytes taken two at a time as UTF-16 units.
void checkToUtf8(std::string_view bytes) {
  std::u16string text;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
    text += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) << 8 |
                                  static_cast<unsigned char>(bytes[i + 1]));
  const std::string encoded = platform::toUtf8(text);
  expect(isWellFormed(encoded), "encoding gave malformed UTF-8");
  expect(platform::fromUtf8(encoded) == pairedOnly(text),
         "UTF-16 changed by encoding and decoding");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size) {
  const std::string_view bytes = fuzzing::bytesOf(data, size);
  checkFromUtf8(bytes);
  checkToUtf8(bytes);
  return 0;
}
