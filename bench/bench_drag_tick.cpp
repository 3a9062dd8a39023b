// The steady drag tick: a window dragged within one region of a busy desktop (4
// displays, 200 manageable windows, a layout on every display), or over one region of a
// layout in the picker, the target unchanged.
// Reports the median time per tick, the platform calls per tick (the goal: the buttons,
// Alt, the cursor and one window frame; no display enumeration or z-order walk) and the
// heap allocations per tick (the goal: none).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "allocation_counter.h"
#include "call_samples.h"
#include "four_displays.h"
#include "desktop/desktop.h"
#include "engine/coordinator.h"
#include "layout/builtin_layouts.h"
#include "layout/document_store.h"
#include "layout/tree_geometry.h"
#include "platform/sim/sim_desktop.h"
#include "platform/sim/sim_surface.h"
#include "platform/sim/sim_theme_source.h"

namespace tessary {
namespace {

struct BusyDesktop {
  BusyDesktop() {
    bench::AddFourDisplays(desk);
    std::mt19937 rng(7);
    std::uniform_real_distribution<> x(0, 5800), y(0, 2400), w(300, 1200), h(200, 900);
    for (int i = 0; i < 200; ++i) {
      windows.push_back(desk.AddWindow({.frame = {x(rng), y(rng), w(rng), h(rng)}}));
    }
    engine =
        std::make_unique<Coordinator>(CoordinatorServices{.desktop = desktop,
                                                          .surfaces = surfaces,
                                                          .theme = theme,
                                                          .layoutDocuments = &layoutDocuments,
                                                          .minimumDocuments = &minimumDocuments});
    engine->Init();
    const char* layouts[] = {"quarters", "thirds", "stack", "halves"};
    for (std::size_t i = 0; i < engine->Displays().size(); ++i) {
      engine->Layouts().SetActiveLayout(engine->Displays()[i].id, *FindBuiltIn(layouts[i]));
    }
  }

  // Starts dragging a window and brings it to rest, armed, over region 1 of the first
  // display's layout ("quarters": bottom-left).
  void StartDrag() {
    WindowId dragged = windows.back();
    Rect frame = desk.Frame(dragged);
    desk.BeginTitleDrag(dragged, {frame.x + 60, frame.y + 10});
    engine->OnMoveSizeStart(dragged);
    RegionMap quarters = PixelRegionRects(*FindBuiltIn("quarters"), {0, 0, 1920, 1040}, 8);
    const Rect& region = *quarters.Get(1);
    RestAt({region.x + region.width / 2, region.y + region.height / 2});
  }

  // Starts a drag that opens the picker at the top of the first display and comes to
  // rest, armed, over region 1 of its second card.
  void StartPickerDrag() {
    StartDrag();
    RestAt({960, 10});
    const Picker& picker = engine->GetPicker();
    for (const PickerCard& card : picker.Geometry().cards) {
      const Rect* r = card.layout == 1 ? card.regions.Get(1) : nullptr;
      if (!r) continue;
      double scale = engine->Displays()[0].scale;
      RestAt({picker.PanelRect().x + (r->x + r->width / 2) * scale,
              picker.PanelRect().y + (r->y + r->height / 2) * scale});
    }
  }

  void RestAt(Point at) {
    centre = at;
    for (int i = 0; i < 30; ++i) {
      desk.MoveCursor({centre.x + i % 2, centre.y});
      desk.Advance(0.015);
      engine->DragTick();
    }
  }

  SimDesktop desk;
  Desktop desktop{desk.platform()};
  SimSurfaceFactory surfaces{&desk.platform().clock};
  SimThemeSource theme;
  MemoryDocumentStore layoutDocuments;
  MemoryDocumentStore minimumDocuments;
  std::unique_ptr<Coordinator> engine;
  std::vector<WindowId> windows;
  Point centre;
};

// Ticks over the target the drag rests on, the cursor wobbling by a pixel.
void MeasureSteadyTicks(benchmark::State& state, BusyDesktop& world);

void BM_SteadyDragTick(benchmark::State& state) {
  BusyDesktop world;
  world.StartDrag();
  if (!world.engine->Drag().armed || world.engine->Drag().kind != kTargetRegion) {
    state.SkipWithError("the drag did not come to rest on its region");
    return;
  }
  MeasureSteadyTicks(state, world);
}
BENCHMARK(BM_SteadyDragTick);

void BM_SteadyPickerTick(benchmark::State& state) {
  BusyDesktop world;
  world.StartPickerDrag();
  if (!world.engine->Drag().armed || world.engine->Drag().kind != kTargetPicker) {
    state.SkipWithError("the drag did not come to rest on a region in the picker");
    return;
  }
  MeasureSteadyTicks(state, world);
}
BENCHMARK(BM_SteadyPickerTick);

void MeasureSteadyTicks(benchmark::State& state, BusyDesktop& world) {
  world.desk.ResetCalls();
  // The simulated desktop's call counter makes its map entries at the first call of each
  // method: one tick before measuring, so that only the tick's own allocations count.
  world.engine->DragTick();
  std::int64_t warmUp = 1;
  bench::CallSamples<std::nano> ticks(1 << 20);
  int step = 0;
  for (auto _ : state) {
    // The cursor wobbles by a pixel inside the region: the window follows it.
    state.PauseTiming();
    world.desk.MoveCursor({world.centre.x + (step++ % 2), world.centre.y});
    state.ResumeTiming();
    ticks.Measure([&] { world.engine->DragTick(); });
  }
  if (!world.engine->DragActive() || !world.engine->Drag().armed) {
    state.SkipWithError("the drag lost its target");
    return;
  }
  double perCountedTick = 1.0 / static_cast<double>(ticks.Calls() + warmUp);
  state.counters["median_ns"] = ticks.Median();
  state.counters["calls_per_tick"] = world.desk.TotalCalls() * perCountedTick;
  if (bench::CountsAllocations()) {
    state.counters["allocations_per_tick"] = ticks.AllocationsPerCall();
  }
  for (const auto& [method, count] : world.desk.CallCounts()) {
    state.counters["calls:" + method] = count * perCountedTick;
  }
}

}  // namespace
}  // namespace tessary
