#pragma once

// A memory DC holding a 32-bit top-down DIB section, for one drawing into it (a window
// printing itself, a copy of the screen, an icon) and reading its pixels back.

#include <windows.h>

#include <cstdint>
#include <cstring>

#include "platform/transition_gpu.h"
#include "platform/win32/top_down_bitmap.h"

namespace tessary {

class MemoryBitmap {
 public:
  MemoryBitmap(int width, int height) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) return;
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_) return;
    const BITMAPINFO info = TopDownBitmapInfo(width, height);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (bitmap_ && bits_) old_ = SelectObject(dc_, bitmap_);
  }
  ~MemoryBitmap() {
    if (old_) SelectObject(dc_, old_);
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
  }
  MemoryBitmap(const MemoryBitmap&) = delete;
  MemoryBitmap& operator=(const MemoryBitmap&) = delete;

  bool Ready() const { return old_ != nullptr; }
  HDC Dc() const { return dc_; }
  // The pixels in place, B8G8R8A8 rows from the top; call GdiFlush after drawing.
  std::uint32_t* Bits() const { return static_cast<std::uint32_t*>(bits_); }

  // A copy of the pixels of `part` (bitmap coordinates, within the bitmap).
  PixelImage Read(const RECT& part) const {
    GdiFlush();
    PixelImage image;
    image.width = part.right - part.left;
    image.height = part.bottom - part.top;
    const auto rowPixels = static_cast<std::size_t>(image.width);
    image.pixels.resize(rowPixels * static_cast<std::size_t>(image.height));
    for (int y = 0; y < image.height; ++y) {
      const std::size_t sourceRow = static_cast<std::size_t>(part.top + y);
      std::memcpy(&image.pixels[static_cast<std::size_t>(y) * rowPixels],
                  Bits() + sourceRow * static_cast<std::size_t>(width_) + part.left,
                  rowPixels * sizeof(std::uint32_t));
    }
    return image;
  }
  PixelImage ReadAll() const { return Read(RECT{0, 0, width_, height_}); }

 private:
  int width_;
  int height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  void* bits_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

}  // namespace tessary
