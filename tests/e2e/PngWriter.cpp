#include "PngWriter.h"

#include <zlib.h>

#include <stdexcept>

namespace e2e {
namespace {

void appendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void appendChunk(std::string& out, const char type[4], const std::string& data) {
  appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::string typed = std::string(type, 4) + data;
  out += typed;
  const auto* bytes = reinterpret_cast<const Bytef*>(typed.data());
  appendBigEndian(out,
                  static_cast<std::uint32_t>(crc32(0, bytes, static_cast<uInt>(typed.size()))));
}

}  // namespace

std::string encodePng(int width, int height, const std::vector<std::uint8_t>& rgb) {
  const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
  if (width <= 0 || height <= 0 || rgb.size() != rowBytes * height) {
    throw std::invalid_argument("encodePng: pixel data does not match the size");
  }
  // Each row starts with its filter type; 0 leaves the bytes as they are.
  std::vector<std::uint8_t> filtered;
  filtered.reserve((rowBytes + 1) * height);
  for (int y = 0; y < height; ++y) {
    filtered.push_back(0);
    const auto row = rgb.begin() + static_cast<std::ptrdiff_t>(rowBytes * y);
    filtered.insert(filtered.end(), row, row + static_cast<std::ptrdiff_t>(rowBytes));
  }
  uLongf packedSize = compressBound(static_cast<uLong>(filtered.size()));
  std::string packed(packedSize, '\0');
  if (compress2(reinterpret_cast<Bytef*>(packed.data()), &packedSize, filtered.data(),
                static_cast<uLong>(filtered.size()), Z_BEST_COMPRESSION) != Z_OK) {
    throw std::runtime_error("encodePng: zlib failed");
  }
  packed.resize(packedSize);

  std::string header;
  appendBigEndian(header, static_cast<std::uint32_t>(width));
  appendBigEndian(header, static_cast<std::uint32_t>(height));
  header += '\x08';                // bits per sample
  header += '\x02';                // truecolour
  header += std::string(3, '\0');  // deflate, adaptive filtering, no interlace

  std::string png("\x89PNG\r\n\x1a\n", 8);
  appendChunk(png, "IHDR", header);
  appendChunk(png, "IDAT", packed);
  appendChunk(png, "IEND", {});
  return png;
}

}  // namespace e2e
