// Presentation rules of surfaces: sizes, the growing bitmap, opacity and when the z-order
// is touched.

#include "platform/surface.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tessary {
namespace {

TEST(SurfaceRules, SizesAndOpacity) {
  EXPECT_EQ(SurfacePixelSize({0, 0, 0, 0}), (PixelSize{1, 1}));
  EXPECT_EQ(SurfacePixelSize({0, 0, 99.5, 20.4}), (PixelSize{100, 20}));
  EXPECT_EQ(SurfacePixelSize({0, 0, -30, 1e300}), (PixelSize{1, 1 << 20}));
  const std::pair<double, int> alphas[] = {
      {1, 255}, {0.5, 128}, {7, 255}, {-1, 0}, {std::nan(""), 0}};
  for (auto [opacity, alpha] : alphas) EXPECT_EQ(OpacityToAlpha(opacity), alpha) << opacity;
  // A bitmap that must grow takes 32 pixels of slack beyond what is needed now.
  EXPECT_EQ(GrowBitmapExtent(1, 0), 33);
  EXPECT_EQ(GrowBitmapExtent(200, 132), 232);
  EXPECT_EQ(GrowBitmapExtent(10, 132), 164);
  for (double unusable : {0.0, -1.0, std::nan(""), HUGE_VAL}) {
    EXPECT_EQ(SanitizeScale(unusable), 1.0) << unusable;
  }
  EXPECT_EQ(SanitizeScale(1.5), 1.5);
}

TEST(SurfaceRules, TheZOrderIsTouchedOnlyWhenHiddenReanchoredOrCovered) {
  const WindowId dragged{7};
  const WindowId other{9};
  auto facts = [](SurfaceAnchor last, SurfaceAnchor now, WindowId above, bool aboveTopmost) {
    return ZOrderFacts{true, true, last, now, above, aboveTopmost};
  };
  const auto top = SurfaceAnchor::Top();
  const auto topmost = SurfaceAnchor::Topmost();
  const auto below = SurfaceAnchor::Below(dragged);
  struct Case {
    const char* name;
    ZOrderFacts facts;
    bool place;
  };
  const Case cases[] = {
      {"topmost again", facts(topmost, topmost, other, true), false},
      {"anchor changed", facts(topmost, top, kNoWindow, false), true},
      {"top, nothing above", facts(top, top, kNoWindow, false), false},
      {"top, a topmost window above", facts(top, top, other, true), false},
      {"top, covered by a window", facts(top, top, other, false), true},
      {"below, still there", facts(below, below, dragged, false), false},
      {"below, the window was raised", facts(below, below, other, false), true},
      {"hidden", ZOrderFacts{false, true, topmost, topmost, kNoWindow, false}, true},
      {"hidden behind our back", ZOrderFacts{true, false, topmost, topmost, kNoWindow, false},
       true},
  };
  for (const Case& c : cases) EXPECT_EQ(NeedsZOrderPlacement(c.facts), c.place) << c.name;
}

}  // namespace
}  // namespace tessary
