// The window commands: Place, Fill Screen, Put Back and Restore, with their targets.

#include "layout/tree_geometry.h"
#include "shell_fixture.h"

namespace tessary::testing {
namespace {

constexpr Rect kFull{8, 8, 1904, 1024};

class CommandTest : public ShellTest {
 protected:
  void SetUp() override {
    SeenThisVersion();
    StartOrFail();
    window = AddApp({200, 150, 800, 600});
    Pump();
  }
  // The user picks a region of a layout in the picker that Place opened.
  void ChooseInPicker(const std::string& layoutId, int region) {
    Coordinator& c = shell->GetCoordinator();
    const auto catalogue = c.Layouts().LayoutsForDisplay(c.Displays()[0].id);
    int index = -1;
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
      if (catalogue[i].id == layoutId) index = static_cast<int>(i);
    }
    ASSERT_GE(index, 0);
    host.window.Post(main_window_message::kCoordinatorCommand,
                     static_cast<std::uint64_t>(std::int64_t{kCommandPickerChose}),
                     PackPickerChoice(index, region));
    Run(0.05);
  }
  Rect RegionRect(const std::string& layoutId, int region) {
    const SnapLayout* layout = LayoutStore::FindBuiltIn(layoutId);
    return PixelRegionRects(*layout, Rect{0, 0, 1920, 1040}, 8).find(region)->second;
  }

  WindowId window{};
};

TEST_F(CommandTest, FillScreenTwiceReturnsTheWindow) {
  shell->RunCommand(8);
  EXPECT_EQ(desk.Frame(window), kFull);
  shell->RunCommand(8);
  EXPECT_EQ(desk.Frame(window), (Rect{200, 150, 800, 600}));
  EXPECT_EQ(shell->Fills().Count(), 0u);
}

TEST_F(CommandTest, AfterTheUserMovesAFilledWindowFillScreenFillsAgain) {
  shell->RunCommand(8);
  desk.MoveWindow(window, {300, 300, 700, 500});
  Pump();
  shell->RunCommand(8);
  EXPECT_EQ(desk.Frame(window), kFull);
  // ...and the next one goes back to where the user had put it.
  shell->RunCommand(8);
  EXPECT_EQ(desk.Frame(window), (Rect{300, 300, 700, 500}));
}

TEST_F(CommandTest, RestoreGivesBackTheSizeFromBeforeTheProgramMovedIt) {
  shell->RunCommand(10);
  EXPECT_EQ(desk.Beeps(), 1);
  shell->RunCommand(8);
  shell->GetCoordinator().SetPaused(true);
  // Paused, Fill does nothing and says nothing; Restore still works.
  shell->RunCommand(8);
  EXPECT_EQ(desk.Frame(window), kFull);
  EXPECT_EQ(desk.Beeps(), 1);
  shell->RunCommand(10);
  EXPECT_EQ(desk.Frame(window), (Rect{200, 150, 800, 600}));
  EXPECT_EQ(shell->Fills().Count(), 0u);
  // The prior size is forgotten once given back.
  EXPECT_FALSE(shell->GetCoordinator().PriorRectOf(window).has_value());
  shell->RunCommand(10);
  EXPECT_EQ(desk.Frame(window), (Rect{200, 150, 800, 600}));
  EXPECT_EQ(desk.Beeps(), 2);
}

TEST_F(CommandTest, PlaceThenPutBackAfterTheUserMovedIt) {
  shell->RunCommand(0);
  ASSERT_TRUE(shell->GetCoordinator().GetPicker().Visible());
  EXPECT_EQ(shell->GetCoordinator().PickerTargetWindow(), window);
  ChooseInPicker("halves", 1);
  const Rect right = RegionRect("halves", 1);
  EXPECT_EQ(desk.Frame(window), right);
  ASSERT_TRUE(shell->GetCoordinator().PlacementOf(window).has_value());

  const WindowId cover = AddApp({900, 100, 900, 800});
  desk.MoveWindow(window, {100, 100, 700, 500});
  Pump();
  desk.Activate(window);
  Pump();
  shell->RunCommand(9);
  EXPECT_EQ(desk.Frame(window), right);
  EXPECT_GT(shell->GetCoordinator().RefreshDeadline(), 0);
  (void)cover;
}

TEST_F(CommandTest, PutBackWithoutARecordBeeps) {
  shell->RunCommand(9);
  EXPECT_EQ(desk.Beeps(), 1);
  EXPECT_EQ(desk.Frame(window), (Rect{200, 150, 800, 600}));
}

TEST_F(CommandTest, CommandsWithoutAUsableTargetBeep) {
  const WindowId tool = desk.AddWindow({.className = "ToolPalette",
                                        .frame = {50, 50, 300, 300},
                                        .exStyle = window_ex_style::kToolWindow});
  Pump();
  ASSERT_EQ(desk.Foreground(), tool);
  shell->RunCommand(0);
  shell->RunCommand(8);
  EXPECT_EQ(desk.Beeps(), 2);
  EXPECT_FALSE(shell->GetCoordinator().GetPicker().Visible());
  EXPECT_EQ(desk.Frame(tool), (Rect{50, 50, 300, 300}));
}

TEST_F(CommandTest, PausedPlaceAndPutBackDoNothing) {
  shell->GetCoordinator().SetPaused(true);
  shell->RunCommand(0);
  shell->RunCommand(9);
  EXPECT_EQ(desk.Beeps(), 0);
  EXPECT_FALSE(shell->GetCoordinator().GetPicker().Visible());
}

TEST_F(CommandTest, OutOfRangeCommandsAreIgnored) {
  shell->RunCommand(11);
  shell->RunCommand(-1);
  EXPECT_EQ(desk.Beeps(), 0);
  EXPECT_EQ(desk.Frame(window), (Rect{200, 150, 800, 600}));
}

}  // namespace
}  // namespace tessary::testing
