// Switching effects on the simulated desktop: stepping through a stack plays the effect
// chosen in the settings around the real change, and every effect that cannot play
// leaves an instant switch.

#include "engine_fixture.h"
#include "platform/sim/sim_transitions.h"

namespace tessary {
namespace {

class TransitionsTest : public EngineTest {
 protected:
  TransitionsTest() { switchingEffects = true; }
  // Two windows sharing the right half: `back` behind, `front` in the foreground.
  void StackOfTwo(const std::string& effect) {
    StartWith("halves");
    right = Region(1);
    back = PlacedAt(right);
    front = PlacedAt(right);
    engine->ApplyStackSwitches({.transition = effect});
    // At the reveal and at the end of a run: who is in front, and how often the program
    // asked for the foreground until then.
    surfaces.Gpu().OnShowAndClose([this](bool shown) {
      std::pair<WindowId, int>& seen = shown ? atShow : atClose;
      seen.first = desk.Foreground();
      seen.second = desk.Calls("SetForeground");
    });
  }
  const std::vector<SimTransitionRun>& Runs() { return surfaces.Gpu().Runs(); }

  Rect right;
  WindowId back{}, front{};
  std::pair<WindowId, int> atShow, atClose;
};

TEST_F(TransitionsTest, SteppingPlaysEachEffectAroundOneSwap) {
  struct Case {
    const char* key;
    TransitionPass pass;
    float effect;        // the mesh pass's number
    std::size_t images;  // textures: the leaving window, or both cards and the wallpaper
    double seconds;
  };
  const Case cases[] = {
      {"genie", TransitionPass::kMesh, 1, 1, 0.5},
      {"tornado", TransitionPass::kMesh, 2, 1, 0.5},
      {"disintegrate", TransitionPass::kMesh, 3, 1, 0.5},
      {"melt", TransitionPass::kMesh, 4, 1, 0.5},
      {"cards", TransitionPass::kCards, 0, 3, 0.55},
  };
  StackOfTwo("shuffle");
  for (const Case& c : cases) {
    engine->ApplyStackSwitches({.transition = c.key});
    const WindowId leaving = desk.Foreground();
    const WindowId coming = leaving == front ? back : front;
    const int asked = desk.Calls("SetForeground");
    ASSERT_TRUE(engine->StepStack(+1)) << c.key;
    const SimTransitionRun& run = Runs().back();
    EXPECT_EQ(run.bounds, right) << c.key;
    EXPECT_EQ(run.textures.size(), c.images) << c.key;
    // The window that was in front is drawn as it drew itself.
    const std::size_t leavingTexture = c.images == 3 ? 1 : 0;
    EXPECT_EQ(run.textures[leavingTexture].firstPixel, SimDrawnPixel(leaving)) << c.key;
    EXPECT_EQ(run.frames.back().pass, c.pass) << c.key;
    EXPECT_EQ(run.frames.back().draws[0].uniforms.effect, c.effect) << c.key;
    EXPECT_EQ(run.frames.back().draws[0].uniforms.progress, 1.0f) << c.key;
    // The swap happened once, after the reveal and before the overlay went.
    EXPECT_EQ(atShow, std::make_pair(leaving, asked)) << c.key;
    EXPECT_EQ(atClose, std::make_pair(coming, asked + 1)) << c.key;
    EXPECT_EQ(desk.Calls("SetForeground"), asked + 1) << c.key;
    EXPECT_NEAR(run.closedAt - run.shownAt, c.seconds, 1.5 * SimDesktop::FramePeriod()) << c.key;
  }
  EXPECT_TRUE(Logged("perf fx-Melt total="));
  EXPECT_TRUE(Logged("perf switch-3D Cards total="));
}

// The switcher warms the device for the run to come. Every way the player can fail before
// the reveal ends the same way (the player's own tests walk them); here the engine must then
// make the switch itself, at once.
TEST_F(TransitionsTest, SlowdownStretchesTheRunAndWithoutADeviceTheSwitchIsInstant) {
  desk.SetEnvironment("TESSARY_TRANSITION_SLOWDOWN", "4");
  StackOfTwo("genie");
  ASSERT_TRUE(engine->ShowSwitcher(front));
  EXPECT_TRUE(surfaces.Gpu().Warmed());
  engine->DestroySwitcher();
  ASSERT_TRUE(engine->StepStack(+1));
  EXPECT_NEAR(Runs().back().closedAt - Runs().back().shownAt, 2.0, 1.5 * SimDesktop::FramePeriod());
  EXPECT_TRUE(Logged("perf gpu-warm ms=42.5 (made off the UI thread)"));

  surfaces.Gpu().SetDeviceFails(true);
  const std::size_t runs = Runs().size();
  const double before = desk.Now();
  ASSERT_TRUE(engine->StepStack(+1));
  EXPECT_EQ(desk.Foreground(), front);
  EXPECT_EQ(desk.Now(), before);
  for (std::size_t i = runs; i < Runs().size(); ++i) EXPECT_LT(Runs()[i].shownAt, 0);
}

// Which image a window yields is the capture's business; a window that yields none at all
// is left out of the run, and only the coming card is drawn.
TEST_F(TransitionsTest, AWindowWithoutAnImageIsLeftOut) {
  StackOfTwo("cards");
  SimWindowImages& images = surfaces.WindowPictures();
  images.SetDrawing(front, SimWindowImages::Drawing::kFails);
  images.SetScreenFails(true);
  ASSERT_TRUE(engine->StepStack(+1));
  ASSERT_EQ(Runs().back().textures.size(), 2u);  // the wallpaper and one card
  EXPECT_EQ(Runs().back().frames.back().draws.size(), 1u);
  EXPECT_EQ(Runs().back().frames.back().draws[0].uniforms.card[2], 0.0f);
  EXPECT_EQ(desk.Foreground(), back);
}

TEST_F(TransitionsTest, ASpanSentBehindLeavesUnderTheEffect) {
  StackOfTwo("melt");
  const WindowId beside = PlacedIn(0);
  const Rect both = *SpanBounds({0, 1}, Regions("halves", kPrimaryWork));
  const WindowId span = PlacedAt(both);
  ASSERT_TRUE(engine->SendSpanBehind(kNoWindow));
  ASSERT_EQ(Runs().size(), 1u);
  EXPECT_EQ(Runs()[0].bounds, both);
  ASSERT_EQ(Runs()[0].textures.size(), 1u);
  EXPECT_EQ(Runs()[0].textures[0].firstPixel, SimDrawnPixel(span));
  EXPECT_EQ(Runs()[0].frames.back().draws[0].uniforms.effect, 4.0f);
  EXPECT_LT(ZIndex(beside), ZIndex(span));
}

TEST_F(TransitionsTest, AnUnknownEffectPlaysTheSlide) {
  StackOfTwo("wobble");
  const int moves = desk.Calls("SetPosition");
  ASSERT_TRUE(engine->StepStack(+1));
  EXPECT_TRUE(Runs().empty());
  EXPECT_GT(desk.Calls("SetPosition"), moves + 10);  // it went out and came back
  EXPECT_EQ(desk.Foreground(), back);
  EXPECT_EQ(desk.Frame(back), right);
  EXPECT_TRUE(Logged("perf slide total="));
  EXPECT_TRUE(Logged("perf switch-Slide total="));
  // Activation refused once the slide has taken its time: the window still comes forward.
  desk.SetForegroundLock(true);
  ASSERT_TRUE(engine->StepStack(+1));
  EXPECT_LT(ZIndex(front), ZIndex(back));
}

}  // namespace
}  // namespace tessary
