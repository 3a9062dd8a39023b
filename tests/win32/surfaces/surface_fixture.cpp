#include "win32/surfaces/surface_fixture.h"

#include <cstdlib>

namespace tessary::testing {

GraphicsFactories* SurfaceTest::graphics_ = nullptr;
Win32SurfaceFactory* SurfaceTest::factory_ = nullptr;

void SurfaceTest::SetUpTestSuite() {
  if (graphics_) return;
  // Kept for the whole run, as the program keeps them.
  graphics_ = new GraphicsFactories();
  ASSERT_TRUE(graphics_->Create());
  factory_ = new Win32SurfaceFactory(GetModuleHandleW(nullptr), *graphics_);
}

std::unique_ptr<Win32Surface> SurfaceTest::NewSurface(SurfaceOptions options) {
  std::unique_ptr<Win32Surface> surface = factory_->NewWin32Surface();
  if (options.title.empty()) options.title = "Tessary test surface";
  if (!surface->Create(options)) return nullptr;
  return surface;
}

PaintFunction Fill(Color colour) {
  return [colour](Canvas& canvas, double width, double height) {
    canvas.FillRounded({0, 0, width, height}, 0, colour);
  };
}

Bgr ScreenPixel(int x, int y) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 1, 1);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, 1, 1, screen, x, y, SRCCOPY);
  COLORREF colour = GetPixel(memory, 0, 0);
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

::testing::AssertionResult Near(Bgr actual, Bgr expected, int tolerance) {
  if (std::abs(actual.r - expected.r) <= tolerance &&
      std::abs(actual.g - expected.g) <= tolerance &&
      std::abs(actual.b - expected.b) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "(" << actual.r << ", " << actual.g << ", " << actual.b << ") is not within "
         << tolerance << " of (" << expected.r << ", " << expected.g << ", " << expected.b << ")";
}

std::uint32_t BitmapPixel(const Win32Surface& surface, int x, int y) {
  const PixelSize size = surface.Allocated();
  if (!surface.Pixels() || x < 0 || y < 0 || x >= size.width || y >= size.height) return 0;
  return surface.Pixels()[static_cast<std::size_t>(y) * size.width + x];
}

}  // namespace tessary::testing
