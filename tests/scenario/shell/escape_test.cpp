// Escape during a drag: taken when the drag had a picker up, given back otherwise.

#include "shell_fixture.h"

namespace tessary::testing {
namespace {

class EscapeTest : public RunningShellTest {
 protected:
  void SetUp() override {
    RunningShellTest::SetUp();
    window = AddApp({300, 300, 800, 600});
    Run(0.05);
  }

  WindowId window{};
};

TEST_F(EscapeTest, WithThePickerUpEscapeClosesItAndWithoutItReachesTheDragAsOnePressAndRelease) {
  DragTo(window, {600, 310}, {960, 4}, 20);
  ASSERT_TRUE(Coord().DragActive());
  ASSERT_TRUE(Coord().GetPicker().Visible());
  desk.TapKey(Key::kEscape);
  Run(0.05);
  EXPECT_FALSE(Coord().GetPicker().Visible());
  EXPECT_TRUE(desk.InjectedKeys().empty());
  EXPECT_TRUE(desk.KeysReceived(window).empty());
  // The system's move loop did not get it either: the drag goes on.
  ASSERT_TRUE(desk.Dragging());

  // Down in the middle of the display, without a picker.
  for (int i = 1; i <= 20; ++i) {
    desk.MoveCursor({960 - 13.0 * i, 4 + 24.8 * i});
    Run(0.016);
  }
  ASSERT_TRUE(Coord().DragActive());
  ASSERT_FALSE(Coord().GetPicker().Visible());
  desk.TapKey(Key::kEscape);
  Run(0.05);
  ASSERT_EQ(desk.InjectedKeys().size(), 2u);
  EXPECT_EQ(desk.InjectedKeys()[0].key, Key::kEscape);
  EXPECT_FALSE(desk.InjectedKeys()[0].release);
  EXPECT_TRUE(desk.InjectedKeys()[0].injected);
  EXPECT_EQ(desk.InjectedKeys()[1].key, Key::kEscape);
  EXPECT_TRUE(desk.InjectedKeys()[1].release);
  // The system's move loop took it: the drag was cancelled and the window went back.
  EXPECT_FALSE(desk.Dragging());
  EXPECT_EQ(desk.Frame(window), (Rect{300, 300, 800, 600}));
  // The watch is off: a later Escape outside a drag reaches the app as usual.
  Run(0.1);
  const std::size_t before = desk.KeysReceived(window).size();
  desk.TapKey(Key::kEscape);
  Run(0.02);
  ASSERT_EQ(desk.KeysReceived(window).size(), before + 2);
  EXPECT_FALSE(desk.KeysReceived(window).back().injected);
  EXPECT_EQ(desk.InjectedKeys().size(), 2u);
}

}  // namespace
}  // namespace tessary::testing
