#include "Screenshot.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <tuple>
#include <vector>

#include "DriverOptions.h"
#include "PngWriter.h"
#include "Polling.h"
#include "ScenarioFolder.h"
#include "WindowQueries.h"

namespace e2e {
namespace {

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
  bool operator==(const Image&) const = default;
};

enum class Source { Screen, PrintWindow };

Image capture(HWND window, Source source) {
  RECT frame{};
  GetWindowRect(window, &frame);
  Image image{frame.right - frame.left, frame.bottom - frame.top, {}};
  if (image.width <= 0 || image.height <= 0) return {};

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof format.bmiHeader;
  format.bmiHeader.biWidth = image.width;
  format.bmiHeader.biHeight = -image.height;  // top-down rows
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  const bool copied = source == Source::Screen ? BitBlt(memory, 0, 0, image.width, image.height,
                                                        screen, frame.left, frame.top, SRCCOPY)
                                               : PrintWindow(window, memory, 0);
  GdiFlush();
  if (copied && bits) {
    const auto* bgra = static_cast<const std::uint8_t*>(bits);
    const std::size_t pixels = static_cast<std::size_t>(image.width) * image.height;
    image.rgb.resize(pixels * 3);
    for (std::size_t i = 0; i < pixels; ++i) {
      image.rgb[i * 3] = bgra[i * 4 + 2];
      image.rgb[i * 3 + 1] = bgra[i * 4 + 1];
      image.rgb[i * 3 + 2] = bgra[i * 4];
    }
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (!copied) return {};
  return image;
}

// A copy of the screen that comes back all one colour means the display gave
// nothing back (some Wine set-ups); the window then paints into our bitmap.
bool isBlank(const Image& image) {
  if (image.rgb.size() < 3) return true;
  for (std::size_t i = 3; i < image.rgb.size(); i += 3) {
    if (!std::equal(image.rgb.begin(), image.rgb.begin() + 3, image.rgb.begin() + i)) return false;
  }
  return true;
}

Image stableCapture(HWND window) {
  Source source = isBlank(capture(window, Source::Screen)) ? Source::PrintWindow : Source::Screen;
  Image last = capture(window, source);
  // The same picture over several polls in a row: the program has finished
  // painting (one repeat can fall between an erase and its paint).
  constexpr int kRepeatsNeeded = 4;
  int repeats = 0;
  const std::optional<Image> settled = pollFor(
      [&]() -> std::optional<Image> {
        Image next = capture(window, source);
        repeats = next == last ? repeats + 1 : 0;
        last = std::move(next);
        if (repeats >= kRepeatsNeeded) return last;
        return std::nullopt;
      },
      std::chrono::milliseconds(5000));
  return settled ? *settled : last;
}

}  // namespace

std::string saveScreenshot(HWND window, const std::wstring& fileName) {
  if (!IsWindow(window)) return "no window to capture for " + toUtf8(fileName);
  const Image image = stableCapture(window);
  if (image.rgb.empty()) return "capturing the window failed for " + toUtf8(fileName);
  const std::filesystem::path folder = driverOptions().screenshots;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  try {
    writeFileAtomically(folder / fileName, encodePng(image.width, image.height, image.rgb));
  } catch (const std::exception& failure) {
    return failure.what();
  }
  return {};
}

bool showsTextOnTheLeft(HWND window) {
  const Image image = capture(window, Source::Screen);
  if (image.rgb.empty()) return false;
  const auto pixel = [&](int x, int y) {
    const std::size_t at = (static_cast<std::size_t>(y) * image.width + x) * 3;
    return std::tuple(image.rgb[at], image.rgb[at + 1], image.rgb[at + 2]);
  };
  const auto first = pixel(image.width / 8, image.height / 2);
  for (int y = image.height / 4; y < image.height * 3 / 4; ++y) {
    for (int x = image.width / 8; x < image.width / 2; ++x) {
      if (pixel(x, y) != first) return true;
    }
  }
  return false;
}

}  // namespace e2e
