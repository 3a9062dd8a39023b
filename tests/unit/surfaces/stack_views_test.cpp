// The views of a stack: the badge (its parts, where it stands, what a pointer hits, how it
// paints and grows) and the stack overview (its card layout, selection and labels, and the
// view on a simulated surface: keys and clicks reaching its callbacks, its opening and
// closing, and the app's icon standing in for a preview the system refuses).

#include <gtest/gtest.h>

#include <cmath>

#include "surfaces/badge_paint.h"
#include "surfaces/badge_view.h"
#include "surfaces/stack_overview_view.h"
#include "surfaces_test_support.h"

namespace tessary {
namespace {

BadgeContent Members(int count, int maxShown = 6, int groupCount = 0) {
  BadgeContent content;
  for (int i = 0; i < count; ++i) {
    content.icons.push_back({static_cast<WindowId>(100 + i), static_cast<IconId>(500 + i), 0});
  }
  content.maxShown = maxShown;
  content.groupCount = groupCount;
  return content;
}

TEST(BadgeGeometry, SizesAndPartsSmallAndGrown) {
  struct Case {
    int count, maxShown, group;
    double growth, height;
    Rect secondIcon;
    int hidden;
  };
  const Case cases[] = {
      // Nine members, six shown: the strip ends in "+3".
      {9, 6, 0, 1, 5 * 12 + 6 * 24 + 20 + 12 + 22 + 12, {6, 58, 24, 24}, 3},
      {9, 6, 0, 0, 5 * 3 + 6 * 14 + 8 + 15.4 + 3, {4, 21, 14, 14}, 3},
      // Two covered fronts: their button adds q + 22 and pushes the later icons down.
      {3, 6, 2, 1, 2 * 12 + 3 * 24 + 20 + 12 + 34, {6, 58, 24, 24}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    const BadgeParts parts = LayOutBadge(Members(c.count, c.maxShown, c.group), c.growth);
    EXPECT_DOUBLE_EQ(parts.width, c.growth == 1 ? 36 : 22);
    EXPECT_NEAR(parts.height, c.height, 1e-9);
    EXPECT_EQ(parts.icons.at(1), c.secondIcon);
    EXPECT_EQ(parts.hiddenCount, c.hidden);
    EXPECT_EQ(parts.overflowButton.has_value(), c.hidden > 0);
  }
  const BadgeParts grouped = LayOutBadge(Members(3, 6, 2), 1);
  EXPECT_EQ(grouped.groupButton, (Rect{7, 94, 22, 22}));
  EXPECT_EQ(grouped.icons[2], (Rect{6, 22 + 2 * 36 + 34, 24, 24}));
}

TEST(BadgeGeometry, HitTestingGrowsTheTargets) {
  const BadgeContent content = Members(8, 6, 0);
  const BadgeParts grown = LayOutBadge(content, 1);
  EXPECT_EQ(HitTestBadge(grown, {18, 34}, 1, false), (BadgeHit{BadgePart::kIcon, 0}));
  // 6 units above the second icon still hits it when grown, 3 when not.
  EXPECT_EQ(HitTestBadge(grown, {18, 52.5}, 1, false), (BadgeHit{BadgePart::kIcon, 1}));
  EXPECT_EQ(HitTestBadge(grown, {18, 10}, 1, false), (BadgeHit{BadgePart::kGrip, -1}));
  // Small, the grip is no handle and an icon reaches only 3 units above itself.
  EXPECT_EQ(HitTestBadge(LayOutBadge(content, 0), {11, 0.5}, 0, false), BadgeHit{});
  EXPECT_EQ(HitTestBadge(LayOutBadge(content, 0), {11, 1.5}, 0, false),
            (BadgeHit{BadgePart::kIcon, 0}));
  const Rect overflow = *grown.overflowButton;
  EXPECT_EQ(HitTestBadge(grown, {18, overflow.Bottom() + 2}, 1, false),
            (BadgeHit{BadgePart::kOverflow, -1}));
}

TEST(BadgeGeometry, OriginOnTheEdgeFloatingAndRemembered) {
  const Rect frame{100, 200, 800, 600};
  const Rect work{0, 0, 1920, 1040};
  auto origin = [&](BadgeAnchor anchor) {
    anchor.frame = anchor.frame.IsEmpty() ? frame : anchor.frame;
    anchor.work = work;
    return BadgeOrigin(anchor, 22, 100, 1);
  };
  // On the edge at scales 1 and 1.5, and floating, the stack stories check it; here the limits.
  EXPECT_EQ(origin({.frame = {5, 200, 800, 600}, .onEdge = true}), (Point{0, 244}));
  EXPECT_EQ(origin({.onEdge = false, .spot = BadgeSpot{true, 50, 300}}), (Point{850, 500}));
  // Kept 4 px inside the frame.
  EXPECT_EQ(origin({.onEdge = false, .spot = BadgeSpot{false, 2000, 1000}}), (Point{874, 696}));
  EXPECT_EQ(SpotFor({850, 500, 36, 100}, frame), (BadgeSpot{true, 50, 300}));
}

TEST(BadgePaint, BodyAndSpanBarFollowTheGrowth) {
  const Theme theme = testing::LightTheme();
  BadgeContent content = Members(2);
  content.icons[0].widthUnits = 2;  // spans two columns behind a one-column front
  content.icons[1].widthUnits = 1;
  for (double g : {0.0, 1.0}) {
    SCOPED_TRACE(g);
    const BadgeParts parts = LayOutBadge(content, g);
    RecordingCanvas canvas;
    PaintBadge(canvas, theme, {.content = &content, .parts = &parts, .growth = g});
    const std::vector<CanvasOp>& ops = canvas.Ops();
    ASSERT_GE(ops.size(), 2u);
    EXPECT_EQ(ops[0].rect, (Rect{0, 0, parts.width, parts.height}));
    EXPECT_DOUBLE_EQ(ops[0].radius, parts.width / 2);
    EXPECT_DOUBLE_EQ(ops[0].color.a, 0.82 + 0.15 * g);
    EXPECT_DOUBLE_EQ(ops[1].color.a, 0.08 + 0.08 * g);
    EXPECT_DOUBLE_EQ(ops[1].width, 0.5);
    std::vector<std::string> glyphs;
    std::vector<Rect> bars;
    for (const CanvasOp& op : ops) {
      if (op.kind == CanvasOpKind::kLabel) glyphs.push_back(op.text);
      if (op.kind == CanvasOpKind::kFillRounded && op.color == theme.accent) bars.push_back(op.rect);
    }
    ASSERT_EQ(bars.size(), 2u);
    const Rect& icon = parts.icons[0];
    const double b = 5 * g + 3, d = b >= 6 ? 2 : 1;
    EXPECT_EQ(bars[0], (Rect{std::round(icon.x - d), std::round(icon.Bottom() - 0.55 * b),
                             std::round(icon.width + 2 * d), std::round(b)}));
    EXPECT_EQ(glyphs, g >= 0.7 ? (std::vector<std::string>{"\u2194", "\u2195"})
                               : std::vector<std::string>{});
  }
}

TEST(BadgeView, GrowsNearThePointerShrinksBackFromWhereItIsAndOnlyItsIconsAct) {
  testing::SimView<Badge> f("Tessary stack badge");
  Badge& badge = f.view;
  std::vector<WindowId> broughtForward;
  badge.SetCallbacks({.bringForward = [&](WindowId w) { broughtForward.push_back(w); }});
  badge.Update(static_cast<WindowId>(1), Members(8),
               {{400, 100, 800, 800}, {0, 0, 1920, 1040}, true, {}}, 1, kNoWindow, true);
  f.Advance(0.3);
  ASSERT_TRUE(f.surface->Visible());
  EXPECT_EQ(badge.Fade(), 1);
  EXPECT_DOUBLE_EQ(f.surface->Opacity(), 0.5);

  badge.TrackPointer({395, 150});
  f.Advance(0.08);  // half of 0.16 s
  EXPECT_NEAR(badge.Growth(), 1 - std::pow(0.5, 3), 1e-9);
  badge.TrackPointer({100, 900});
  f.Advance(0.1);  // half of 0.2 s, from 0.875
  EXPECT_NEAR(badge.Growth(), 0.875 * std::pow(0.5, 3), 1e-9);
  badge.TrackPointer({395, 150});
  f.Advance(0.2);
  EXPECT_EQ(badge.Growth(), 1);
  EXPECT_DOUBLE_EQ(f.surface->Opacity(), 1);
  EXPECT_EQ(f.surface->Bounds(), (Rect{382, 144, 36, 270}));

  // Grown, the overflow is greyed until it leads somewhere, and only icons bring windows
  // forward (a click on one doing so: the stack stories).
  const Rect b = badge.Bounds();
  const Rect overflow = *badge.Parts().overflowButton;
  ASSERT_TRUE(f.surface->Click({b.x + 18, b.y + overflow.y + 5}));
  ASSERT_TRUE(f.surface->RightClick({b.x + 18, b.y + 40}));
  EXPECT_TRUE(broughtForward.empty());
  f.surface->MovePointer({b.x + 18, b.y + overflow.y + 5});
  EXPECT_EQ(f.surface->LastPaint().FindText("+2")->color, f.colours.secondaryText);
}

TEST(BadgeView, EachPartUnderThePointerSaysWhatItDoes) {
  testing::SimView<Badge> f("Tessary stack badge");
  Badge& badge = f.view;
  badge.SetCallbacks({.showWholeStack = [] {}});
  BadgeContent content = Members(4, 3, 2);
  content.icons[0].name = "Mail";
  content.icons[1] = {content.icons[1].window, kNoIcon, 2, "Notes"};
  content.icons[2] = {content.icons[2].window, kNoIcon, 1, "Photos"};
  content.groupLabel = "Bring Mail and Notes Forward";
  BadgeAnchor anchor{{400, 100, 800, 800}, {0, 0, 1920, 1040}, false, {}};
  badge.Update(static_cast<WindowId>(1), content, anchor, 1.5, kNoWindow, true);
  badge.TrackPointer({420, 200});
  f.Advance(0.3);
  ASSERT_EQ(badge.Growth(), 1);
  // A part's rectangle on the desktop.
  auto onDesktop = [&](const Rect& r) {
    const Rect b = badge.Bounds();
    return Rect{b.x + r.x * 1.5, b.y + r.y * 1.5, r.width * 1.5, r.height * 1.5};
  };
  const BadgeParts parts = badge.Parts();
  struct Case {
    Rect part;
    const char* tooltip;
    const char* spoken;  // its name for screen readers; null: the mouse's alone
  };
  const Case cases[] = {
      {parts.grip, "Drag to move the badge", nullptr},
      {parts.icons[0], "Mail", "Mail"},
      {parts.icons[1], "Notes\nSpans 2 columns", "Notes, Spans 2 columns"},
      {*parts.groupButton, "Bring Them Forward", "Bring Mail and Notes Forward"},
      {parts.icons[2], "Photos\nSpans the whole column", "Photos, Spans the whole column"},
      {*parts.overflowButton, "Show the Whole Stack", "Show the Whole Stack"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.tooltip);
    ASSERT_TRUE(f.surface->MovePointer(testing::Centre(onDesktop(c.part))));
    EXPECT_EQ(f.surface->Tooltip(), c.tooltip);
    EXPECT_EQ(f.surface->TooltipItem(), onDesktop(c.part));
    const AccessibleItem* focused = f.surface->Accessible().Focused();
    ASSERT_EQ(focused != nullptr, c.spoken != nullptr);
    if (focused) {
      EXPECT_EQ(*focused, (AccessibleItem{c.spoken, AccessibleRole::kPushButton, onDesktop(c.part)}));
    }
  }
  EXPECT_EQ(f.surface->Accessible().items.size(), 5u);
  // A badge standing on the edge goes back when dragged: its grip promises nothing.
  anchor.onEdge = true;
  badge.Update(static_cast<WindowId>(1), content, anchor, 1.5, kNoWindow, true);
  ASSERT_TRUE(f.surface->MovePointer(testing::Centre(onDesktop(parts.grip))));
  EXPECT_EQ(badge.Hovered().part, BadgePart::kGrip);
  EXPECT_EQ(f.surface->Tooltip(), "");
  f.surface->MovePointer(testing::Centre(onDesktop(parts.icons[0])));
  EXPECT_EQ(f.surface->Tooltip(), "Mail");
  // Leaving the badge takes the tooltip down.
  badge.TrackPointer({1000, 900});
  EXPECT_EQ(f.surface->Tooltip(), "");
  // Hidden and shown again (small now), the same icon still has its tooltip.
  f.surface->MovePointer(testing::Centre(onDesktop(parts.icons[0])));
  badge.Hide();
  f.Advance(0.2);
  badge.Update(static_cast<WindowId>(1), content, anchor, 1.5, kNoWindow, true);
  f.surface->MovePointer(testing::Centre(onDesktop(badge.Parts().icons[0])));
  EXPECT_EQ(f.surface->Tooltip(), "Mail");
}

TEST(StackOverviewLayout, ChoosesColumnsThatShowTheWindowsLargestNeverEnlarged) {
  const std::vector<OverviewFrameSize> two{{400, 300}, {400, 300}};
  struct Case {
    const char* name;
    double width, height;
    std::vector<Rect> cards;
  };
  const Case cases[] = {
      // One row of two; each window smaller than its 472 x 338 cell keeps its own size.
      {"wide", 1000, 400, {{56, 58, 400, 300}, {544, 58, 400, 300}}},
      // One column of two, each shrunk to the 360-wide cell, standing on the cell's bottom.
      {"tall", 400, 1000, {{20, 200, 360, 270}, {20, 688, 360, 270}}},
      {"no room inside the margins", 40, 400, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(LayOutOverviewCards(c.width, c.height, 1.0, two), c.cards);
  }
  // Margins, gaps and the label line grow with the scale. Two columns would show no more,
  // nor a larger smallest card, so the first count (one column) stays.
  EXPECT_EQ(LayOutOverviewCards(2000, 800, 2.0, two)[1], (Rect{800, 416, 400, 300}));
}

TEST(StackOverviewLayout, ArrowsMoveToTheNearestCardAheadAndStopAtTheEdge) {
  // Arrows move to the nearest card ahead and stop at the edge. Three in a row over one
  // below the middle.
  const std::vector<Rect> cards{
      {0, 0, 100, 80}, {120, 0, 100, 80}, {240, 0, 100, 80}, {120, 100, 100, 80}};
  struct Move {
    int from, dx, dy, to;
  };
  for (const Move& c : std::vector<Move>{{0, 1, 0, 1},
                                         {1, 1, 0, 2},
                                         {2, 1, 0, 2},
                                         {2, -1, 0, 1},
                                         {0, 0, 1, 3},
                                         {3, 0, -1, 1},
                                         {1, 0, -1, 1}}) {
    EXPECT_EQ(MoveOverviewSelection(cards, c.from, c.dx, c.dy), c.to)
        << c.from << " by " << c.dx << "," << c.dy;
  }
  EXPECT_EQ(OverviewCardAt(cards, {120, 0}), 1);  // left and top edges belong to the card
  EXPECT_EQ(OverviewCardAt(cards, {110, 40}), -1);
  EXPECT_EQ(OverviewLabel("Report", "Notes"), "Report \xE2\x80\x94 Notes");
  EXPECT_EQ(OverviewLabel("Notes", "Notes"), "Notes");
  EXPECT_EQ(OverviewLabel("", "Notes"), "Notes");
}

class StackOverviewViewTest : public ::testing::Test {
 protected:
  bool Open(int n, bool animations = true) {
    std::vector<OverviewEntry> entries;
    for (int i = 0; i < n; ++i) {
      const auto id = static_cast<std::uint64_t>(i + 1);
      entries.push_back({.window = WindowId{id},
                         .title = "Title " + std::to_string(id),
                         .appName = "App",
                         .icon = IconId{100 + id},
                         .frame = {400, 300},
                         .frameInWindow = {7, 0, 400, 300}});
    }
    return view.Open({100, 50, 1400, 400}, 1.0, std::move(entries), animations,
                     {.choose = [this](WindowId w) { chosen.push_back(w); },
                      .dismiss = [this] { ++dismissed; },
                      .closed = [this] { ++closed; }});
  }
  SimSurface& Surface() { return static_cast<SimSurface&>(*view.GetSurface()); }
  void Frames(double seconds) {
    for (double t = 0; t < seconds; t += 1.0 / 60) {
      clock.now += 1.0 / 60;
      surfaces.RunFrame();
    }
  }

  testing::ManualClock clock;
  SimSurfaceFactory surfaces{&clock};
  SimThemeSource theme;
  StackOverviewView view{surfaces, theme, clock};
  std::vector<WindowId> chosen;
  int dismissed = 0;
  int closed = 0;
};

TEST_F(StackOverviewViewTest, KeysChooseAndMoveTheSelection) {
  ASSERT_TRUE(Open(3));
  SimSurface& s = Surface();
  EXPECT_EQ(view.Selected(), 0);
  for (int press = 0; press < 3; ++press) s.PressKey(surface_key::kRight);
  EXPECT_EQ(view.Selected(), 2);  // the rightmost card keeps the selection
  ASSERT_NE(s.Accessible().Focused(), nullptr);
  EXPECT_EQ(s.Accessible().Focused()->name, "Title 3, App");  // what a screen reader says
  s.PressKey(surface_key::kEnter);
  s.PressKey(surface_key::kDigit1 + 1);
  s.PressKey(0x61);                      // 1 on the numeric keypad
  s.PressKey(surface_key::kDigit1 + 5);  // no sixth card
  EXPECT_EQ(chosen, (std::vector<WindowId>{WindowId{3}, WindowId{2}, WindowId{1}}));
  // A right-click, even on a card, only dismisses it (a click beside the cards: the Windows
  // surface test; Escape: the switcher stories).
  s.RightClick(view.CardCentre(0));
  EXPECT_EQ(dismissed, 1);
  EXPECT_EQ(chosen.size(), 3u);
}

// Reaching 1, leaving the frame ticks and the previews' opacity are checked by the switcher
// stories.
TEST_F(StackOverviewViewTest, ZoomsInThenOutAndTakesNoInputWhileClosing) {
  ASSERT_TRUE(Open(2));
  SimSurface& s = Surface();
  Frames(0.1);
  const double midway = view.Progress();
  EXPECT_GT(midway, 0.5);  // eased out: most of the way after half the time
  EXPECT_LT(midway, 1);
  Frames(0.1);
  // The previews show each window's visible frame, zoomed with the card.
  const auto& first = surfaces.Thumbs().Registered().begin()->second;
  EXPECT_EQ(first.last.destination, view.Cards()[0]);
  EXPECT_EQ(first.last.source, (Rect{7, 0, 400, 300}));

  view.Close();
  EXPECT_FALSE(s.PressAndRelease(view.CardCentre(0)));
  Frames(0.15);
  EXPECT_EQ(view.Progress(), 0);
  EXPECT_FALSE(s.Visible());
  view.OnTimer(kFrameTimerId);  // a tick posted before it was over
  EXPECT_EQ(closed, 1);
}

// A click on a card, and opening and closing at once without animations, are checked by the
// switcher stories.
TEST_F(StackOverviewViewTest, WithoutLivePreviewsTheCardsShowTheAppsIconsLarge) {
  surfaces.Thumbs().SetRefused(true);
  ASSERT_TRUE(Open(2, false));
  const auto icons = Surface().LastPaint().OfKind(CanvasOpKind::kIcon);
  ASSERT_EQ(icons.size(), 2u);
  EXPECT_EQ(icons[0]->rect.width, 64);
  EXPECT_EQ(icons[0]->icon, IconId{101});
}

}  // namespace
}  // namespace tessary
