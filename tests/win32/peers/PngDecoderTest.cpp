#include "ui/win32/PngDecoder.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

namespace {

using ui::win32::decodePng;

std::string bigEndian(std::uint32_t value) {
  return {static_cast<char>(value >> 24), static_cast<char>(value >> 16),
          static_cast<char>(value >> 8), static_cast<char>(value)};
}

std::string chunk(const std::string& type, const std::string& data) {
  const std::string typed = type + data;
  const auto crc = crc32(0, reinterpret_cast<const Bytef*>(typed.data()), typed.size());
  return bigEndian(static_cast<std::uint32_t>(data.size())) + typed + bigEndian(crc);
}

// A PNG file of the given rows (each starting with its filter byte).
std::string png(int width, int height, int colorType, const std::string& rows,
                const std::string& extraChunks = {}) {
  std::string header = bigEndian(width) + bigEndian(height);
  header += {8, static_cast<char>(colorType), 0, 0, 0};
  uLongf size = compressBound(rows.size());
  std::string compressed(size, '\0');
  compress(reinterpret_cast<Bytef*>(compressed.data()), &size,
           reinterpret_cast<const Bytef*>(rows.data()), rows.size());
  compressed.resize(size);
  return std::string("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + extraChunks +
         chunk("IDAT", compressed) + chunk("IEND", "");
}

TEST(PngDecoderTest, DecodesEachColourTypeIntoPremultipliedPixels) {
  struct Case {
    const char* what;
    std::string file;
    std::vector<std::uint32_t> pixels;
  };
  const std::string rgbaRows{"\0\xff\x00\x00\xff\x00\x00\xff\x80", 9};
  // The second row uses the Up filter: its bytes add to the row above.
  const std::string rgbRows{"\0\x10\x20\x30\x02\x01\x01\x01", 8};
  const std::string palette = chunk("PLTE", std::string("\x00\x00\x00\xff\xff\xff", 6)) +
                              chunk("tRNS", std::string("\x00", 1));
  const Case cases[] = {
      {"RGBA", png(2, 1, 6, rgbaRows), {0xFFFF0000u, 0x80000080u}},
      {"RGB with a filter", png(1, 2, 2, rgbRows), {0xFF102030u, 0xFF112131u}},
      {"grey", png(1, 1, 0, std::string("\0\x7f", 2)), {0xFF7F7F7Fu}},
      {"palette with transparency",
       png(2, 1, 3, std::string("\0\x00\x01", 3), palette),
       {0x00000000u, 0xFFFFFFFFu}},
  };
  for (const Case& c : cases) {
    const auto bitmap = decodePng(c.file);
    ASSERT_TRUE(bitmap) << c.what;
    EXPECT_EQ(bitmap->pixels, c.pixels) << c.what;
  }
}

TEST(PngDecoderTest, RefusesDamagedOrUnsupportedFiles) {
  const std::string good = png(1, 1, 2, std::string("\0\1\2\3", 4));
  ASSERT_TRUE(decodePng(good));
  std::string shortData = png(2, 2, 2, std::string("\0\1\2\3", 4));  // rows missing
  std::string badFilter = png(1, 1, 2, std::string("\x09\1\2\3", 4));
  std::string sixteenBits = good;
  sixteenBits[8 + 8 + 8] = 16;
  const std::string cases[] = {"",
                               "GIF89a",
                               good.substr(0, 40),
                               shortData,
                               badFilter,
                               sixteenBits,
                               png(2, 1, 3, std::string("\0\x05\x00", 3))};
  for (const std::string& file : cases) EXPECT_FALSE(decodePng(file));
}

}  // namespace
