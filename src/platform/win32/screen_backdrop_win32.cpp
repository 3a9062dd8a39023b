#include "platform/win32/screen_backdrop_win32.h"

#include <algorithm>

#include "platform/win32/memory_bitmap_win32.h"

namespace tessary {

bool ScreenBackdrop::CopyScreen(HDC screen, const RECT& area, int width, int height, Copy& out) {
  const int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
  MemoryBitmap memory(width, height);
  if (!memory.Ready()) return false;
  bool copied = false;
  if (width == areaWidth && height == areaHeight) {
    copied = BitBlt(memory.Dc(), 0, 0, width, height, screen, area.left, area.top,
                    SRCCOPY | CAPTUREBLT) != FALSE;
  } else {
    SetStretchBltMode(memory.Dc(), HALFTONE);
    SetBrushOrgEx(memory.Dc(), 0, 0, nullptr);
    copied = StretchBlt(memory.Dc(), 0, 0, width, height, screen, area.left, area.top,
                        areaWidth, areaHeight, SRCCOPY | CAPTUREBLT) != FALSE;
  }
  if (!copied) return false;
  PixelImage image = memory.ReadAll();
  out.width = image.width;
  out.height = image.height;
  out.pixels = std::move(image.pixels);
  return true;
}

void ScreenBackdrop::BoxBlur(Copy& copy) {
  const int w = copy.width, h = copy.height;
  std::vector<std::uint32_t> out(copy.pixels.size());
  auto pass = [&](bool horizontal) {
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        unsigned sum[4] = {};
        for (int k = -2; k <= 2; ++k) {
          const int sx = horizontal ? std::clamp(x + k, 0, w - 1) : x;
          const int sy = horizontal ? y : std::clamp(y + k, 0, h - 1);
          const std::uint32_t p = copy.pixels[static_cast<std::size_t>(sy * w + sx)];
          for (int c = 0; c < 4; ++c) sum[c] += (p >> (8 * c)) & 0xFF;
        }
        std::uint32_t v = 0;
        for (int c = 0; c < 4; ++c) v |= ((sum[c] / 5) & 0xFF) << (8 * c);
        out[static_cast<std::size_t>(y * w + x)] = v;
      }
    }
    copy.pixels.swap(out);
  };
  for (int round = 0; round < 2; ++round) {
    pass(true);
    pass(false);
  }
}

bool ScreenBackdrop::Capture(const RECT& area) {
  DropBitmaps();
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return false;
  HDC screen = GetDC(nullptr);
  if (!screen) return false;
  const bool full = CopyScreen(screen, area, width, height, full_);
  const bool small =
      CopyScreen(screen, area, std::max(width / 16, 1), std::max(height / 16, 1), small_);
  ReleaseDC(nullptr, screen);
  if (small) BoxBlur(small_);
  return full || small;
}

void ScreenBackdrop::DropBitmaps() {
  fullBitmap_.Reset();
  smallBitmap_.Reset();
  owner_ = nullptr;
}

void ScreenBackdrop::Draw(ID2D1RenderTarget* target, const D2D1_RECT_F& rect, float blurOpacity) {
  if (owner_ != target) {
    DropBitmaps();
    owner_ = target;
    const D2D1_BITMAP_PROPERTIES properties = D2D1::BitmapProperties(
        D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_IGNORE), 96, 96);
    auto make = [&](const Copy& copy, Microsoft::WRL::ComPtr<ID2D1Bitmap>& bitmap) {
      if (copy.pixels.empty()) return;
      target->CreateBitmap(D2D1::SizeU(static_cast<UINT32>(copy.width), static_cast<UINT32>(copy.height)),
                           copy.pixels.data(), static_cast<UINT32>(copy.width) * 4, &properties,
                           bitmap.GetAddressOf());
    };
    make(full_, fullBitmap_);
    make(small_, smallBitmap_);
  }
  if (fullBitmap_) {
    target->DrawBitmap(fullBitmap_.Get(), rect, 1.0f, D2D1_BITMAP_INTERPOLATION_MODE_NEAREST_NEIGHBOR);
  }
  if (smallBitmap_ && blurOpacity > 0) {
    target->DrawBitmap(smallBitmap_.Get(), rect, blurOpacity, D2D1_BITMAP_INTERPOLATION_MODE_LINEAR);
  }
}

}  // namespace tessary
