// The drawing toolkit on Direct2D and DirectWrite, read back from the surface's bitmap:
// where text, strokes and icons land, how text is measured, and the icon cache.

#include <string>

#include "platform/win32/top_down_bitmap.h"
#include "win32/surfaces/surface_fixture.h"

namespace tessary::testing {
namespace {

// Alpha of the strongest pixel in the bitmap's columns [x0, x1) and rows [y0, y1).
int MaxAlpha(const Win32Surface& surface, int x0, int y0, int x1, int y1) {
  int best = 0;
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) best = std::max(best, AlphaOf(BitmapPixel(surface, x, y)));
  }
  return best;
}

// A 16 x 16 icon of one BGRA value (straight alpha) with an all-opaque mask.
HICON SolidIcon(std::uint32_t bgra) {
  const BITMAPINFO info = TopDownBitmapInfo(16, 16);
  void* bits = nullptr;
  HBITMAP colour = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  for (int i = 0; i < 256; ++i) static_cast<std::uint32_t*>(bits)[i] = bgra;
  const BYTE maskBits[32]{};
  HBITMAP mask = CreateBitmap(16, 16, 1, 1, maskBits);
  ICONINFO iconInfo{TRUE, 0, 0, mask, colour};
  HICON icon = CreateIconIndirect(&iconInfo);
  DeleteObject(colour);
  DeleteObject(mask);
  return icon;
}

// Labels stay in their rectangle and wrapped text in its width (on the left); strokes stay
// inside their shape and shapes land where asked (on the right).
TEST_F(SurfaceTest, InkLandsWhereAskedAndNowhereElse) {
  std::unique_ptr<Win32Surface> surface = NewSurface();
  ASSERT_TRUE(surface);
  const std::string longText = "A label far too long for the little box it was given";
  surface->Present(
      {0, 0, 400, 200}, 1.0,
      [&](Canvas& canvas, double, double) {
        canvas.DrawLabel(longText, {10, 10, 80, 30}, kBlack, 14, true, TextAlign::kLeading);
        canvas.DrawWrappedText(longText, {10, 60}, 120, kBlack, 13, false);
        canvas.StrokeRounded({210, 10, 60, 40}, 0, kBlack, 4);
        canvas.FillTriangle({300, 10}, {340, 10}, {300, 50}, kBlack);
        canvas.FillCircle({370, 30}, 10, kBlack);
        canvas.DrawLine({210, 100}, {390, 100}, kBlack, 2);
      },
      SurfaceAnchor::Topmost());
  EXPECT_GT(MaxAlpha(*surface, 10, 10, 90, 40), 200);     // the label is drawn
  EXPECT_EQ(MaxAlpha(*surface, 90, 0, 200, 45), 0);       // and clipped to its box
  EXPECT_EQ(MaxAlpha(*surface, 132, 50, 200, 200), 0);    // the wrapped text within its width
  EXPECT_GT(MaxAlpha(*surface, 10, 100, 130, 200), 200);  // on several lines

  EXPECT_EQ(AlphaOf(BitmapPixel(*surface, 240, 10)), 255);  // the stroke's outer edges
  EXPECT_EQ(AlphaOf(BitmapPixel(*surface, 269, 30)), 255);
  EXPECT_EQ(AlphaOf(BitmapPixel(*surface, 240, 49)), 255);
  EXPECT_EQ(MaxAlpha(*surface, 200, 0, 400, 10), 0);  // nothing bleeds out
  EXPECT_EQ(MaxAlpha(*surface, 270, 10, 299, 50), 0);
  EXPECT_EQ(AlphaOf(BitmapPixel(*surface, 240, 30)), 0);    // hollow
  EXPECT_EQ(AlphaOf(BitmapPixel(*surface, 305, 15)), 255);  // inside the triangle
  EXPECT_EQ(AlphaOf(BitmapPixel(*surface, 335, 45)), 0);    // beyond its diagonal
  EXPECT_EQ(AlphaOf(BitmapPixel(*surface, 370, 30)), 255);
  EXPECT_EQ(AlphaOf(BitmapPixel(*surface, 300, 100)), 255);
}

TEST_F(SurfaceTest, MeasuresWrappedText) {
  TextMeasurer& text = Factory().Text();
  const TextSize line = text.MeasureText("Snap windows into place", 14, false, 1000);
  EXPECT_GT(line.width, 60);
  EXPECT_LT(line.width, 400);
  EXPECT_GT(line.height, 10);
  EXPECT_EQ(line.width, std::ceil(line.width));
  EXPECT_EQ(line.height, std::ceil(line.height));

  const TextSize wrapped = text.MeasureText("Snap windows into place", 14, false, line.width / 2);
  EXPECT_LE(wrapped.width, line.width / 2 + 1);
  EXPECT_GE(wrapped.height, 2 * line.height - 1);

  EXPECT_GT(text.MeasureText("Snap windows into place", 14, true, 1000).width, line.width);
  // Trailing white space counts.
  EXPECT_GT(text.MeasureText("Snap   ", 14, false, 1000).width,
            text.MeasureText("Snap", 14, false, 1000).width);
  // Unusable sizes measure nothing rather than fail.
  EXPECT_EQ(text.MeasureText("Snap", 0, false, 1000), (TextSize{}));
}

TEST_F(SurfaceTest, IconsWithoutAlphaAreOpaqueAndCachedPerSurface) {
  HICON flat = SolidIcon(0x000000FF);    // blue, every alpha byte zero
  HICON glassy = SolidIcon(0x80FF0000);  // red at half alpha
  std::unique_ptr<Win32Surface> surface = NewSurface();
  ASSERT_TRUE(surface);
  const std::size_t before = Factory().Icons().Size();
  const auto paint = [&](Canvas& canvas, double, double) {
    canvas.DrawIcon(ToIconId(flat), {0, 0, 22, 22});
    canvas.DrawIcon(ToIconId(glassy), {30, 0, 22, 22});
    canvas.DrawIcon(kNoIcon, {60, 0, 22, 22});
  };
  surface->Present({0, 0, 100, 30}, 1.0, paint, SurfaceAnchor::Topmost());
  EXPECT_EQ(BitmapPixel(*surface, 11, 11), 0xFF0000FFu);
  EXPECT_NEAR(AlphaOf(BitmapPixel(*surface, 41, 11)), 128, 2);
  EXPECT_NEAR(ColourOf(BitmapPixel(*surface, 41, 11)).r, 128, 2);
  EXPECT_EQ(MaxAlpha(*surface, 60, 0, 100, 30), 0);
  EXPECT_EQ(Factory().Icons().Size(), before + 2);

  // Painting again reuses the bitmaps; destroying the surface drops them.
  surface->Present({0, 0, 100, 30}, 1.0, paint, SurfaceAnchor::Topmost());
  EXPECT_EQ(Factory().Icons().Size(), before + 2);
  EXPECT_EQ(BitmapPixel(*surface, 11, 11), 0xFF0000FFu);
  surface->Destroy();
  EXPECT_EQ(Factory().Icons().Size(), before);
  DestroyIcon(flat);
  DestroyIcon(glassy);
}

}  // namespace
}  // namespace tessary::testing
