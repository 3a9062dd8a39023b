// The chooser panel on a simulated surface: its window, live previews (and the icon drawn
// when the system refuses them), clicks and hovering, replacing its choices, and the
// switcher's furniture as it paints it. Keys and the buttons' callbacks are exercised by the
// assist stories.

#include <gtest/gtest.h>

#include "platform/sim/sim_surface.h"
#include "platform/sim/sim_theme_source.h"
#include "surfaces/chooser_panel.h"
#include "surfaces_test_support.h"

namespace tessary {
namespace {

class ChooserPanelTest : public ::testing::Test {
 protected:
  std::vector<ChooserChoice> Choices(int n, std::uint64_t first = 1) {
    std::vector<ChooserChoice> choices;
    for (int i = 0; i < n; ++i) {
      const auto id = first + static_cast<std::uint64_t>(i);
      choices.push_back({WindowId{id}, "Title " + std::to_string(id), "App", IconId{100 + id}});
    }
    return choices;
  }
  bool Make(int n, ChooserConfig config = {.header = "Choose a window for this space",
                                           .primaryText = "Done",
                                           .leaveEmpty = true}) {
    ChooserCallbacks callbacks{
        .choose = [this](WindowId w) { chosen.push_back(w); },
        .hoverPreview = [this](const std::vector<WindowId>& w) { previews.push_back(w); },
    };
    // 948.7 x 512.9 pixels at scale 1 are truncated to the 948 x 512 of a quarter.
    return panel.Create({10.6, 20.2, 948.7, 512.9}, 1.0, Choices(n), std::move(config),
                        std::move(callbacks));
  }
  SimSurface& Surface() { return static_cast<SimSurface&>(*panel.GetSurface()); }

