#pragma once

// Real layered surfaces on the real desktop (under Wine: an X display). Each test gets the
// process's graphics factories, a surface factory, and helpers to read the screen back
// and to put ordinary windows under a surface.

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

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
Bgr ScreenPixel(int x, int y);
::testing::AssertionResult Near(Bgr actual, Bgr expected, int tolerance = 3);

// Straight colour of one premultiplied BGRA pixel of a surface's bitmap, and its alpha.
std::uint32_t BitmapPixel(const Win32Surface& surface, int x, int y);
inline int AlphaOf(std::uint32_t pixel) { return static_cast<int>(pixel >> 24); }
inline Bgr ColourOf(std::uint32_t pixel) {
  return {static_cast<int>((pixel >> 16) & 0xFF), static_cast<int>((pixel >> 8) & 0xFF),
          static_cast<int>(pixel & 0xFF)};
}

class SurfaceTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  std::unique_ptr<Win32Surface> NewSurface(SurfaceOptions options = {});
  Win32SurfaceFactory& Factory() { return *factory_; }

  static GraphicsFactories* graphics_;
  static Win32SurfaceFactory* factory_;
};

// A paint that fills the whole surface with one straight colour.
PaintFunction Fill(Color colour);

}  // namespace tessary::testing
