// The picker opens when a drag reaches the top of a display, so its Show (geometry and a
// full paint) sits between the pointer arriving and the panel appearing. Drawing goes to
// the recording canvas, so this measures the portable half: layout, hit geometry and the
// painter's calls, not Direct2D.

#include <benchmark/benchmark.h>

#include <vector>

#include "layout/builtin_layouts.h"
#include "platform/sim/sim_surface.h"
#include "platform/sim/sim_theme_source.h"
#include "surfaces/outline.h"
#include "surfaces/picker.h"

namespace tessary {
namespace {

constexpr Rect kWork{0, 0, 1920, 1040};

// Every built-in layout, with an icon in each region of the first four, as a busy
// desktop would have.
struct PickerBench {
  PickerBench() {
    picker.Create(factory);
    layouts = BuiltInLayouts();
    for (int layout = 0; layout < 4; ++layout) {
      for (int region = 0; region < 4; ++region) {
        icons[layout][region] = IconId{static_cast<std::uint64_t>(100 + layout * 4 + region)};
      }
    }
  }
  SimSurfaceFactory factory;
  SimThemeSource theme;
  Picker picker{theme};
  std::vector<SnapLayout> layouts;
  PickerIcons icons;
};

void BM_PickerShow(benchmark::State& state) {
  PickerBench bench;
  for (auto _ : state) {
    bench.picker.Show(bench.layouts, 2, kWork, 1.0, false, bench.icons);
    benchmark::DoNotOptimize(bench.picker.Geometry().cards.data());
    bench.picker.Hide();
  }
}
BENCHMARK(BM_PickerShow);

// A drag tick over the open picker that moves between two regions: hit test and repaint.
void BM_PickerHitTestRepaint(benchmark::State& state) {
  PickerBench bench;
  bench.picker.Show(bench.layouts, 2, kWork, 1.0, false, bench.icons);
  const Rect panel = bench.picker.PanelRect();
  const Point left{panel.x + 50, panel.y + 95};
  const Point right{panel.x + 120, panel.y + 95};
  bool flip = false;
  for (auto _ : state) {
    flip = !flip;
    benchmark::DoNotOptimize(bench.picker.HitTest(flip ? left : right));
  }
}
BENCHMARK(BM_PickerHitTestRepaint);

// The outline is shown on every pointer move; unchanged it must cost next to nothing.
void BM_OutlineShowUnchanged(benchmark::State& state) {
  SimSurfaceFactory factory;
  SimThemeSource theme;
  Outline outline(theme);
  outline.Create(factory);
  const std::string label = "Release to snap";
  for (auto _ : state) {
    outline.Show({8, 8, 948, 1024}, 1.0, label, true);
  }
}
BENCHMARK(BM_OutlineShowUnchanged);

}  // namespace
}  // namespace tessary
