#pragma once
// A minimal PNG encoder for screenshots: 8-bit RGB, one IDAT chunk.
#include <cstdint>
#include <string>
#include <vector>

namespace e2e {

// rgb holds width * height pixels, three bytes each, rows top to bottom.
std::string encodePng(int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace e2e
