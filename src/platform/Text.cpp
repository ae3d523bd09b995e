#include "platform/Text.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace platform {

namespace {

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char16_t* writeUtf16(char16_t* out, char32_t c) {
  if (c < 0x10000) {
    *out = static_cast<char16_t>(c);
    return out + 1;
  }
  c -= 0x10000;
  out[0] = static_cast<char16_t>(0xD800 + (c >> 10));
  out[1] = static_cast<char16_t>(0xDC00 + (c & 0x3FF));
  return out + 2;
}

constexpr char32_t kReplacement = 0xFFFD;

// Where the run of ASCII bytes from `i` on ends, found eight at a time: most
// of any text is ASCII.
std::size_t skipAsciiRun(const std::uint8_t* p, std::size_t n, std::size_t i) {
  constexpr std::uint64_t kHighBits = 0x8080808080808080;
  for (; n - i >= 8; i += 8) {
    std::uint64_t eight = 0;
    std::memcpy(&eight, p + i, sizeof eight);
    if ((eight & kHighBits) != 0) break;
  }
  while (i < n && p[i] < 0x80) ++i;
  return i;
}

// Copies the ASCII bytes from `i` on, up to the first other byte or the end.
// Returns where it stopped.
std::size_t copyAsciiRun(const std::uint8_t* p, std::size_t n, std::size_t i, char16_t*& out) {
  const std::size_t end = skipAsciiRun(p, n, i);
  out = std::copy(p + i, p + end, out);
  return end;
}

// One character read at a byte that is not ASCII: the character and the
// bytes it takes. A malformed sequence is replaced by one U+FFFD per maximal
// bad prefix.
struct Sequence {
  char32_t character;
  std::size_t length;
};

Sequence readSequence(const std::uint8_t* p, std::size_t n, std::size_t i) {
  const std::uint8_t b = p[i];
  std::size_t length = 0;
  char32_t c = 0;
  char32_t minimum = 0;
  if (b >= 0xC2 && b <= 0xDF) {
    length = 2, c = b & 0x1F, minimum = 0x80;
  } else if (b >= 0xE0 && b <= 0xEF) {
    length = 3, c = b & 0x0F, minimum = 0x800;
  } else if (b >= 0xF0 && b <= 0xF4) {
    length = 4, c = b & 0x07, minimum = 0x10000;
  }
  std::size_t consumed = 1;
  for (std::size_t k = 1; k < length; ++k) {
    if (i + k >= n || (p[i + k] & 0xC0) != 0x80) return {kReplacement, consumed};
    c = (c << 6) | (p[i + k] & 0x3F);
    consumed = k + 1;
  }
  if (length == 0 || c < minimum || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
    return {kReplacement, consumed};
  return {c, length};
}

}  // namespace

std::u16string fromUtf8(std::string_view bytes) {
  std::u16string out;
  out.reserve(bytes.size());
  appendFromUtf8(out, bytes);
  return out;
}

void appendFromUtf8(std::u16string& out, std::string_view bytes) {
  // No byte gives more than one unit: a four-byte sequence gives two.
  const std::size_t before = out.size();
  out.resize(before + bytes.size());
  char16_t* written = out.data() + before;
  const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t i = 0;
  while (i < n) {
    i = copyAsciiRun(p, n, i, written);
    if (i == n) break;
    const Sequence sequence = readSequence(p, n, i);
    written = writeUtf16(written, sequence.character);
    i += sequence.length;
  }
  out.resize(static_cast<std::size_t>(written - out.data()));
}

std::size_t utf16Length(std::string_view bytes) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(bytes.data());
  const std::size_t n = bytes.size();
  std::size_t units = 0;
  std::size_t i = 0;
  while (i < n) {
    const std::size_t asciiEnd = skipAsciiRun(p, n, i);
    units += asciiEnd - i;
    i = asciiEnd;
    if (i == n) break;
    const Sequence sequence = readSequence(p, n, i);
    units += sequence.character >= 0x10000 ? 2 : 1;
    i += sequence.length;
  }
  return units;
}

std::u16string fromUtf8Start(std::string_view bytes, std::size_t units) {
  // Every sequence of up to four bytes gives at least one unit, and one that
  // starts more than three bytes before the cut ends before it, decoded as in
  // the whole text: so these bytes give the first `units` units unchanged.
  const std::size_t enough = units < bytes.size() / 4 ? 4 * units + 8 : bytes.size();
  std::u16string text = fromUtf8(bytes.substr(0, enough));
  if (text.size() > units) text.resize(units);
  return text;
}

std::string toUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      c = kReplacement;
    }
    appendUtf8(out, c);
  }
  return out;
}

bool allDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::u16string trimmed(std::u16string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && text[begin] <= 32) ++begin;
  while (end > begin && text[end - 1] <= 32) --end;
  return std::u16string(text.substr(begin, end - begin));
}

bool equalIgnoringAsciiCase(std::u16string_view a, std::u16string_view b) {
  const auto lower = [](char16_t c) {
    return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c;
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&](char16_t x, char16_t y) { return lower(x) == lower(y); });
}

}  // namespace platform
