#pragma once

// Real layered surfaces on the real desktop (under Wine: an X display). Each test gets the
// process's graphics factories, a surface factory, and helpers to read the screen back
// and to put ordinary windows under a surface.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "platform/surface.h"
#include "platform/win32/graphics_factories.h"
#include "platform/win32/handles.h"
#include "platform/win32/surface_win32.h"
#include "win32/message_pump.h"
#include "win32/plain_window.h"
#include "win32/user_input.h"

namespace tessary::testing {

struct Bgr {
  int r = 0;
  int g = 0;
  int b = 0;
};

// The colour on the screen at a desktop point (GetDC of no window, BitBlt).
inline Bgr ScreenPixel(int x, int y) {
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

// A real window's class name, and where it stands on the desktop (GetWindowRect).
inline std::wstring ClassOf(HWND window) {
  wchar_t name[64]{};
  GetClassNameW(window, name, 64);
  return name;
}
inline Rect WindowBounds(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return {static_cast<double>(r.left), static_cast<double>(r.top),
          static_cast<double>(r.right - r.left), static_cast<double>(r.bottom - r.top)};
}

inline ::testing::AssertionResult Near(Bgr actual, Bgr expected, int tolerance = 3) {
  if (std::abs(actual.r - expected.r) <= tolerance &&
      std::abs(actual.g - expected.g) <= tolerance &&
      std::abs(actual.b - expected.b) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << "(" << actual.r << ", " << actual.g << ", " << actual.b << ") is not within "
         << tolerance << " of (" << expected.r << ", " << expected.g << ", " << expected.b << ")";
}

// Straight colour of one premultiplied BGRA pixel of a surface's bitmap, and its alpha.
inline std::uint32_t BitmapPixel(const Win32Surface& surface, int x, int y) {
  const PixelSize size = surface.Allocated();
  if (!surface.Pixels() || x < 0 || y < 0 || x >= size.width || y >= size.height) return 0;
  return surface.Pixels()[static_cast<std::size_t>(y) * size.width + x];
}
inline int AlphaOf(std::uint32_t pixel) { return static_cast<int>(pixel >> 24); }
inline Bgr ColourOf(std::uint32_t pixel) {
  return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
          static_cast<int>(pixel & 0xFF)};
}

class SurfaceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (graphics_) return;
    // Kept for the whole run, as the program keeps them.
    graphics_ = new GraphicsFactories();
    ASSERT_TRUE(graphics_->Create());
    factory_ = new Win32SurfaceFactory(GetModuleHandleW(nullptr), *graphics_);
  }
  std::unique_ptr<Win32Surface> NewSurface(SurfaceOptions options = {}) {
    std::unique_ptr<Win32Surface> surface = factory_->NewWin32Surface();
    if (options.title.empty()) options.title = "Tessary test surface";
    if (!surface->Create(options)) return nullptr;
    return surface;
  }
  Win32SurfaceFactory& Factory() { return *factory_; }

  static inline GraphicsFactories* graphics_ = nullptr;
  static inline Win32SurfaceFactory* factory_ = nullptr;
};

// A paint that fills the whole surface with one straight colour.
inline PaintFunction Fill(Color colour) {
  return [colour](Canvas& canvas, double width, double height) {
    canvas.FillRounded({0, 0, width, height}, 0, colour);
  };
}

}  // namespace tessary::testing
