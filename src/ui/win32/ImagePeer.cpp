#include <algorithm>
#include <cmath>

#include "ui/win32/Peers.h"
#include "ui/win32/WindowHost.h"

namespace ui::win32 {

NativePeer::Creation ImagePeer::creation() const {
  return {L"QuorvelPanel", 0};
}

void ImagePeer::update(Property property) {
  if (property == Property::Repaint || property == Property::Bounds)
    InvalidateRect(handle(), nullptr, TRUE);
}

LRESULT ImagePeer::windowMessage(UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_ERASEBKGND:
      return TRUE;  // painted whole in WM_PAINT
    case WM_PAINT:
      return paintWith([this](HDC dc) { paint(dc); });
    default:
      return NativePeer::windowMessage(message, w, l);
  }
}

RECT ImagePeer::placement(const RECT& box) const {
  const Image& picture = image();
  const int boxWidth = box.right - box.left;
  const int boxHeight = box.bottom - box.top;
  int width = host_.scale(bitmap_->width);
  int height = host_.scale(bitmap_->height);
  if (picture.proportional && (picture.stretch || width > boxWidth || height > boxHeight)) {
    const double factor = std::min(static_cast<double>(boxWidth) / bitmap_->width,
                                   static_cast<double>(boxHeight) / bitmap_->height);
    width = std::max(1, static_cast<int>(std::lround(bitmap_->width * factor)));
    height = std::max(1, static_cast<int>(std::lround(bitmap_->height * factor)));
  } else if (picture.stretch) {
    width = boxWidth;
    height = boxHeight;
  }
  const int left = picture.center ? (boxWidth - width) / 2 : 0;
  const int top = picture.center ? (boxHeight - height) / 2 : 0;
  return {left, top, left + width, top + height};
}

void ImagePeer::paint(HDC dc) {
  RECT box;
  GetClientRect(handle(), &box);
  FillRect(dc, &box, host_.brush(backgroundColor()));
  if (image().png != decodedSource_) {
    decodedSource_ = image().png;
    bitmap_ = decodePng(decodedSource_);
  }
  if (!bitmap_) return;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = bitmap_->width;
  info.bmiHeader.biHeight = -bitmap_->height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section) return;
  std::copy(bitmap_->pixels.begin(), bitmap_->pixels.end(), static_cast<std::uint32_t*>(bits));
  HDC memory = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(memory, section);
  const RECT target = placement(box);
  SetStretchBltMode(dc, HALFTONE);
  const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
  GdiAlphaBlend(dc, target.left, target.top, target.right - target.left, target.bottom - target.top,
                memory, 0, 0, bitmap_->width, bitmap_->height, blend);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(section);
}

}  // namespace ui::win32
