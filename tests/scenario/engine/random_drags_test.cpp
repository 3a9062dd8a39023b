// Thousands of random drags over random desktops: whatever the displays, scales,
// layouts, minimum sizes, paths, drop-menu tiles and releases, the Coordinator must not
// crash, must lose no window, must leave no window half moved after undoing a placement,
// and must never store an invalid tree.

#include <random>

#include "engine_fixture.h"
#include "layout/layout_store.h"

namespace tessary {
namespace {

constexpr int kWorlds = 150;
constexpr int kDragsPerWorld = 16;

class RandomWorld : public EngineTest {
 public:
  explicit RandomWorld(unsigned seed) : rng(seed) {
    // Thousands of drags: no log lines to collect.
    InstallLogEnvironment({.readLogVariable = [] { return std::optional<std::string>(); }});
  }
  void TestBody() override {}

  double Uniform(double lo, double hi) { return std::uniform_real_distribution<>(lo, hi)(rng); }
  int Between(int lo, int hi) { return std::uniform_int_distribution<>(lo, hi)(rng); }
  bool Chance(double p) { return Uniform(0, 1) < p; }
  template <typename T>
  const T& Pick(const std::vector<T>& from) {
    return from[static_cast<std::size_t>(Between(0, static_cast<int>(from.size()) - 1))];
  }

  void BuildWorld() {
    const double scales[] = {1.0, 1.25, 1.5, 1.75, 2.0};
    int count = Between(1, 3);
    double x = 0;
    for (int i = 0; i < count; ++i) {
      double width = Between(8, 38) * 100;
      double height = Between(6, 22) * 100;
      double y = i == 0 ? 0 : Between(-4, 4) * 100;
      const Rect bounds{x, y, width, height};
      Rect work = bounds;
      if (Chance(0.7)) work.height -= Between(30, 60);   // a task bar below
      if (Chance(0.1)) work.y += 48, work.height -= 48;  // or above
      desk.AddDisplay({.bounds = bounds,
                       .work = work,
                       .scale = scales[Between(0, 4)],
                       .devicePath = "\\\\?\\DISPLAY#" + std::to_string(i)});
      x += width;
    }
    for (int i = 0, windows = Between(1, 6); i < windows; ++i) {
      SimWindowSetup setup{
          .frame = {Uniform(0, x - 400), Uniform(0, 500), Uniform(300, 1400), Uniform(200, 900)}};
      if (Chance(0.4)) setup.minWidth = Uniform(100, 1600);
      if (Chance(0.4)) setup.minHeight = Uniform(100, 1200);
      if (Chance(0.1)) setup.maximized = true;
      if (Chance(0.08)) {
        // An app that never takes the height it is given.
        double extra = Uniform(10, 60);
        setup.sizing = [extra](const Rect& r) { return Rect{r.x, r.y, r.width, r.height + extra}; };
      }
      setup.frame.width = std::max(setup.frame.width, setup.minWidth);
      setup.frame.height = std::max(setup.frame.height, setup.minHeight);
      const WindowId added = AddApp("app" + std::to_string(i % 3), setup);
      if (setup.sizing) restless.insert(added);
    }
    Start();
    for (const Monitor& m : engine->Displays()) {
      if (Chance(0.6)) engine->Layouts().SetActiveLayout(m.id, Pick(BuiltInLayouts()));
    }
  }

  Point RandomPoint() {
    const Monitor& m = Pick(engine->Displays());
    switch (Between(0, 4)) {
      case 0:  // the hot zone
        return {m.bounds.x + m.bounds.width / 2 + Uniform(-150, 150), m.work.y + Uniform(0, 25)};
      case 1:  // a corner
        return {Chance(0.5) ? m.work.x + Uniform(0, 20) : m.work.Right() - Uniform(1, 20),
                Chance(0.5) ? m.work.y + Uniform(0, 20) : m.work.Bottom() - Uniform(1, 20)};
      case 2:  // the top band
        return {m.work.x + Uniform(0, m.work.width), m.work.y + Uniform(0, 8)};
      case 3:  // anywhere, even off every display
        return {Uniform(-200, m.bounds.Right() + 200), Uniform(-200, m.bounds.Bottom() + 200)};
      default:
        return {m.work.x + Uniform(0, m.work.width), m.work.y + Uniform(0, m.work.height)};
    }
  }

