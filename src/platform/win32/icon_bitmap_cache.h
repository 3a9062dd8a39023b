#pragma once

// Application icons rasterised once per (render target, icon, pixel size) as Direct2D
// bitmaps. A bitmap belongs to the render target that made it, so the cache knows which
// targets are alive: a surface registers its target at creation and drops it when the
// target is destroyed or fails, and bitmaps for unregistered targets are never kept.

#include <d2d1.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstddef>
#include <map>
#include <set>
#include <tuple>

#include "base/geometry.h"

namespace tessary {

class IconBitmapCache {
 public:
  // Beyond this many bitmaps the whole cache is flushed: icons come and go with windows,
  // and a wholesale flush keeps the bookkeeping trivial.
  static constexpr std::size_t kMaxEntries = 400;

  IconBitmapCache() = default;
  IconBitmapCache(const IconBitmapCache&) = delete;
  IconBitmapCache& operator=(const IconBitmapCache&) = delete;

  void Register(ID2D1RenderTarget* target);
  // Releases the target's bitmaps and forgets the target.
  void Drop(ID2D1RenderTarget* target);

  // Draws `icon` stretched over `rect` (DIPs of the target); null icons draw nothing.
  void Draw(ID2D1RenderTarget* target, HICON icon, const Rect& rect);

  std::size_t Size() const { return bitmaps_.size(); }

 private:
  using Key = std::tuple<ID2D1RenderTarget*, HICON, int>;

  std::map<Key, Microsoft::WRL::ComPtr<ID2D1Bitmap>> bitmaps_;
  std::set<ID2D1RenderTarget*> targets_;
};

// Rasterises an icon at `pixels` x `pixels` into premultiplied BGRA for `target`. Icons
// without an alpha channel (every alpha byte zero) come out opaque. Null on failure.
Microsoft::WRL::ComPtr<ID2D1Bitmap> RasterizeIcon(ID2D1RenderTarget* target, HICON icon,
                                                  int pixels);

}  // namespace tessary
