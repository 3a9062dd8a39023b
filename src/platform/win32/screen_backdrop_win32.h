#pragma once

// The picture behind the stack overview: the screen under it, copied once before the
// window appears, at full size and blurred at a sixteenth of the size. Copying once keeps
// the opening cheap on large displays, and blurring the small copy costs next to nothing.

#include <d2d1.h>
#include <windows.h>
#include <wrl/client.h>

#include <cstdint>
#include <vector>

namespace tessary {

class ScreenBackdrop {
 public:
  // Copies the screen under `area` (desktop pixels). False when nothing could be copied.
  bool Capture(const RECT& area);
  // The full copy over `rect` (units of the target), then the blurred one at `blurOpacity`.
  // The bitmaps are made on the first draw on a target.
  void Draw(ID2D1RenderTarget* target, const D2D1_RECT_F& rect, float blurOpacity);
  // The target was lost: the next draw makes new bitmaps.
  void DropBitmaps();

 private:
  struct Copy {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // B8G8R8A8, rows from the top
  };
  static bool CopyScreen(HDC screen, const RECT& area, int width, int height, Copy& out);
  static void BoxBlur(Copy& copy);

  Copy full_;
  Copy small_;
  ID2D1RenderTarget* owner_ = nullptr;
  Microsoft::WRL::ComPtr<ID2D1Bitmap> fullBitmap_;
  Microsoft::WRL::ComPtr<ID2D1Bitmap> smallBitmap_;
};

}  // namespace tessary
