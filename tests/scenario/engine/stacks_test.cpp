// Stacks on the simulated desktop: windows sharing a region, their badge, stepping
// through them, bringing one forward, a spanning window sent behind, and where a dragged
// badge is remembered.

#include "engine/stacks.h"

#include <random>

#include "engine_fixture.h"
#include "platform/sim/sim_shell_host.h"
#include "state/badge_placements_document.h"

namespace tessary {
namespace {

class StacksTest : public EngineTest {
 protected:
  std::vector<Badge*> Shown() {
    std::vector<Badge*> shown;
    for (const auto& [key, entry] : engine->GetStacks().Badges()) {
      if (entry.badge->Shown()) shown.push_back(entry.badge.get());
    }
    return shown;
  }
  static std::vector<WindowId> IconWindows(const Badge& badge) {
    std::vector<WindowId> windows;
    for (const BadgeIcon& icon : badge.Content().icons) windows.push_back(icon.window);
    return windows;
  }
};

// Two displays at different scales, the same number of windows in the right half of each.
TEST_F(StacksTest, WindowsSharingARegionFormOneStackInUseOrderWithOneBadgeAtItsDisplaysScale) {
  AddSecond();
  StartWith("halves");
  engine->Layouts().SetActiveLayout(DisplayKey(1), *FindBuiltIn("halves"));
  for (int count : {2, 3, 5}) {
    SCOPED_TRACE(count);
    std::vector<WindowId> windows[2];
    for (int d = 0; d < 2; ++d) {
      for (int i = 0; i < count; ++i) windows[d].push_back(PlacedAt(Region(1, d)));
    }
    Pass();
    const std::vector<StackInfo> stacks = engine->StacksNow();
    ASSERT_EQ(stacks.size(), 2u);
    const std::vector<Badge*> badges = Shown();
    ASSERT_EQ(badges.size(), 2u);
    for (int d = 0; d < 2; ++d) {
      const std::vector<WindowId>& members = windows[d];
      const StackInfo& stack = stacks[static_cast<std::size_t>(d)];  // in the displays' order
      EXPECT_EQ(stack.members, members);
      EXPECT_EQ(stack.fronts, std::vector<WindowId>{members.back()});
      const auto badge = std::find_if(badges.begin(), badges.end(),
                                      [&](Badge* b) { return b->Front() == members.back(); });
      ASSERT_NE(badge, badges.end());
      // Behind the front window, front-most first.
      EXPECT_EQ(IconWindows(**badge), std::vector<WindowId>(members.rbegin() + 1, members.rend()));
      // Small, centred on the front window's left edge, 44 px below its top.
      const Rect r = Region(1, d);
      const double s = engine->Displays()[static_cast<std::size_t>(d)].scale;
      const int m = count - 1;
      ExpectNear((*badge)->Bounds(),
                 {std::round(r.x - 11 * s), std::round(r.y + 44 * s), 22 * s,
                  ((m - 1) * 3.0 + m * 14.0 + 8) * s},
                 0.01);
      EXPECT_EQ((*badge)->GetSurface()->Scale(), s);
      EXPECT_EQ(SurfaceOf(**badge).Options().title, "Tessary stack badge");
      for (WindowId w : members) desk.CloseWindow(w);
    }
    Pass();
    EXPECT_TRUE(engine->GetStacks().Badges().empty());
  }
  EXPECT_EQ(tips, std::vector<std::string>(3, "badge"));
}

// (A window leaving the region ends the stack and its badge: the shell's region-move story.)
TEST_F(StacksTest, ClickingAnIconBringsItsWindowForwardAndTheBadgeFollowsAndGoesWithTheStack) {
  StartWith("halves");
  WindowId a = PlacedIn(1), b = PlacedIn(1), c = PlacedIn(1);
  Pass();
  Badge& badge = *Shown().at(0);
  ASSERT_EQ(IconWindows(badge), (std::vector<WindowId>{b, a}));
  // The second icon, at badge scale 1.
  const Point icon = Centre(badge.Parts().icons[1]);
  ASSERT_TRUE(SurfaceOf(badge).Click({badge.Bounds().x + icon.x, badge.Bounds().y + icon.y}));
  desk.Advance(0.01);
  EXPECT_EQ(desk.Foreground(), a);
  Pass();
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(Shown()[0]->Front(), a);
  EXPECT_EQ(IconWindows(*Shown()[0]), (std::vector<WindowId>{c, b}));

  desk.CloseWindow(c);
  Pass();
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(IconWindows(*Shown()[0]), std::vector<WindowId>{b});

  desk.Minimize(b);
  Pass();
  EXPECT_TRUE(Shown().empty());
  desk.Restore(b);
  Pass();
  ASSERT_EQ(Shown().size(), 1u);
}

TEST_F(StacksTest, IconsByNameAndNoBadgeWhileAnotherWindowCoversTheFront) {
  StartWith("halves");
  engine->ApplyStackSwitches({.orderByName = true});
  const Rect right = Region(1);
  WindowId mid = PlacedAt(right, {}, "Mid");
  WindowId alpha = PlacedAt(right, {}, "Alpha");
  WindowId zed = PlacedAt(right, {}, "Zed");
  PlacedAt(right);
  Pass();
  ASSERT_EQ(Shown().size(), 1u);
  EXPECT_EQ(IconWindows(*Shown()[0]), (std::vector<WindowId>{alpha, mid, zed}));

  // A window of no stack lying over the front's top-left corner: no front, no badge.
  WindowId over = desk.AddWindow({.frame = {right.x - 100, right.y + 10, 300, 300}});
  Pass();
  EXPECT_TRUE(Shown().empty());
  desk.MoveWindow(over, Region(0));
  Pass();
  EXPECT_EQ(Shown().size(), 1u);
}

// Stepping cycles through the stack in use order and wraps; with stacks off there is
// nothing to step through (and nothing to beep about), with badges off stepping still works.
TEST_F(StacksTest, SteppingCyclesThroughTheStackInUseOrderUnlessStacksAreOff) {
  StartWith("halves");
  WindowId a = PlacedIn(1), b = PlacedIn(1), c = PlacedIn(1);
  ASSERT_EQ(desk.Foreground(), c);
  const std::vector<std::pair<int, WindowId>> steps = {{+1, a}, {+1, b}, {+1, c},
                                                       {-1, b}, {-1, a}, {-1, c}};
  for (const auto& [step, expected] : steps) {
    ASSERT_TRUE(engine->StepStack(step));
    EXPECT_EQ(desk.Foreground(), expected);
    Pass();
  }
  // A window in no stack has nothing to step through: the beep says so.
  const WindowId alone = PlacedIn(0);
  EXPECT_FALSE(engine->StepStack(+1));
  EXPECT_EQ(desk.Foreground(), alone);
  EXPECT_EQ(desk.Beeps(), 1);

  // With stacks off no badge stays (that stepping then does nothing, without a beep, is the
  // shell's command story); badges off destroy every badge too.
  desk.Activate(c);
  for (const StackSwitches& off :
       {StackSwitches{.windowStacks = false}, StackSwitches{.badges = false}}) {
    engine->ApplyStackSwitches(off);
    Pass();
    EXPECT_TRUE(engine->GetStacks().Badges().empty());
  }
  // With badges off stepping still works; on again, the next pass brings them back.
  ASSERT_TRUE(engine->StepStack(+1));
  EXPECT_EQ(desk.Foreground(), a);
  engine->ApplyStackSwitches({});
  Pass();
  EXPECT_EQ(Shown().size(), 1u);
}

// Under a topmost window the badge would join the topmost band and float over every
// ordinary window; it goes to the top of its own band instead.
TEST_F(StacksTest, ABadgeIsNeverPlacedUnderATopmostWindow) {
  StartWith("halves");
  for (std::uint32_t frontStyle : {0u, window_ex_style::kTopmost}) {
    SCOPED_TRACE(frontStyle);
    PlacedIn(1);
    const WindowId front = PlacedIn(1, {.exStyle = frontStyle});
    desk.AddWindow({.frame = {100, 100, 300, 200}, .exStyle = window_ex_style::kTopmost});
    Pass();
    ASSERT_EQ(Shown().size(), 1u);
    EXPECT_EQ(Shown()[0]->Front(), front);
    // Directly above its front window, never in the topmost band with it.
    EXPECT_EQ(SurfaceOf(*Shown()[0]).Anchor(), SurfaceAnchor::Top());
    for (WindowId w : desk.ZOrder()) desk.CloseWindow(w);
  }
}

TEST_F(StacksTest, ASpanningWindowIsSentBehindTheWindowsItCovers) {
  StartWith("halves");
  WindowId left = PlacedAt(Region(0), {}, "Mail");
  WindowId right = PlacedAt(Region(1), {}, "Notes");
  const Rect both{Region(0).x, Region(0).y, Region(1).Right() - Region(0).x, Region(0).height};
  WindowId span = PlacedAt(both, {}, "Photos");
  Pass();
  std::vector<Badge*> badges = Shown();
  ASSERT_EQ(badges.size(), 1u);
  EXPECT_EQ(badges[0]->Front(), span);
  EXPECT_EQ(IconWindows(*badges[0]), (std::vector<WindowId>{left, right}));
  EXPECT_EQ(badges[0]->Content().groupCount, 2);
  EXPECT_EQ(badges[0]->Content().groupLabel, "Bring Mail and Notes Forward");

  ASSERT_TRUE(engine->SendSpanBehind(kNoWindow));
  // The span's badge waits out the switch (the pass repeats while it settles).
  desk.Advance(2.5);
  surfaces.RunFrame();
  // Now each half stands in front with the span behind it, marked as two columns wide.
  badges = Shown();
  ASSERT_EQ(badges.size(), 2u);
  for (Badge* badge : badges) {
    ASSERT_EQ(badge->Content().icons.size(), 1u);
    EXPECT_EQ(badge->Content().icons[0],
              (BadgeIcon{span, badge->Content().icons[0].icon, 2, "Photos"}));
  }
}

// A floating badge dragged away is remembered across a restart; Alt+right-click offers to
// put it back, alone or with every other.
TEST_F(StacksTest, ADraggedBadgeIsRememberedUntilAltRightClickPutsItBack) {
  SimShellHost shell;
  menus = &shell.menus;
  StartWith("halves");
  const Rect right = Region(1);
  PlacedAt(right);
  PlacedAt(right);
  auto floating = [this](bool on) {
    engine->ApplyStackSwitches({.badgesOnEdge = !on});
    desk.MoveCursor({0, 0});
    Pass();
    return Shown().at(0);
  };
  // Drags it 100 px right and 200 px down (grown while the pointer is on it); where the
  // grown badge stood.
  auto drag = [this](Badge* badge) {
    const Rect small = badge->Bounds();
    const Point grip{small.x + 11, small.y + 2};
    SimSurface& surface = SurfaceOf(*badge);
    desk.MoveCursor(grip);
    surface.MovePointer(grip);
    Pass();
    EXPECT_EQ(badge->Growth(), 1.0);
    const Rect grown = badge->Bounds();
    EXPECT_TRUE(surface.Press(grip));
    surface.DragPointer({grip.x + 50, grip.y + 100});
    surface.DragPointer({grip.x + 100, grip.y + 200});
    surface.ReleasePointer({grip.x + 100, grip.y + 200});
    desk.Advance(0.01);
    return grown;
  };
  // Answers the menu with the item labelled `choice` ("" dismisses it); the labels shown.
  auto altRightClick = [&](Badge* badge, const std::string& choice) {
    shell.menus.whileShown = [&](const MenuModel& menu) {
      for (const MenuItem& item : menu.items) {
        if (item.label == choice) shell.menus.Answer(item.id);
      }
    };
    const std::size_t before = shell.menus.shown.size();
    EXPECT_TRUE(SurfaceOf(*badge).RightClick(Centre(badge->Bounds()), true));
    desk.Advance(0.01);
    std::vector<std::string> labels;
    if (shell.menus.shown.size() == before) return labels;
    for (const MenuItem& item : shell.menus.shown.back().items) labels.push_back(item.label);
    return labels;
  };
  const std::vector<std::string> both{"Move Badge Back Under the Title Bar",
                                      "Reset All Badge Positions"};

  Badge* badge = floating(true);
  ExpectNear(badge->Bounds(), {right.x + 8, right.y + 44, 22, 22}, 0.01);
  EXPECT_TRUE(altRightClick(badge, "").empty());  // nothing remembered yet
  const Rect grown = drag(badge);
  const BadgePlacement dragged{{right.x, right.y, right.width, right.height},
                               false,
                               grown.x + 100 - right.x,
                               grown.y + 200 - right.y};
  EXPECT_EQ(ParseBadgePlacements(badgeDocuments.Get(kBadgePlacementsKey)),
            (BadgePlacements{{DisplayKey(), {dragged}}}));
  EXPECT_TRUE(altRightClick(floating(false), "").empty());  // on the edge: no menu

  engine.reset();
  Start();
  badge = floating(true);
  EXPECT_EQ(badge->Bounds(), (Rect{grown.x + 100, grown.y + 200, 22, 22}));
  EXPECT_EQ(altRightClick(badge, "Move Badge Back Under the Title Bar"), both);
  EXPECT_EQ(badge->Bounds().x, right.x + 8);
  EXPECT_FALSE(engine->GetStacks().Placements().Any());

  drag(badge);
  EXPECT_EQ(altRightClick(badge, "Reset All Badge Positions"), both);
  EXPECT_EQ(badge->Bounds().x, right.x + 8);
  EXPECT_FALSE(engine->ResetBadgePositions());  // nothing left to reset
  EXPECT_EQ(Told(), "Every badge is back in its usual place.");
}

TEST_F(StacksTest, AnIdleDesktopWithStacksFiresNoTimerAndHoverRunsOneOnlyWhileNeeded) {
  StartWith("halves");
  for (int i = 0; i < 3; ++i) PlacedIn(1);
  for (int i = 0; i < 2; ++i) PlacedIn(0);
  Pass();
  ASSERT_EQ(Shown().size(), 2u);
  int fired = 0;
  desk.platform().timers.SetTimerHandler([this, &fired](int id) {
    ++fired;
    engine->OnTimer(id);
  });
  Badge* badge = Shown()[0];
  const int paintsBefore = SurfaceOf(*badge).PaintCount();
  desk.Advance(60);
  EXPECT_EQ(fired, 0);
  for (Badge* shown : Shown()) EXPECT_FALSE(SurfaceOf(*shown).FramesSubscribed());
  EXPECT_EQ(SurfaceOf(*badge).PaintCount(), paintsBefore);

  // The pointer comes onto a badge: it grows, and the upkeep follows the pointer.
  const Rect small = badge->Bounds();
  const Point on = Centre(small);
  desk.MoveCursor(on);
  ASSERT_TRUE(SurfaceOf(*badge).MovePointer(on));
  Pass();
  EXPECT_EQ(badge->Growth(), 1.0);
  EXPECT_TRUE(desk.TimerRunning(kUpkeepTimerId));
  // It leaves: the badge shrinks back and the timer rests again.
  desk.MoveCursor({small.x + 300, small.y + 300});
  Pass();
  EXPECT_EQ(badge->Growth(), 0.0);
  EXPECT_EQ(badge->Bounds(), small);
  EXPECT_FALSE(desk.TimerRunning(kUpkeepTimerId));
  fired = 0;
  desk.Advance(60);
  EXPECT_EQ(fired, 0);
}

// Whatever happens, no managed window is hidden in a stack without a badge that lists
// it, and no window carries two badges.
TEST_F(StacksTest, RandomDropsClosesAndStepsNeverHideAWindowWithoutABadge) {
  StartWith("quarters");
  std::mt19937 rng(11);
  auto below = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  std::vector<WindowId> windows;
  auto pick = [&] {
    return windows[static_cast<std::size_t>(below(static_cast<int>(windows.size())))];
  };
  auto contains = [](const std::vector<WindowId>& list, WindowId w) {
    return std::find(list.begin(), list.end(), w) != list.end();
  };
  for (int i = 0; i < 5; ++i) windows.push_back(PlacedIn(i % 4));
  for (int round = 0; round < 120; ++round) {
    SCOPED_TRACE(round);
    switch (below(6)) {
      case 0:
        windows.push_back(PlacedIn(below(4)));
        break;
      case 1: {
        const WindowId w = pick();
        engine->MoveWindowTo(w, Region(below(4)));
        desk.Activate(w);
        break;
      }
      case 2:
        if (windows.size() > 2) {
          const WindowId w = pick();
          desk.CloseWindow(w);
          std::erase(windows, w);
        }
        break;
      case 3: {
        const WindowId w = pick();
        desk.IsMinimized(w) ? desk.Restore(w) : desk.Minimize(w);
        break;
      }
      case 4:
        desk.Activate(pick());
        break;
      default:
        engine->StepStack(below(2) ? 1 : -1);
        break;
    }
    Pass();
    std::set<WindowId> fronts;
    for (Badge* badge : Shown()) ASSERT_TRUE(fronts.insert(badge->Front()).second);
    for (const StackInfo& stack : engine->StacksNow()) {
      const auto badges = Shown();
      EXPECT_LE(std::count_if(badges.begin(), badges.end(),
                              [&](Badge* b) { return contains(stack.members, b->Front()); }),
                1);
      for (WindowId member : stack.members) {
        const bool listed = std::any_of(badges.begin(), badges.end(), [&](Badge* b) {
          return contains(IconWindows(*b), member);
        });
        EXPECT_TRUE(contains(stack.fronts, member) || listed)
            << "window " << ToNumber(member) << " hidden without a badge";
      }
    }
  }
}

}  // namespace
}  // namespace tessary
