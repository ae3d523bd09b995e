#include "ui/win32/PngDecoder.h"

#include <zlib.h>

#include <array>
#include <cstdlib>
#include <string>

namespace ui::win32 {

namespace {

constexpr std::string_view kSignature{"\x89PNG\r\n\x1a\n", 8};
constexpr std::uint32_t kMaxSide = 8192;
constexpr std::uint64_t kMaxPixels = 16u << 20;

std::uint32_t bigEndian32(std::string_view bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i)
    value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
  return value;
}

struct Header {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  int channels = 0;
  int colorType = 0;
};

std::optional<Header> readHeader(std::string_view data) {
  if (data.size() != 13) return std::nullopt;
  Header header{bigEndian32(data, 0), bigEndian32(data, 4), 0, static_cast<unsigned char>(data[9])};
  const bool eightBits = data[8] == 8;
  const bool plain = data[10] == 0 && data[11] == 0 && data[12] == 0;  // no interlace
  static constexpr std::array<int, 7> kChannels{1, 0, 3, 1, 2, 0, 4};
  if (header.colorType < 0 || header.colorType > 6) return std::nullopt;
  header.channels = kChannels[header.colorType];
  if (!eightBits || !plain || header.channels == 0 || header.width == 0 || header.height == 0 ||
      header.width > kMaxSide || header.height > kMaxSide ||
      std::uint64_t{header.width} * header.height > kMaxPixels)
    return std::nullopt;
  return header;
}

std::optional<std::string> inflateAll(const std::string& compressed, std::size_t expected) {
  std::string out(expected, '\0');
  z_stream stream{};
  if (inflateInit(&stream) != Z_OK) return std::nullopt;
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  stream.avail_in = static_cast<uInt>(compressed.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  const int status = inflate(&stream, Z_FINISH);
  const bool complete = status == Z_STREAM_END && stream.avail_out == 0;
  inflateEnd(&stream);
  if (!complete) return std::nullopt;
  return out;
}

int paeth(int a, int b, int c) {
  const int p = a + b - c;
  const int pa = std::abs(p - a);
  const int pb = std::abs(p - b);
  const int pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

// Undoes the per-row filters in place; returns false on an unknown filter.
bool unfilter(std::string& data, std::size_t rowBytes, std::size_t rows, int pixelBytes) {
  auto* bytes = reinterpret_cast<unsigned char*>(data.data());
  const unsigned char* previous = nullptr;
  for (std::size_t y = 0; y < rows; ++y) {
    unsigned char* row = bytes + y * (rowBytes + 1);
    const int filter = row[0];
    ++row;
    for (std::size_t x = 0; x < rowBytes; ++x) {
      const int left = x >= static_cast<std::size_t>(pixelBytes) ? row[x - pixelBytes] : 0;
      const int up = previous ? previous[x] : 0;
      const int upLeft =
          previous && x >= static_cast<std::size_t>(pixelBytes) ? previous[x - pixelBytes] : 0;
      int predicted = 0;
      switch (filter) {
        case 0:
          predicted = 0;
          break;
        case 1:
          predicted = left;
          break;
        case 2:
          predicted = up;
          break;
        case 3:
          predicted = (left + up) / 2;
          break;
        case 4:
          predicted = paeth(left, up, upLeft);
          break;
        default:
          return false;
      }
      row[x] = static_cast<unsigned char>(row[x] + predicted);
    }
    previous = row;
  }
  return true;
}

std::uint32_t premultiplied(unsigned r, unsigned g, unsigned b, unsigned a) {
  const auto scale = [a](unsigned c) { return (c * a + 127) / 255; };
  return (a << 24) | (scale(r) << 16) | (scale(g) << 8) | scale(b);
}

}  // namespace

std::optional<Bitmap> decodePng(std::string_view file) {
  if (file.substr(0, kSignature.size()) != kSignature) return std::nullopt;
  std::optional<Header> header;
  std::string palette;
  std::string alphas;  // tRNS of a palette picture
  std::string compressed;
  for (std::size_t at = kSignature.size(); at + 12 <= file.size();) {
    const std::uint32_t length = bigEndian32(file, at);
    if (length > file.size() - at - 12) return std::nullopt;
    const std::string_view type = file.substr(at + 4, 4);
    const std::string_view data = file.substr(at + 8, length);
    at += 12 + length;
    if (type == "IHDR")
      header = readHeader(data);
    else if (type == "PLTE")
      palette = data;
    else if (type == "tRNS")
      alphas = data;
    else if (type == "IDAT")
      compressed += data;
    else if (type == "IEND")
      break;
    if (!header) return std::nullopt;  // IHDR comes first and must be usable
  }
  if (!header || compressed.empty()) return std::nullopt;
  const std::size_t rowBytes = std::size_t{header->width} * header->channels;
  auto raw = inflateAll(compressed, (rowBytes + 1) * header->height);
  if (!raw || !unfilter(*raw, rowBytes, header->height, header->channels)) return std::nullopt;

  Bitmap bitmap{static_cast<int>(header->width), static_cast<int>(header->height), {}};
  bitmap.pixels.reserve(std::size_t{header->width} * header->height);
  const auto* bytes = reinterpret_cast<const unsigned char*>(raw->data());
  for (std::size_t y = 0; y < header->height; ++y) {
    const unsigned char* p = bytes + y * (rowBytes + 1) + 1;
    for (std::size_t x = 0; x < header->width; ++x, p += header->channels) {
      switch (header->colorType) {
        case 0:
          bitmap.pixels.push_back(premultiplied(p[0], p[0], p[0], 255));
          break;
        case 2:
          bitmap.pixels.push_back(premultiplied(p[0], p[1], p[2], 255));
          break;
        case 4:
          bitmap.pixels.push_back(premultiplied(p[0], p[0], p[0], p[1]));
          break;
        case 6:
          bitmap.pixels.push_back(premultiplied(p[0], p[1], p[2], p[3]));
          break;
        case 3: {
          const std::size_t entry = p[0];
          if (entry * 3 + 2 >= palette.size()) return std::nullopt;
          const auto* rgb = reinterpret_cast<const unsigned char*>(palette.data()) + entry * 3;
          const unsigned alpha =
              entry < alphas.size() ? static_cast<unsigned char>(alphas[entry]) : 255;
          bitmap.pixels.push_back(premultiplied(rgb[0], rgb[1], rgb[2], alpha));
          break;
        }
        default:
          return std::nullopt;
      }
    }
  }
  return bitmap;
}

}  // namespace ui::win32
