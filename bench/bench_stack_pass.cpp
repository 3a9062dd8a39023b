// The stack pass on a busy desktop: 200 manageable windows over 4 displays, each display
// with an eight-region layout, 30 regions holding a stack. Reports the median time per
// unchanged pass, the heap allocations per unchanged pass (the goal: none), the platform
// calls per pass, and how often the main window's timers fire over an idle simulated
// minute (the goal: never).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

#include "allocation_counter.h"
#include "call_samples.h"
#include "four_displays.h"
#include "desktop/desktop.h"
#include "engine/coordinator.h"
#include "layout/document_store.h"
#include "layout/tree_geometry.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_surface.h"
#include "platform/sim/sim_theme_source.h"

namespace tessary {
namespace {

NodeRef FourColumns(int first) {
  return MakeSplit(Axis::Columns, 0.25, MakeLeaf(first),
                   MakeSplit(Axis::Columns, 1.0 / 3, MakeLeaf(first + 1),
                             MakeSplit(Axis::Columns, 0.5, MakeLeaf(first + 2),
                                       MakeLeaf(first + 3))));
}

SnapLayout EightRegions() {
  SnapLayout layout;
  layout.id = "eight";
  layout.name = "Eight";
  layout.tree = MakeSplit(Axis::Rows, 0.5, FourColumns(0), FourColumns(4));
  return layout;
}

struct StackedDesktop {
  StackedDesktop() {
    bench::AddFourDisplays(desk);
    engine = std::make_unique<Coordinator>(CoordinatorServices{.desktop = desktop,
                                                               .surfaces = surfaces,
                                                               .theme = theme,
                                                               .layoutDocuments = &layoutDocuments,
                                                               .minimumDocuments = &minimumDocuments,
                                                               .badgeDocuments = &badgeDocuments});
    engine->Init();
    const SnapLayout layout = EightRegions();
    std::vector<Rect> regions;
    for (const Monitor& m : engine->Displays()) {
      engine->Layouts().SetActiveLayout(m.id, layout);
      for (const auto& [region, rect] : PixelRegionRects(layout, m.work, RegionGap(m.scale))) {
        regions.push_back(rect);
      }
    }
    // 30 of the 32 regions hold a stack; 200 windows spread over them.
    for (int i = 0; i < 200; ++i) {
      desk.AddWindow({.frame = regions[static_cast<std::size_t>(i % 30)], .activate = false});
    }
  }

  SimDesktop desk;
  Desktop desktop{desk.platform()};
  SimSurfaceFactory surfaces{&desk.platform().clock};
  SimThemeSource theme;
  MemoryDocumentStore layoutDocuments;
  MemoryDocumentStore minimumDocuments;
  MemoryDocumentStore badgeDocuments;
  std::unique_ptr<Coordinator> engine;
};

void BM_UnchangedStackPass(benchmark::State& state) {
  StackedDesktop world;
  // The first passes make the badges and number the members.
  world.engine->RefreshStacks();
  world.engine->RefreshStacks();
  const std::size_t stacks = world.engine->StacksNow().size();
  world.desk.ResetCalls();
  world.engine->RefreshStacks();  // the call counter's map makes its entries here
  std::int64_t counted = 1;
  bench::CallSamples<std::micro> passes(1 << 16);
  for (auto _ : state) passes.Measure([&] { world.engine->RefreshStacks(); });
  state.counters["stacks"] = static_cast<double>(stacks);
  state.counters["badges"] = static_cast<double>(world.engine->GetStacks().Badges().size());
  state.counters["median_us"] = passes.Median();
  state.counters["calls_per_pass"] =
      world.desk.TotalCalls() / static_cast<double>(passes.Calls() + counted);
  if (bench::CountsAllocations()) {
    state.counters["allocations_per_pass"] = passes.AllocationsPerCall();
    // What the platform's answers cost by themselves, asked into lists that are kept.
    std::vector<WindowId> windows;
    std::vector<Monitor> monitors;
    world.desk.platform().zOrder.TopLevelWindows(windows);
    world.desktop.EnumerateDisplays(monitors);
    bench::StartCountingAllocations();
    world.desk.platform().zOrder.TopLevelWindows(windows);
    state.counters["of_which_z_order"] = static_cast<double>(bench::StopCountingAllocations());
    bench::StartCountingAllocations();
    world.desktop.EnumerateDisplays(monitors);
    state.counters["of_which_displays"] = static_cast<double>(bench::StopCountingAllocations());
  }

  // An idle minute: nothing moves and the pointer is nowhere near a badge, so no timer of
  // the main window fires.
  int fired = 0;
  world.desk.platform().timers.SetTimerHandler([&](int id) {
    ++fired;
    world.engine->OnTimer(id);
  });
  world.desk.Advance(60);
  world.desk.platform().timers.SetTimerHandler(nullptr);
  state.counters["idle_minute_timer_firings"] = fired;
}
BENCHMARK(BM_UnchangedStackPass)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessary
