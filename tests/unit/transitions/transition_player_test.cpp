// The player: frame 0, the overlay shown, the swap once, frames until the effect's end,
// the overlay closed; and every failure before the overlay shows leaving the swap to the
// caller.

#include <gtest/gtest.h>

#include "platform/sim/sim_transitions.h"
#include "support/manual_clock.h"
#include "transitions/transition_catalogue.h"
#include "transitions/transition_timing.h"
#include "transitions/transitions.h"

namespace tessary {
namespace {

class TransitionPlayerTest : public ::testing::Test {
 protected:
  Transitions Player() {
    return Transitions(&gpu, clock, [] { return std::nullopt; });
  }
  static std::vector<TransitionItem> Items(int count) {
    std::vector<TransitionItem> items;
    for (int i = 0; i < count; ++i) {
      items.push_back({PixelImage{2, 2, std::vector<std::uint32_t>(4, 0xFF112233u)},
                       Rect{100.0 + 200 * i, 100, 400, 300}, std::nullopt});
    }
    return items;
  }

  testing::ManualClock clock;
  SimTransitionGpu gpu{&clock};
  int swaps = 0;
  std::function<void()> swap = [this] { ++swaps; };
};

// Which window is drawn, the effect's number and the run's length: the switching stories;
// frame 0 before the reveal: the failures below. Here: the eased progress from frame 0, the
// swap at the reveal, the union of the items, the display's scale, the mesh size and the
// linear turn of the cards.
TEST_F(TransitionPlayerTest, MeshesEaseAndCardsTurnLinearlyFromFrameZero) {
  double swappedAt = -1;
  Transitions player = Player();
  ASSERT_TRUE(player.Run(TransitionIndex("genie"), Items(2), 2.0, [&] { swappedAt = clock.now; }));
  const SimTransitionRun& run = gpu.Runs()[0];
  EXPECT_EQ(run.bounds, (Rect{100, 100, 600, 300}));
  EXPECT_FLOAT_EQ(run.frames[0].draws[0].uniforms.target[0], 0.425f);  // 230 px left of the edge
  EXPECT_EQ(run.meshes[0].columns, 64);
  ASSERT_GE(run.frames.size(), 2u);
  for (const SimTransitionRun::Frame& frame : run.frames) {
    const double t = std::min((frame.time - run.shownAt) / 0.5, 1.0);
    EXPECT_NEAR(frame.draws[0].uniforms.progress, MeshProgress(t), 1e-5);
  }
  EXPECT_EQ(swappedAt, run.shownAt);
  EXPECT_EQ(run.frames.back().backdrop, -1);
  EXPECT_EQ(run.closedAt, run.frames.back().time);

  const PixelImage backdrop{4, 4, std::vector<std::uint32_t>(16, kSimWallpaperPixel)};
  ASSERT_TRUE(player.RunCards(Items(3), 2, backdrop, swap));
  const SimTransitionRun& cards = gpu.Runs()[1];
  EXPECT_EQ(cards.textures[0].firstPixel, kSimWallpaperPixel);
  EXPECT_EQ(cards.frames.back().backdrop, 0);
  EXPECT_EQ(cards.frames.back().draws[2].mesh, -1);
  for (const SimTransitionRun::Frame& frame : cards.frames) {
    const double t = std::min((frame.time - cards.shownAt) / 0.55, 1.0);
    EXPECT_NEAR(frame.draws[0].uniforms.progress, t, 1e-5);
  }
}

TEST_F(TransitionPlayerTest, TheSlowdownIsReadOnce) {
  int reads = 0;
  Transitions player(&gpu, clock, [&reads] {
    ++reads;
    return std::optional<std::string>("2");
  });
  ASSERT_TRUE(player.Run(TransitionIndex("genie"), Items(1), 1.0, swap));
  ASSERT_TRUE(player.RunCards(Items(2), 0, {}, swap));
  EXPECT_EQ(reads, 1);
}

TEST_F(TransitionPlayerTest, TheSafetyBoundEndsARunWhoseSwapTookTooLong) {
  Transitions player = Player();
  ASSERT_TRUE(player.Run(TransitionIndex("melt"), Items(1), 1.0, [&] { clock.now += 1.6; }));
  const SimTransitionRun& run = gpu.Runs()[0];
  EXPECT_EQ(run.frames.size(), 2u);  // frame 0, then one frame past the bound
  EXPECT_LT(run.frames.back().draws[0].uniforms.progress, 1.0f);
  EXPECT_GE(run.closedAt, 0);
}

TEST_F(TransitionPlayerTest, AFrameFailingAfterTheRevealEndsTheRunWithTheSwapDone) {
  gpu.FailFramesFrom(1);
  Transitions player = Player();
  EXPECT_TRUE(player.Run(TransitionIndex("disintegrate"), Items(1), 1.0, swap));
  EXPECT_EQ(swaps, 1);
  EXPECT_EQ(gpu.Runs()[0].frames.size(), 1u);
  // Closed at the failed frame, not at the effect's end.
  EXPECT_GE(gpu.Runs()[0].closedAt, 0);
  EXPECT_LT(gpu.Runs()[0].closedAt - gpu.Runs()[0].shownAt, 0.1);
}

// No device at all is checked by the switching stories too.
TEST_F(TransitionPlayerTest, EveryFailureBeforeTheRevealLeavesTheSwapToTheCaller) {
  struct Case {
    const char* what;
    std::function<void(SimTransitionGpu&)> fail;
    int items;
    int effect;
  };
  const Case cases[] = {
      {"no items", [](SimTransitionGpu&) {}, 0, 2},
      {"not a mesh effect", [](SimTransitionGpu&) {}, 1, 0},
      {"no overlay", [](SimTransitionGpu& g) { g.SetOpenFails(true); }, 1, 2},
      {"second texture", [](SimTransitionGpu& g) { g.FailTexture(1); }, 2, 4},
      {"not shown", [](SimTransitionGpu& g) { g.SetShowFails(true); }, 1, 5},
      {"frame 0", [](SimTransitionGpu& g) { g.FailFramesFrom(0); }, 1, 2},
  };
  for (const Case& c : cases) {
    SimTransitionGpu failing{&clock};
    c.fail(failing);
    Transitions player(&failing, clock, [] { return std::nullopt; });
    swaps = 0;
    EXPECT_FALSE(player.Run(c.effect, Items(c.items), 1.0, swap)) << c.what;
    EXPECT_EQ(swaps, 0) << c.what;
    EXPECT_FALSE(failing.Running()) << c.what;
    for (const SimTransitionRun& run : failing.Runs()) {
      EXPECT_LT(run.shownAt, 0) << c.what;
      EXPECT_GE(run.closedAt, 0) << c.what;
    }
  }
  Transitions none(nullptr, clock, nullptr);
  EXPECT_FALSE(none.RunCards(Items(2), 0, {}, swap));
  EXPECT_EQ(swaps, 0);
}

}  // namespace
}  // namespace tessary