  void RandomDrag() {
    const std::vector<WindowId> windows = desktop.ManageableWindows();
    if (windows.empty()) return;
    const WindowId dragged = Pick(windows);
    std::map<WindowId, Rect> before;
    for (WindowId w : windows) before[w] = desk.Frame(w);
    const Rect start = desk.Frame(dragged);
    const std::size_t messagesBefore = messages.size();

    const bool events = !Chance(0.1);
    desk.BeginTitleDrag(dragged, {start.x + std::min(60.0, start.width / 2), start.y + 10},
                        {.raiseEvents = events});
    if (!events) engine->OnMoveSizeStart(dragged);
    desk.Advance(0.001);

    for (int i = 0, steps = Between(1, 10); i < steps && desk.Dragging(); ++i) {
      Point to = RandomPoint();
      const auto& cards = engine->GetPicker().Geometry().cards;
      if (engine->GetPicker().Visible() && Chance(0.6) && !cards.empty()) {
        const PickerCard& card = Pick(cards);
        to = PickerPoint(card.layout, card.regions.begin()->first);
      }
      MoveTo(to, Uniform(0, 0.35), Between(1, 5));
      if (engine->GetDropMenu().Visible() && engine->Drag().menu && Chance(0.7)) {
        const DropTile& tile = Pick(engine->Drag().menu->tiles);
        Point on{tile.rect.x + Uniform(0, tile.rect.width),
                 tile.rect.y + Uniform(0, tile.rect.height)};
        MoveTo(on, Uniform(0, 0.35), Between(1, 3));
      }
      if (Chance(0.04)) desk.TapKey(Key::kEscape);
      if (Chance(0.02)) desk.CloseWindow(dragged);
      if (Chance(0.02)) {
        const MonitorId first = desk.platform().displays.Monitors()[0].handle;
        Rect work = desk.Display(first).bounds;
        work.height -= Between(0, 80);
        desk.SetWorkArea(first, work);
        // The windows in regions follow the new work area: that is where they belong now.
        desk.Advance(0.001);
        for (auto& [w, frame] : before) {
          if (w != dragged && desk.Exists(w)) frame = desk.Frame(w);
        }
      }
    }
    Drop(1.5);

    EXPECT_FALSE(engine->DragActive());
    EXPECT_FALSE(desk.TimerRunning(kDragTickTimerId));
    EXPECT_FALSE(engine->GetPicker().Visible());
    EXPECT_FALSE(OutlineVisible());

    // An undone placement leaves every window where it was.
    const bool rolledBack =
        std::any_of(messages.begin() + static_cast<std::ptrdiff_t>(messagesBefore), messages.end(),
                    [](const std::string& m) { return m.find("prior size") != std::string::npos; });
    if (rolledBack && desk.Exists(dragged)) {
      EXPECT_TRUE(Back(dragged, start)) << "dragged window";
      for (const auto& [w, frame] : before) {
        if (w == dragged || !desk.Exists(w)) continue;
        EXPECT_TRUE(Back(w, frame)) << "neighbour, " << messages.back();
      }
    }
    CheckStoredLayouts();
    // No window is lost: the drop moves the others only between places on a display.
    for (const auto& [w, frame] : before) {
      if (w != dragged && desk.Exists(w) && Shown(frame)) {
        EXPECT_TRUE(Shown(desk.Frame(w)) && !desk.IsMinimized(w));
      }
    }
  }

  bool Shown(const Rect& frame) {
    return std::any_of(engine->Displays().begin(), engine->Displays().end(),
                       [&](const Monitor& m) { return !Intersect(frame, m.bounds).IsEmpty(); });
  }

  // Whether the window is back at `frame`; an app that never takes the height it is
  // given can only be asked, so its height is not compared.
  bool Back(WindowId w, const Rect& frame) {
    Rect now = desk.Frame(w);
    if (restless.contains(w)) now.height = frame.height;
    return NearlyEqual(now, frame, 1.0);
  }

  void CheckStoredLayouts() {
    for (const auto& [display, layout] : engine->Layouts().activeLayouts()) {
      EXPECT_TRUE(ValidateTree(layout.tree)) << display;
    }
    for (const auto& [display, trees] : engine->Layouts().adjustedTrees()) {
      for (const auto& [id, tree] : trees) EXPECT_TRUE(ValidateTree(tree)) << id;
    }
    // What was written reads back whole: nothing invalid was stored.
    EXPECT_EQ(ReadActiveLayouts(layoutDocuments.Get(kActiveLayoutsKey)).size(),
              engine->Layouts().activeLayouts().size());
    EXPECT_EQ(ReadAdjustedTrees(layoutDocuments.Get(kAdjustedTreesKey)).size(),
              engine->Layouts().adjustedTrees().size());
    // And the learned sizes read back as they are held.
    if (!minimumDocuments.Get(kAppMinimumSizesKey).empty()) {
      EXPECT_EQ(StoredMinimums(), engine->Minimums().Learned());
    }
  }

  std::mt19937 rng;
  std::set<WindowId> restless;
};

TEST(RandomDrags, NeverCrashNeverHalfMoveNeverStoreInvalidTrees) {
  for (int world = 0; world < kWorlds; ++world) {
    SCOPED_TRACE(world);  // the world of seed 1000 + world
    RandomWorld fresh(1000u + static_cast<unsigned>(world));
    fresh.BuildWorld();
    for (int drag = 0; drag < kDragsPerWorld; ++drag) fresh.RandomDrag();
    if (::testing::Test::HasFailure()) break;
  }
}

}  // namespace
}  // namespace tessary
