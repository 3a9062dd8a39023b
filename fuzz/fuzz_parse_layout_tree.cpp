// Layout trees from untrusted text: the strict reader must accept only trees within the
// limits, say why it refused the rest, and whatever it accepts must survive writing,
// reading back and every geometry and divider operation. The lenient reader must never
// crash, whatever it builds.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "layout/json_value.h"
#include "layout/tree_edit.h"
#include "layout/tree_fit.h"
#include "layout/tree_geometry.h"
#include "layout/tree_json.h"

namespace {

using namespace tessary;

// Parameters for the geometry calls, derived from the input so that the fuzzer steers
// them too.
class Parameters {
 public:
  explicit Parameters(std::string_view text) {
    for (unsigned char c : text) state_ = (state_ ^ c) * 0x100000001B3ull;
  }
  std::uint64_t Next() {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return state_ >> 11;
  }
  double Unit() { return static_cast<double>(Next()) * 0x1.0p-53; }
  double Between(double low, double high) { return low + (high - low) * Unit(); }

 private:
  std::uint64_t state_ = 0xCBF29CE484222325ull;
};

void Measure(const LayoutNode* node, int depth, int& nodes, int& deepest) {
  if (node == nullptr) return;
  ++nodes;
  if (depth > deepest) deepest = depth;
  if (node->isLeaf) return;
  Measure(node->first.get(), depth + 1, nodes, deepest);
  Measure(node->second.get(), depth + 1, nodes, deepest);
}

bool KnownMessage(const std::string& error) {
  return error == kTreeStructureError || error == kTreeRegionError || error == kTreeSplitError ||
         error == kTreeDuplicateError;
}

void CheckRoundTrip(const NodeRef& tree, bool pretty) {
  const std::string text = WriteJsonSorted(TreeToJson(tree), pretty);
  JsonValue json;
  CHECK(ParseJson(text, json));
  std::string error;
  CHECK(TreesEqual(ParseLayoutTree(json, &error), tree));
  CHECK(TreesEqual(ReadStoredTree(json), tree));
}

// Every operation on a valid tree gives a valid tree with the same regions.
void CheckValidResult(const NodeRef& before, const NodeRef& after) {
  CHECK(after != nullptr);
  CHECK(ValidateTree(after));
  const RegionMap a = RegionRects(before, kUnitRect);
  const RegionMap b = RegionRects(after, kUnitRect);
  CHECK(a.size() == b.size());
  for (const auto& [region, rect] : a) CHECK(b.contains(region));
}

void ExerciseGeometry(const NodeRef& tree, Parameters& p) {
  const Rect work{std::floor(p.Between(-5000, 5000)), std::floor(p.Between(-3000, 3000)),
                  std::floor(p.Between(1, 5000)), std::floor(p.Between(1, 3000))};
  const double scale = p.Between(0.5, 3.5);
  const double gap = std::round(8 * scale);
  const RegionMap unit = RegionRects(tree, kUnitRect);
  const RegionMap pixels = PixelRegionRects(tree, work, gap);
  CHECK(unit.size() == pixels.size());
  for (const auto& [region, rect] : pixels) {
    CHECK(unit.contains(region));
    CHECK(std::isfinite(rect.x) && std::isfinite(rect.width));
  }
  for (int i = 0; i < 4; ++i) {
    const Point point{p.Between(work.x - 50, work.Right() + 50),
                      p.Between(work.y - 50, work.Bottom() + 50)};
    const int hit = RegionAtPoint(point, pixels, work, scale);
    CHECK(hit == -1 || pixels.contains(hit));
  }

  const Rect rect = p.Unit() < 0.5 ? kUnitRect : work;
  const double minWidth = p.Unit() < 0.2 ? 0 : p.Between(0, rect.width / 4);
  const double minHeight = p.Unit() < 0.2 ? 0 : p.Between(0, rect.height / 4);
  for (const DividerInfo& divider : ListDividers(tree, rect)) {
    CHECK(NodeAtPath(tree, divider.path, divider.path.size(), rect).rect == divider.rect);
    const double origin = divider.axis == Axis::Columns ? rect.x : rect.y;
    const double extent = divider.axis == Axis::Columns ? rect.width : rect.height;
    const double target = origin + extent * p.Between(-0.3, 1.3);
    CheckValidResult(tree, MoveDivider(tree, divider.path, target, rect, minWidth, minHeight));
    CheckValidResult(tree,
                     ResizeSplitAtPath(tree, divider.path, target, rect, minWidth, minHeight));
    if (NodeRef even = EvenSplitAtPath(tree, divider.path, p.Unit() / 4, p.Unit() / 4)) {
      CheckValidResult(tree, even);
      CHECK(NodeAtPath(even, divider.path).node->ratio == 0.5);
    }
  }
  for (const auto& [region, rect01] : unit) {
    const auto edge = static_cast<RegionEdge>(p.Next() % 4);
    CheckValidResult(tree,
                     MoveRegionEdge(tree, region, edge, p.Unit(), p.Unit() / 4, p.Unit() / 4));
    if (NodeRef collapsed = CollapseLeafPair(tree, region)) CHECK(ValidateTree(collapsed));
    const std::optional<TreePath> path = PathToRegion(tree, region);
    CHECK(path.has_value());
    CHECK(NodeAtPath(tree, *path).node->region == region);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  JsonValue json;
  if (!ParseJson(text, json)) return 0;
  Parameters parameters(text);

  std::string error;
  const NodeRef strict = ParseLayoutTree(json, &error);
  const NodeRef stored = ReadStoredTree(json);
  if (strict) {
    CHECK(error.empty());
    CHECK(ValidateTree(strict));
    int nodes = 0;
    int deepest = 0;
    Measure(strict.get(), 0, nodes, deepest);
    CHECK(nodes <= kMaxTreeNodes);
    CHECK(deepest <= kMaxTreeDepth);
    // The lenient reader reads a strictly valid tree the same way.
    CHECK(TreesEqual(stored, strict));
    CheckRoundTrip(strict, false);
    CheckRoundTrip(strict, true);
    ExerciseGeometry(strict, parameters);
  } else {
    CHECK(KnownMessage(error));
    CHECK(ParseLayoutTree(json) == nullptr);
  }

  if (stored) {
    // Whatever the lenient reader built, the read-only operations must cope with it.
    const RegionMap rects = RegionRects(stored, kUnitRect);
    (void)PixelRegionRects(stored, Rect{0, 0, 1920, 1080}, 8);
    (void)ListDividers(stored, kUnitRect);
    (void)FirstFreeRegion(stored);
    (void)SubtreeMinimum(stored, 0.1, 0.1);
    for (const auto& [region, rect] : rects) (void)PathToRegion(stored, region);
    // A valid tree never exceeds the strict limits, so its written form reads strictly.
    if (ValidateTree(stored)) CheckRoundTrip(stored, false);
  }
  return 0;
}