  testing::ManualClock clock;
  SimSurfaceFactory surfaces{&clock};
  SimThemeSource theme;
  ChooserPanel panel{surfaces, theme};
  std::vector<WindowId> chosen;
  std::vector<std::vector<WindowId>> previews;
};

TEST_F(ChooserPanelTest, IsARealWindowWithALivePreviewOnEveryCard) {
  ASSERT_TRUE(Make(4));
  SimSurface& s = Surface();
  // Its class and showing without activation are checked on the real backend.
  EXPECT_EQ(s.Options().kind, SurfaceKind::kWindow);
  EXPECT_EQ(s.Options().title, "Choose a window for this space");
  EXPECT_EQ(s.Bounds(), (Rect{10, 20, 948, 512}));
  ASSERT_EQ(surfaces.Thumbs().Registered().size(), 4u);
  // Card 3's 800 x 600 source in its preview (486, 266, 260, 164).
  const auto& last = surfaces.Thumbs().Registered().rbegin()->second;
  EXPECT_EQ(last.source, WindowId{4});
  EXPECT_EQ(last.destination, s.Window());
  EXPECT_EQ(last.shownAt, (Rect{507, 266, 219, 164}));
  EXPECT_NE(s.LastPaint().FindText("Choose a window for this space"), nullptr);
  EXPECT_NE(s.LastPaint().FindText("Leave empty"), nullptr);
  EXPECT_NE(s.LastPaint().FindText("Done"), nullptr);
  // Only the captions' small icons: the previews are the system's.
  EXPECT_EQ(s.LastPaint().Count(CanvasOpKind::kIcon), 4u);
  // Screen readers hear the cards (named on the real backend too), then the two buttons.
  const std::vector<AccessibleItem>& items = s.Accessible().items;
  ASSERT_EQ(items.size(), 6u);
  EXPECT_EQ(items[4].name, "Leave empty");
  EXPECT_EQ(items[5].role, AccessibleRole::kPushButton);
}

TEST_F(ChooserPanelTest, WithoutLivePreviewsEachCardShowsItsAppIconLargeInThePreviewArea) {
  surfaces.Thumbs().SetRefused(true);
  ASSERT_TRUE(Make(4));
  const Rect preview = panel.Geometry().previews[2];  // 260 x 164
  bool found = false;
  for (const CanvasOp* op : Surface().LastPaint().OfKind(CanvasOpKind::kIcon)) {
    if (op->icon == IconId{103} && op->rect.width == 82) {
      EXPECT_EQ(op->rect, (Rect{preview.x + 89, preview.y + 41, 82, 82}));
      found = true;
    }
  }
  EXPECT_TRUE(found);
}

TEST_F(ChooserPanelTest, ClicksActOnlyWhenPressAndReleaseMeetOnOneItem) {
  ASSERT_TRUE(Make(4));
  SimSurface& s = Surface();
  s.Press(panel.ItemCentre(1));
  s.ReleasePointer(panel.ItemCentre(2));  // dragged off the card
  EXPECT_TRUE(chosen.empty());
  ASSERT_TRUE(s.PressAndRelease(panel.ItemCentre(1)));
  EXPECT_EQ(chosen, (std::vector<WindowId>{WindowId{2}}));
}

TEST_F(ChooserPanelTest, NewChoicesKeepTheFocusWhenItStillFitsElseTheFirstCard) {
  ASSERT_TRUE(Make(5));
  panel.Focus();
  Surface().PressKey(surface_key::kRight);
  Surface().PressKey(surface_key::kRight);
  EXPECT_EQ(panel.FocusIndex(), 2);
  panel.SetChoices(Choices(4, 10));
  EXPECT_EQ(panel.FocusIndex(), 2);
  EXPECT_EQ(surfaces.Thumbs().Registered().size(), 4u);
  EXPECT_EQ(surfaces.Thumbs().Registered().begin()->second.source, WindowId{10});
  panel.SetChoices(Choices(2, 20));
  EXPECT_EQ(panel.FocusIndex(), 0);
  panel.SetChoices({});
  EXPECT_NE(Surface().LastPaint().FindText("No other windows on this display"), nullptr);
}

TEST_F(ChooserPanelTest, HoverShowsTooltipsAndLeadsToAPreviewAfterItsDelay) {
  ASSERT_TRUE(Make(3, {.header = "Window Stack", .primaryText = "Close"}));
  SimSurface& s = Surface();
  // Its own keys are named only once they reach it.
  s.MovePointer(panel.ItemCentre(0));
  EXPECT_EQ(s.Tooltip(), "App\nTitle 1");
  panel.Focus();
  s.MovePointer(panel.ItemCentre(1));
  EXPECT_EQ(panel.Hovered(), 1);
  EXPECT_EQ(s.Tooltip(), "App\nTitle 2\nPress 2");
  EXPECT_EQ(s.TimerPeriod(kHoverPreviewTimerId), 140u);
  surfaces.FireTimer(s, kHoverPreviewTimerId);
  EXPECT_FALSE(s.TimerRunning(kHoverPreviewTimerId));
  s.MovePointer(panel.ItemCentre(chooser_item::kPrimary));
  EXPECT_EQ(s.TimerPeriod(kHoverPreviewTimerId), 60u);
  EXPECT_EQ(s.Tooltip(), "");
  surfaces.FireTimer(s, kHoverPreviewTimerId);
  ASSERT_EQ(previews.size(), 2u);
  EXPECT_EQ(previews[0], (std::vector<WindowId>{WindowId{2}}));
  EXPECT_TRUE(previews[1].empty());
  // Number badges show where "Leave empty" is off.
  EXPECT_NE(s.LastPaint().FindText("3"), nullptr);
}

// The switcher's furniture as the panel paints it.
TEST(ChooserPaint, TabsPagingGroupsStretchAndActionB) {
  ChooserConfig config{.header = "Window Stack",
                       .primaryText = "Close",
                       .groups = {{"Left", {0}, false}, {"Span", {1}, true}},
                       .tabs = {"Halves", "Grid"},
                       .currentTab = 0,
                       .paging = true,
                       .actionB = true,
                       .actionBLabel = "Bring Both Forward",
                       .actionBDone = true,
                       .actionBMiniature = {{{0, 0, 0.5, 1}, IconId{7}}},
                       .current = WindowId{1}};
  const std::vector<ChooserChoice> choices = {{WindowId{1}, "a.txt", "Editor", IconId{5}},
                                              {WindowId{2}, "Shell", "Terminal", IconId{6}}};
  const ChooserGeometry g = LayOutChooser(config, 2, 800, 420);
  const Theme theme = testing::LightTheme();
  RecordingCanvas canvas;
  PaintChooser(canvas, theme,
               {.geometry = &g, .config = &config, .choices = &choices, .hovered = 1}, 800, 420);
  for (const char* text : {"Window Stack", "‹", "›", "2", "Layouts", "1  Halves", "2  Grid", "Left",
                           "Span", "Bring Both Forward", "✓ In front", "✓", "↔", "1", "Close"}) {
    EXPECT_NE(canvas.FindText(text), nullptr) << text;
  }
  EXPECT_EQ(canvas.FindText("Leave empty"), nullptr);
  EXPECT_TRUE(canvas.FindText("1  Halves")->bold);   // the current tab
  EXPECT_FALSE(canvas.FindText("2  Grid")->bold);
  // The stretch button shows on the hovered card of the span group only.
  EXPECT_EQ(canvas.FindText("↔")->rect.x, g.stretch[1].x);
  // The miniature's region carries its icon.
  bool miniatureIcon = false;
  for (const CanvasOp* op : canvas.OfKind(CanvasOpKind::kIcon)) miniatureIcon |= op->icon == IconId{7};
  EXPECT_TRUE(miniatureIcon);
}

}  // namespace
}  // namespace tessary
