// The region geometry that runs on every drag tick (every 15 ms): pixel rectangles of
// the layout under the pointer and the region the pointer is over, for the largest
// layout there can be (16 regions, 31 nodes).

#include <benchmark/benchmark.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "layout/tree_geometry.h"

// Counts heap allocations so the benchmark can report whether the hot path allocates.
// The replacement pairs malloc with free throughout, which GCC cannot see across the
// replaced operators.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
namespace {
std::atomic<std::size_t> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace tessary {
namespace {

// A 4 x 4 grid with uneven ratios, like a user's own layout.
NodeRef SixteenRegions() {
  int next = 0;
  auto row = [&next] {
    NodeRef a = MakeLeaf(next++), b = MakeLeaf(next++), c = MakeLeaf(next++), d = MakeLeaf(next++);
    return MakeSplit(Axis::Columns, 0.3, MakeSplit(Axis::Columns, 0.45, a, b),
                     MakeSplit(Axis::Columns, 0.6, c, d));
  };
  NodeRef r0 = row(), r1 = row(), r2 = row(), r3 = row();
  return MakeSplit(Axis::Rows, 1.0 / 3, MakeSplit(Axis::Rows, 0.5, r0, r1),
                   MakeSplit(Axis::Rows, 0.55, r2, r3));
}

void ReportAllocations(benchmark::State& state, std::size_t before) {
  state.counters["allocs/call"] = benchmark::Counter(
      static_cast<double>(allocations.load() - before) / static_cast<double>(state.iterations()));
}

void BM_PixelRegionRects16(benchmark::State& state) {
  const NodeRef tree = SixteenRegions();
  const Rect work{0, 0, 2560, 1400};
  const std::size_t before = allocations.load();
  for (auto _ : state) {
    RegionMap rects = PixelRegionRects(tree, work, 12);
    benchmark::DoNotOptimize(rects);
  }
  ReportAllocations(state, before);
}
BENCHMARK(BM_PixelRegionRects16);

void BM_RegionAtPoint16(benchmark::State& state) {
  const Rect work{0, 0, 2560, 1400};
  const RegionMap rects = PixelRegionRects(SixteenRegions(), work, 12);
  Point point{1203, 611};
  const std::size_t before = allocations.load();
  for (auto _ : state) {
    point.x = point.x > 2500 ? 3 : point.x + 37;  // wander so no branch settles
    benchmark::DoNotOptimize(RegionAtPoint(point, rects, work, 1.5));
  }
  ReportAllocations(state, before);
}
BENCHMARK(BM_RegionAtPoint16);

// One drag tick's worth: both together, as the picker and the active layout use them.
void BM_RegionDragTick16(benchmark::State& state) {
  const NodeRef tree = SixteenRegions();
  const Rect work{0, 0, 2560, 1400};
  Point point{1203, 611};
  const std::size_t before = allocations.load();
  for (auto _ : state) {
    point.y = point.y > 1350 ? 5 : point.y + 29;
    const RegionMap rects = PixelRegionRects(tree, work, 12);
    benchmark::DoNotOptimize(RegionAtPoint(point, rects, work, 1.5));
  }
  ReportAllocations(state, before);
}
BENCHMARK(BM_RegionDragTick16);

}  // namespace
}  // namespace tessary
