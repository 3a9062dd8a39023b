#include "platform/win32/icon_bitmap_cache.h"

#include <cstdint>
#include <cstring>

#include "base/log.h"
#include "platform/canvas.h"
#include "platform/win32/memory_bitmap_win32.h"

namespace tessary {

void IconBitmapCache::Register(ID2D1RenderTarget* target) {
  if (target) targets_.insert(target);
}

void IconBitmapCache::Drop(ID2D1RenderTarget* target) {
  targets_.erase(target);
  for (auto it = bitmaps_.begin(); it != bitmaps_.end();) {
    it = std::get<0>(it->first) == target ? bitmaps_.erase(it) : std::next(it);
  }
}

void IconBitmapCache::Draw(ID2D1RenderTarget* target, HICON icon, const Rect& rect) {
  if (!target || !icon) return;
  const int pixels = IconPixelSize(rect);
  const D2D1_RECT_F destination = D2D1::RectF(
      static_cast<FLOAT>(rect.x), static_cast<FLOAT>(rect.y),
      static_cast<FLOAT>(rect.x + rect.width), static_cast<FLOAT>(rect.y + rect.height));

  const Key key{target, icon, pixels};
  if (auto found = bitmaps_.find(key); found != bitmaps_.end()) {
    target->DrawBitmap(found->second.Get(), destination, 1.0f,
                       D2D1_BITMAP_INTERPOLATION_MODE_LINEAR);
    return;
  }
  if (bitmaps_.size() > kMaxEntries) bitmaps_.clear();
  Microsoft::WRL::ComPtr<ID2D1Bitmap> bitmap = RasterizeIcon(target, icon, pixels);
  MarkPerformance("icon-raster");
  if (!bitmap) return;
  target->DrawBitmap(bitmap.Get(), destination, 1.0f, D2D1_BITMAP_INTERPOLATION_MODE_LINEAR);
  if (targets_.count(target)) bitmaps_.emplace(key, std::move(bitmap));
}

Microsoft::WRL::ComPtr<ID2D1Bitmap> RasterizeIcon(ID2D1RenderTarget* target, HICON icon,
                                                  int pixels) {
  Microsoft::WRL::ComPtr<ID2D1Bitmap> bitmap;
  MemoryBitmap memory(pixels, pixels);
  if (!memory.Ready()) return bitmap;
  const std::size_t count = static_cast<std::size_t>(pixels) * pixels;
  std::uint32_t* pixel = memory.Bits();
  std::memset(pixel, 0, count * sizeof(std::uint32_t));
  DrawIconEx(memory.Dc(), 0, 0, icon, pixels, pixels, 0, nullptr, DI_NORMAL);
  GdiFlush();

  // An icon without an alpha channel leaves every alpha byte at zero; drawn as it is, it
  // would be invisible.
  bool anyAlpha = false;
  for (std::size_t i = 0; i < count && !anyAlpha; ++i) anyAlpha = (pixel[i] >> 24) != 0;
  if (!anyAlpha) {
    for (std::size_t i = 0; i < count; ++i) pixel[i] |= 0xFF000000u;
  }

  const D2D1_BITMAP_PROPERTIES properties = D2D1::BitmapProperties(
      D2D1::PixelFormat(DXGI_FORMAT_B8G8R8A8_UNORM, D2D1_ALPHA_MODE_PREMULTIPLIED), 96.0f, 96.0f);
  target->CreateBitmap(D2D1::SizeU(pixels, pixels), pixel, static_cast<UINT32>(pixels) * 4,
                       properties, bitmap.GetAddressOf());
  return bitmap;
}

}  // namespace tessary
