// The switching effects' numbers: meshes, constants, easing, the slowdown variable, the
// all-black test of captured images and the reuse of the wallpaper.

#include <gtest/gtest.h>

#include "platform/sim/sim_transitions.h"
#include "transitions/transition_capture.h"
#include "transitions/transition_catalogue.h"
#include "transitions/transition_geometry.h"
#include "transitions/transition_timing.h"

namespace tessary {
namespace {

TEST(TransitionRules, MeshResolutionOfEachEffect) {
  struct Case {
    int effect;
    Rect window;
    double scale;
    MeshResolution expected;
  };
  const Case cases[] = {
      {MeshEffectNumber(TransitionIndex("genie")), {0, 0, 300, 200}, 1, {64, 40, 0}},
      {MeshEffectNumber(TransitionIndex("tornado")), {0, 0, 3000, 2000}, 2, {64, 40, 0}},
      {MeshEffectNumber(TransitionIndex("melt")), {0, 0, 800, 600}, 1, {160, 60, 0}},
      // Disintegrate: one cell per 12 units, within 60..220 by 40..160.
      {kMeshDisintegrate, {0, 0, 1206, 726}, 1, {101, 61, 4}},
      {kMeshDisintegrate, {0, 0, 2412, 1452}, 2, {101, 61, 4}},
      {kMeshDisintegrate, {0, 0, 400, 300}, 1, {60, 40, 4}},
      {kMeshDisintegrate, {0, 0, 3840, 2160}, 1, {220, 160, 4}},
      {kMeshDisintegrate, {0, 0, 1200, 720}, 0, {100, 60, 4}},  // no scale: 1
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MeshResolutionFor(c.effect, c.window, c.scale), c.expected)
        << c.effect << " " << c.window.width << "x" << c.window.height;
  }
  EXPECT_EQ(MeshEffectNumber(TransitionIndex("cards")), 0);
}

TEST(TransitionRules, MeshIsAGridOfTwoTrianglesPerCell) {
  const TransitionMesh mesh = BuildMesh(64, 40);
  EXPECT_EQ(mesh.vertices.size(), 65u * 41u);
  EXPECT_EQ(mesh.indices.size(), 64u * 40u * 6u);
  const TransitionMesh::Vertex last = mesh.vertices.back();
  EXPECT_EQ(last.x, 1.0f);
  EXPECT_EQ(last.v, 1.0f);
  EXPECT_EQ(mesh.indices.back(), 65u * 41u - 1);
}

TEST(TransitionRules, MeshEasing) {
  const double t[] = {0, 0.25, 0.5, 0.75, 1};
  const double eased[] = {0, 0.0625, 0.5, 0.9375, 1};
  for (int i = 0; i < 5; ++i) EXPECT_DOUBLE_EQ(MeshProgress(t[i]), eased[i]) << t[i];
}

TEST(TransitionRules, SlowdownVariable) {
  const std::pair<std::optional<std::string>, double> cases[] = {
      {std::nullopt, 1.0},
      {"", 1.0},
      {"0.5", 1.0},
      {"-3", 1.0},
      {"2.5", 2.5},
      {" 3", 3.0},
      {"slow", 1.0},
      {"nan", 1.0},
      {"inf", 1.0},
      {"000000000000008", 8.0},   // 15 characters
      {"0000000000000008", 1.0},  // 16: too long
  };
  for (const auto& [value, factor] : cases) {
    EXPECT_DOUBLE_EQ(ParseSlowdown(value), factor) << value.value_or("(absent)");
  }
}

TEST(TransitionRules, AllBlackTestLooksAtSampledPixelsColourOnly) {
  auto image = [](int width, int height, std::size_t lit, std::uint32_t pixel) {
    PixelImage i{width, height,
                 std::vector<std::uint32_t>(std::size_t(width) * height, 0xFF000000u)};
    if (lit < i.pixels.size()) i.pixels[lit] = pixel;
    return i;
  };
  struct Case {
    PixelImage image;
    bool black;
  };
  const Case cases[] = {
      {PixelImage{}, true},
      {image(100, 100, ~0u, 0), true},                     // opaque black
      {image(100, 100, 0, 0x00000001u), false},            // any colour bit, even transparent
      {image(100, 100, 0, 0xFF000000u), true},             // alpha alone is no colour
      {image(100, 100, 10000 / 997, 0xFFFFFFFFu), false},  // the second sample
      {image(100, 100, 1, 0xFFFFFFFFu), true},             // between samples: not seen
      {image(20, 20, 399, 0xFF0000FFu), false},            // small images are looked at whole
  };
  for (const Case& c : cases) EXPECT_EQ(LooksAllBlack(c.image), c.black);
}

TEST(TransitionRules, GenieTargetAndDeviceRectangle) {
  EXPECT_EQ(DefaultGenieTarget({100, 50, 800, 600}, 1), (Point{785, 66}));
  EXPECT_EQ(DefaultGenieTarget({100, 50, 800, 600}, 1.5), (Point{727.5, 74}));

  const Rect overlay{100, 100, 1000, 500};
  const Rect window{300, 200, 400, 250};
  const TransitionUniforms u = MeshUniforms(window, overlay, {1300, 150}, kMeshDisintegrate,
                                            MeshResolutionFor(kMeshDisintegrate, window, 1));
  const float rect[4] = {-0.6f, 0.6f, 0.8f, 1.0f};
  for (int i = 0; i < 4; ++i) EXPECT_FLOAT_EQ(u.rect[i], rect[i]) << i;
  EXPECT_FLOAT_EQ(u.target[0], 1.0f);  // 2.5 widths to the right: held at the edge
  EXPECT_FLOAT_EQ(u.target[1], -0.2f);
  EXPECT_FLOAT_EQ(MeshUniforms(window, overlay, {300, 700}, kMeshGenie, {}).target[1], 1.0f);
  EXPECT_FLOAT_EQ(u.aspect, 1.6f);
  EXPECT_EQ(u.columns, 60.0f);
  EXPECT_EQ(u.rows, 40.0f);
  EXPECT_EQ(u.seamCount, 4.0f);
  EXPECT_EQ(u.seams[3], kDisintegrateSeams[3]);

  const TransitionUniforms card = CardUniforms(window, overlay, 1, 3, 2);
  EXPECT_FLOAT_EQ(card.rect[0], -0.6f);
  EXPECT_EQ(std::vector<float>(card.card, card.card + 3), (std::vector<float>{1, 3, 2}));
}

// A window that cannot draw itself, or draws nothing but black, is taken from the screen.
// A window left out when the screen fails too is checked by the switching stories.
TEST(TransitionRules, AWindowThatCannotPrintItselfIsTakenFromTheScreen) {
  for (const auto drawing :
       {SimWindowImages::Drawing::kFails, SimWindowImages::Drawing::kAllBlack}) {
    SimWindowImages images;
    const WindowId window{0x40};
    const Rect frame{10, 20, 30, 40};
    images.SetDrawing(window, drawing);
    CaptureSource source = CaptureSource::kDrawn;
    EXPECT_FALSE(CaptureWindow(images, window, frame, source).Empty());
    EXPECT_EQ(source, CaptureSource::kScreen);
    EXPECT_EQ(images.ScreenAreas().back(), frame);
  }
}

TEST(TransitionRules, WallpaperIsReusedForFiveMinutesOnAnUnchangedDisplay) {
  SimWindowImages images;
  BackdropCache cache;
  const Rect display{0, 0, 64, 48};
  cache.For(images, display, 10);
  cache.For(images, display, 309.9);
  EXPECT_EQ(images.DesktopAreas().size(), 1u);
  cache.For(images, display, 310);  // five minutes on
  EXPECT_EQ(images.DesktopAreas().size(), 2u);
  images.ChangeWallpaper();
  cache.For(images, display, 311);
  EXPECT_EQ(images.DesktopAreas().size(), 3u);
  const PixelImage& resized = cache.For(images, {0, 0, 32, 48}, 312);
  EXPECT_EQ(images.DesktopAreas().size(), 4u);
  EXPECT_EQ(resized.width, 32);

  // The part under an overlay, with what lies off the display left clear.
  const PixelImage part = CropImage(resized, {0, 0, 32, 48}, {16, 40, 32, 16});
  EXPECT_EQ(part.width, 32);
  EXPECT_EQ(part.pixels[0], kSimWallpaperPixel);
  EXPECT_EQ(part.pixels[15], kSimWallpaperPixel);
  EXPECT_EQ(part.pixels[16], 0u);
  EXPECT_EQ(part.pixels[8 * 32], 0u);
}

}  // namespace
}  // namespace tessary
