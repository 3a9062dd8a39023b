// A layered surface presented through Direct2D: what lands in its bitmap, what the screen
// shows over an ordinary window, and how moves, opacity and hiding change that.

#include "win32/surfaces/surface_fixture.h"

namespace tessary::testing {
namespace {

// A surface, not yet shown, over an ordinary white window.
class SurfacePresentTest : public SurfaceTest {
 protected:
  void SetUp() override {
    surface = NewSurface();
    ASSERT_TRUE(surface);
  }

  PlainWindow below{{100, 100, 700, 500}, RGB(255, 255, 255)};
  std::unique_ptr<Win32Surface> surface;
};

// Left half opaque red, right half blue at alpha 0.5.
void RedAndHalfBlue(Canvas& canvas, double width, double height) {
  canvas.FillRounded({0, 0, width / 2, height}, 0, {1, 0, 0, 1});
  canvas.FillRounded({width / 2, 0, width / 2, height}, 0, {0, 0, 1, 0.5});
}

TEST_F(SurfacePresentTest, ShowsItsPixelsMovesAndHides) {
  EXPECT_FALSE(IsWindowVisible(surface->Handle()));

  surface->Present({150, 150, 100, 80}, 1.0, RedAndHalfBlue, SurfaceAnchor::Topmost());
  PumpMessagesFor(0.2);
  EXPECT_TRUE(surface->Visible());
  EXPECT_EQ(WindowBounds(surface->Handle()), (Rect{150, 150, 100, 80}));

  // The bitmap holds premultiplied BGRA, as UpdateLayeredWindow wants it.
  EXPECT_EQ(BitmapPixel(*surface, 10, 10), 0xFFFF0000u);
  EXPECT_EQ(AlphaOf(BitmapPixel(*surface, 90, 10)), 128);
  EXPECT_TRUE(Near(ColourOf(BitmapPixel(*surface, 90, 10)), {0, 0, 128}, 1));

  EXPECT_TRUE(Near(ScreenPixel(160, 160), {255, 0, 0}));

  surface->MoveTo({400.4, 300.6});
  PumpMessagesFor(0.2);
  EXPECT_EQ(surface->Bounds(), (Rect{400, 301, 100, 80}));
  EXPECT_TRUE(Near(ScreenPixel(410, 311), {255, 0, 0}));
  EXPECT_TRUE(Near(ScreenPixel(160, 160), {255, 255, 255}));

  surface->Hide();
  PumpMessagesFor(0.2);
  EXPECT_FALSE(surface->Visible());
  EXPECT_FALSE(IsWindowVisible(surface->Handle()));
  EXPECT_TRUE(Near(ScreenPixel(410, 311), {255, 255, 255}));
  // Moving a hidden surface does nothing.
  surface->MoveTo({0, 0});
  EXPECT_EQ(surface->Bounds().x, 400);
}

// Blending on screen is the compositor's job; an X display without a compositing manager
// shows layered windows unblended, so there is nothing to check there.
TEST_F(SurfacePresentTest, BlendsPerPixelAndConstantAlphaOverTheDesktop) {
  surface->Present({150, 150, 100, 80}, 1.0, RedAndHalfBlue, SurfaceAnchor::Topmost());
  PumpMessagesFor(0.2);
  if (Near(ScreenPixel(240, 160), {0, 0, 128})) {
    GTEST_SKIP() << "the display has no compositing manager (layered windows show unblended)";
  }
  EXPECT_TRUE(Near(ScreenPixel(240, 160), {127, 127, 255}));

  surface->SetOpacity(0.5);
  PumpMessagesFor(0.2);
  EXPECT_TRUE(Near(ScreenPixel(160, 160), {255, 127, 127}, 4));
  // The constant alpha stays for later presentations.
  surface->Present({150, 150, 100, 80}, 1.0, Fill({0, 0, 0, 1}), SurfaceAnchor::Topmost());
  PumpMessagesFor(0.2);
  EXPECT_TRUE(Near(ScreenPixel(160, 160), {127, 127, 127}, 4));
  surface->SetOpacity(1.0);
  PumpMessagesFor(0.2);
  EXPECT_TRUE(Near(ScreenPixel(160, 160), {0, 0, 0}));
}

// Drawn ahead while hidden, the same drawing is later shown without painting again; at
// another size or scale there is nothing to show.
TEST_F(SurfacePresentTest, PreparedDrawingIsShownWithoutPaintingAgain) {
  EXPECT_FALSE(surface->PresentAgain({150, 150, 100, 80}, 1.0, SurfaceAnchor::Topmost()));
  surface->Prepare({150, 150, 100, 80}, 1.0, RedAndHalfBlue);
  PumpMessagesFor(0.2);
  EXPECT_FALSE(surface->Visible());
  EXPECT_FALSE(IsWindowVisible(surface->Handle()));
  EXPECT_EQ(BitmapPixel(*surface, 10, 10), 0xFFFF0000u);

  EXPECT_FALSE(surface->PresentAgain({150, 150, 101, 80}, 1.0, SurfaceAnchor::Topmost()));
  EXPECT_FALSE(surface->PresentAgain({150, 150, 100, 80}, 1.5, SurfaceAnchor::Topmost()));
  EXPECT_TRUE(surface->PresentAgain({200, 180, 100, 80}, 1.0, SurfaceAnchor::Topmost()));
  PumpMessagesFor(0.2);
  EXPECT_TRUE(surface->Visible());
  EXPECT_EQ(surface->Bounds(), (Rect{200, 180, 100, 80}));
  EXPECT_TRUE(Near(ScreenPixel(210, 190), {255, 0, 0}));
}

// The bitmap grows with slack and never shrinks, so resizing rarely reallocates; the window
// always has the asked size, at least 1 x 1.
TEST_F(SurfacePresentTest, BitmapOnlyGrowsWithSlack) {
  EXPECT_EQ(surface->Allocated(), (PixelSize{0, 0}));
  struct Step {
    Rect rect;
    PixelSize window;
    PixelSize allocated;
  };
  const Step steps[] = {{{20, 20, 0, 0.2}, {1, 1}, {33, 33}},
                        {{20, 20, 100, 50}, {100, 50}, {132, 82}},
                        {{20, 20, 60, 200}, {60, 200}, {164, 232}},  // both grow
                        {{20, 20, 10, 10}, {10, 10}, {164, 232}}};
  for (const Step& step : steps) {
    surface->Present(step.rect, 1.0, Fill({0, 1, 0, 1}), SurfaceAnchor::Topmost());
    const Rect placed = WindowBounds(surface->Handle());
    EXPECT_EQ((PixelSize{static_cast<int>(placed.width), static_cast<int>(placed.height)}),
              step.window);
    EXPECT_EQ(surface->Allocated(), step.allocated);
  }
  EXPECT_EQ(AlphaOf(BitmapPixel(*surface, 5, 5)), 255);
}

TEST_F(SurfacePresentTest, ScaleMapsUnitsToPixels) {
  double seenWidth = 0, seenHeight = 0;
  surface->Present(
      {0, 0, 300, 150}, 1.5,
      [&](Canvas& canvas, double width, double height) {
        seenWidth = width;
        seenHeight = height;
        canvas.FillRounded({0, 0, 100, 50}, 0, {0, 0, 0, 1});
      },
      SurfaceAnchor::Topmost());
  EXPECT_DOUBLE_EQ(seenWidth, 200);
  EXPECT_DOUBLE_EQ(seenHeight, 100);
  EXPECT_DOUBLE_EQ(surface->Scale(), 1.5);
  // 100 x 50 units cover 150 x 75 pixels.
  EXPECT_EQ(AlphaOf(BitmapPixel(*surface, 148, 73)), 255);
  EXPECT_EQ(AlphaOf(BitmapPixel(*surface, 152, 77)), 0);
}

TEST_F(SurfacePresentTest, ZOrderIsTouchedOnlyWhenNeeded) {
  surface = NewSurface({.topmost = false});  // replaces the one made for every test
  ASSERT_TRUE(surface);
  const Rect rect{200, 200, 120, 90};
  surface->Present(rect, 1.0, Fill({1, 0, 0, 1}), SurfaceAnchor::Top());
  surface->Present(rect, 1.0, Fill({1, 0, 0, 1}), SurfaceAnchor::Top());
  EXPECT_EQ(surface->Placements(), 1);
  PumpMessagesFor(0.2);

  // Another window covers the surface; the next presentation brings it back above.
  PlainWindow cover({150, 150, 400, 400}, RGB(0, 255, 0));
  SetWindowPos(cover.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  PumpMessagesFor(0.2);
  EXPECT_TRUE(Near(ScreenPixel(210, 210), {0, 255, 0}));
  surface->Present(rect, 1.0, Fill({1, 0, 0, 1}), SurfaceAnchor::Top());
  PumpMessagesFor(0.2);
  EXPECT_EQ(surface->Placements(), 2);
  EXPECT_TRUE(Near(ScreenPixel(210, 210), {255, 0, 0}));

  // Slotted directly below a chosen window. (Wine does not restack the X windows for
  // this, so only the system's z-order is checked, not the screen.)
  surface->Present(rect, 1.0, Fill({1, 0, 0, 1}), SurfaceAnchor::Below(ToWindowId(cover.Handle())));
  PumpMessagesFor(0.2);
  EXPECT_EQ(surface->Placements(), 3);
  EXPECT_EQ(GetWindow(surface->Handle(), GW_HWNDPREV), cover.Handle());
}

}  // namespace
}  // namespace tessary::testing
