// The switching effects' Windows side on real windows: their images, and the Direct3D
// overlay drawing every pass over them (under Wine: wined3d on the X display).

#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "transitions/transition_capture.h"
#include "transitions/transition_geometry.h"
#include "win32/surfaces/surface_fixture.h"

namespace tessary::testing {
namespace {

constexpr COLORREF kRed = RGB(220, 30, 40);
constexpr std::uint32_t kGreen = 0xFF20B040;  // the backdrop, 0xAARRGGBB

std::uint32_t Rgb(const PixelImage& image, int x, int y) {
  return image.pixels[static_cast<std::size_t>(y * image.width + x)] & 0xFFFFFF;
}

TEST_F(SurfaceTest, WindowImagesComeFromPrintingTheScreenAndTheWallpaper) {
  WindowImages& images = *Factory().Images();
  PlainWindow plain({100, 100, 300, 220}, kRed);
  PumpMessagesFor(0.3);
  const PixelImage drawn = images.DrawnImage(ToWindowId(plain.Handle()));
  ASSERT_EQ(drawn.width, 200);
  ASSERT_EQ(drawn.height, 120);
  EXPECT_EQ(Rgb(drawn, 100, 60), 0xDC1E28u);
  EXPECT_TRUE(images.DrawnImage(kNoWindow).Empty());

  // Red on the screen, but nothing when printed: the screen is copied instead.
  PlainWindow dark({400, 100, 560, 190}, kRed);
  dark.RefusePrinting();
  PumpMessagesFor(0.3);
  EXPECT_TRUE(LooksAllBlack(images.DrawnImage(ToWindowId(dark.Handle()))));
  CaptureSource source = CaptureSource::kFailed;
  const PixelImage captured =
      CaptureWindow(images, ToWindowId(dark.Handle()), {400, 100, 160, 90}, source);
  ASSERT_EQ(captured.width, 160);
  EXPECT_EQ(Rgb(captured, 80, 45), 0xDC1E28u);

  EXPECT_EQ(images.DesktopImage({0, 0, 64, 32}).pixels.size(), 64u * 32u);
  EXPECT_EQ(images.WallpaperStamp(), images.WallpaperStamp());
}

// The window at (300, 330, 200, 120) in an overlay over `overlay`, as the player sets it.
TransitionUniforms Item(TransitionPass pass, int effect, float progress, const Rect& overlay) {
  const Rect window{300, 330, 200, 120};
  TransitionUniforms uniforms =
      pass == TransitionPass::kCards
          ? CardUniforms(window, overlay, 0, 1, 0)
          : MeshUniforms(window, overlay, DefaultGenieTarget(window, 1), effect,
                         MeshResolutionFor(effect, window, 1));
  uniforms.progress = progress;
  return uniforms;
}

TEST_F(SurfaceTest, TransitionOverlayDrawsEveryPassOverRealWindows) {
  // Its own, not the shared factory's: the device goes before the process exits, as in
  // the program (Wine may hang in a device left to the end of the process).
  Win32TransitionGpu gpu(GetModuleHandleW(nullptr));
  gpu.Warm();
  double warm = -1;
  if (!gpu.Device(warm)) {
    std::printf("NO DIRECT3D DEVICE on this machine: only the instant-switch fallback is tested\n");
    EXPECT_FALSE(gpu.Open({0, 0, 100, 100}));
    EXPECT_EQ(gpu.AddTexture({1, 1, {0}}), -1);
    EXPECT_FALSE(gpu.DrawFrame(TransitionPass::kMesh, -1, {}));
    return;
  }
  EXPECT_GE(warm, 0.0);
  const auto& made = *gpu.Made();
  std::printf("Direct3D device: %ls%s, DirectComposition %s\n", made.adapter.c_str(),
              made.warp ? " (WARP)" : "", made.composition ? "available" : "unavailable");

  PlainWindow red({300, 330, 500, 450}, kRed);
  PumpMessagesFor(0.3);
  const PixelImage image = Factory().Images()->DrawnImage(ToWindowId(red.Handle()));
  const Rect bounds{260, 300, 280, 180};  // the window is at (40, 30) inside
  struct Case {
    TransitionPass pass;
    int effect;
    float progress;
    Bgr centre;  // what the window's centre shows
    bool cleared = false;  // no backdrop: the desktop shows where nothing is drawn
  };
  const Bgr window{220, 30, 40}, backdrop{0x20, 0xB0, 0x40};
  const std::vector<Case> cases = {
      {TransitionPass::kMesh, 1, 0, window}, {TransitionPass::kMesh, 1, 1, backdrop},
      {TransitionPass::kMesh, 2, 0, window}, {TransitionPass::kMesh, 2, 1, backdrop},
      {TransitionPass::kMesh, 3, 0, window}, {TransitionPass::kMesh, 3, 1, backdrop},
      {TransitionPass::kMesh, 4, 0, window}, {TransitionPass::kMesh, 4, 1, backdrop},
      {TransitionPass::kCards, 0, 0, window}, {TransitionPass::kCards, 0, 1, window},
      // The window itself stays under the overlay: gone from the drawing, it shows.
      {TransitionPass::kMesh, 2, 1, window, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "effect " << c.effect << " progress " << c.progress);
    ASSERT_TRUE(gpu.Open(bounds));
    const int texture = gpu.AddTexture(image);
    const int backdropTexture = gpu.AddTexture({4, 4, std::vector<std::uint32_t>(16, kGreen)});
    const int mesh = c.pass == TransitionPass::kMesh ? gpu.AddMesh(BuildMesh(64, 40)) : -1;
    const std::vector<TransitionDraw> draws = {
        {texture, mesh, Item(c.pass, c.effect, c.progress, bounds)}};
    const int under = c.cleared ? -1 : backdropTexture;
    ASSERT_TRUE(gpu.DrawFrame(c.pass, under, draws));
    ASSERT_TRUE(gpu.Show());
    ASSERT_TRUE(gpu.DrawFrame(c.pass, under, draws));
    PumpMessagesFor(0.2);
    EXPECT_TRUE(Near(ScreenPixel(400, 390), c.centre, 6));
    if (!c.cleared) {
      EXPECT_TRUE(Near(ScreenPixel(270, 310), backdrop, 6)) << "the backdrop outside the window";
    }
    gpu.Close();
  }
  // A frame naming what the run does not hold ends the run.
  ASSERT_TRUE(gpu.Open(bounds));
  EXPECT_FALSE(gpu.DrawFrame(TransitionPass::kMesh, -1, {{0, 0, {}}}));
  EXPECT_FALSE(gpu.Overlay().IsOpen());
  gpu.Close();
}

}  // namespace
}  // namespace tessary::testing
