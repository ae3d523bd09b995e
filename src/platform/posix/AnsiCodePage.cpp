// Away from Windows the system's 8-bit code page is taken to be Windows-1252,
// the code page of the Brazilian Windows installations the program serves.
#include <array>

#include "platform/Text.h"

namespace platform {

namespace {

// Windows-1252 bytes 0x80..0x9F; 0 marks the five unassigned bytes, which map
// to the C1 control of the same value, as Windows does.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t decodeByte(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F && kHighControls[b - 0x80] != 0) return kHighControls[b - 0x80];
  return b;
}

}  // namespace

std::u16string fromAnsi(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  for (char b : bytes) out += decodeByte(static_cast<unsigned char>(b));
  return out;
}

std::string toAnsi(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    char byte = '?';
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
      byte = static_cast<char>(c);
    } else {
      for (int k = 0; k < 32; ++k) {
        if (kHighControls[k] == c || (kHighControls[k] == 0 && c == 0x80 + k)) {
          byte = static_cast<char>(0x80 + k);
          break;
        }
      }
    }
    // A surrogate pair is one character: one replacement, not two.
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      ++i;
    }
    out += byte;
  }
  return out;
}

}  // namespace platform
