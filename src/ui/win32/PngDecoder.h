#pragma once
// Decodes the program's PNG pictures: 8 bits per channel, grey, RGB,
// palette, with or without alpha, not interlaced. Anything else, and any
// damaged file, gives nothing rather than a wrong picture.
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace ui::win32 {

struct Bitmap {
  int width = 0;
  int height = 0;
  // Top-down rows of 0xAARRGGBB with the colour premultiplied by alpha, as
  // AlphaBlend takes them.
  std::vector<std::uint32_t> pixels;
};

std::optional<Bitmap> decodePng(std::string_view file);

}  // namespace ui::win32
