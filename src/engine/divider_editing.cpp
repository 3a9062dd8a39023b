#include "engine/divider_editing.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/log.h"
#include "engine/region_membership.h"
#include "layout/span_geometry.h"
#include "layout/tree_fit.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

// No region may shrink below this much of the work area (at scale 1), nor below a
// quarter of it on a small display.
constexpr double kMinRegionWidth = 180;
constexpr double kMinRegionHeight = 140;
constexpr double kMinRegionShareCap = 0.24;
constexpr double kMillionths = 1e6;

double MinimumShare(double pixels, double extent, double scale) {
  const double usable = extent - 8 * scale;
  if (usable <= 0) return kMinRegionShareCap;
  return std::min(kMinRegionShareCap, pixels * scale / usable);
}

}  // namespace

std::int64_t PackDividerDrag(int divider, double fraction) {
  const auto low = static_cast<std::uint16_t>(static_cast<std::int16_t>(divider));
  const double clamped = std::clamp(fraction * kMillionths, -2.0e9, 2.0e9);
  const auto high = static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(clamped)));
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
}

void UnpackDividerDrag(std::int64_t argument, int& divider, double& fraction) {
  const auto bits = static_cast<std::uint64_t>(argument);
  divider = static_cast<std::int16_t>(static_cast<std::uint16_t>(bits & 0xFFFF));
  fraction = static_cast<std::int32_t>(static_cast<std::uint32_t>(bits >> 32)) / kMillionths;
}

bool DividerEditing::Create(SurfaceFactory& factory,
                            std::function<void(int, std::int64_t)> postCommand) {
  if (!view_.Create(factory)) return false;
  auto post = [postCommand = std::move(postCommand)](int code, std::int64_t argument) {
    if (postCommand) postCommand(code, argument);
  };
  view_.SetCallbacks({
      .drag =
          [post](int divider, double fraction) {
            post(kCommandDividerDrag, PackDividerDrag(divider, fraction));
          },
      .dragEnd = [post](int divider) { post(kCommandDividerDragEnd, divider); },
      .evenSplit = [post](int divider) { post(kCommandDividerEvenSplit, divider); },
      .done = [post] { post(kCommandDividerDone, 0); },
  });
  return true;
}

bool HasDividers(const std::optional<SnapLayout>& layout) {
  return layout && !ListDividers(layout->tree, {0, 0, 1, 1}).empty();
}

bool DividerEditing::Open(const Monitor& display, const std::optional<SnapLayout>& active,
                          double doubleClickSeconds) {
  if (!HasDividers(active)) return false;
  open_ = true;
  display_ = display;
  committed_ = working_ = *active;
  minWidth_ = MinimumShare(kMinRegionWidth, display.work.width, display.scale);
  minHeight_ = MinimumShare(kMinRegionHeight, display.work.height, display.scale);
  dragged_ = -1;
  view_.Show(display.work, display.scale, working_.tree, doubleClickSeconds);
  Log("divider editor opened: %s", committed_.id.c_str());
  return true;
}

std::optional<TreePath> DividerEditing::PathOf(int divider) const {
  std::vector<DividerInfo> dividers = ListDividers(committed_.tree, {0, 0, 1, 1});
  if (divider < 0 || divider >= static_cast<int>(dividers.size())) return std::nullopt;
  return dividers[static_cast<std::size_t>(divider)].path;
}

void DividerEditing::Drag(int divider, double fraction) {
  std::optional<TreePath> path = PathOf(divider);
  if (!open_ || !path) return;
  dragged_ = divider;
  // Always from the committed tree, so a drag that comes back undoes what it squeezed.
  NodeRef moved =
      MoveDivider(committed_.tree, *path, fraction, {0, 0, 1, 1}, minWidth_, minHeight_);
  // The pointer moves far more often than a stopped divider does: redraw only on a change.
  if (TreesEqual(moved, working_.tree)) return;
  working_.tree = std::move(moved);
  view_.Refresh(working_.tree);
}

void DividerEditing::DragEnd(int /*divider*/) {
  if (!open_) return;
  dragged_ = -1;
  if (!TreesEqual(working_.tree, committed_.tree)) Apply(working_);
  view_.Refresh(working_.tree);
}

void DividerEditing::EvenSplit(int divider) {
  std::optional<TreePath> path = PathOf(divider);
  if (!open_ || !path) return;
  NodeRef even = EvenSplitAtPath(committed_.tree, *path, minWidth_, minHeight_);
  if (!even) {
    if (hooks_.notify) hooks_.notify(kNoEvenSplitMessage);
  } else {
    SnapLayout next = committed_;
    next.tree = even;
    Apply(next);
  }
  view_.Refresh(working_.tree);
}

// Committing a changed tree: it becomes the display's layout only when every window
// followed; otherwise the editor shows the committed one again.
void DividerEditing::Apply(const SnapLayout& next) {
  if (ApplyTreeToWindows(display_, committed_, next)) {
    committed_ = working_ = next;
    if (hooks_.adopt) hooks_.adopt(display_.id, committed_);
  } else {
    working_ = committed_;
  }
}

void DividerEditing::Close() {
  view_.Hide();
  open_ = false;
  dragged_ = -1;
  display_ = {};
  committed_ = working_ = {};
}

bool DividerEditing::HandleCommand(int code, std::int64_t argument) {
  switch (code) {
    case kCommandDividerDrag: {
      int divider = -1;
      double fraction = 0;
      UnpackDividerDrag(argument, divider, fraction);
      Drag(divider, fraction);
      return true;
    }
    case kCommandDividerDragEnd:
      DragEnd(static_cast<int>(argument));
      return true;
    case kCommandDividerEvenSplit:
      EvenSplit(static_cast<int>(argument));
      return true;
    case kCommandDividerDone:
      Close();
      return true;
    default:
      return false;
  }
}

bool DividerEditing::ApplyTreeToWindows(const Monitor& display, const SnapLayout& before,
                                        const SnapLayout& after) {
  const double gap = RegionGap(display.scale);
  const RegionMap oldRects = PixelRegionRects(before, display.work, gap);
  const RegionMap newRects = PixelRegionRects(after, display.work, gap);
  const FramesFrontFirst frames = hooks_.windows ? hooks_.windows() : FramesFrontFirst{};
  const RegionLists members = ListRegionMembers(frames, oldRects);

  std::vector<GlideItem> moves;
  std::vector<GlideItem> back;
  // Back-most first, so that each region's front window is the last one moved.
  for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
    std::optional<Rect> target;
    std::int32_t region = RegionOfWindow(members, it->window);
    if (region >= 0) {
      if (const Rect* rect = newRects.Get(region)) target = *rect;
    } else if (std::vector<std::int32_t> covered;
               SpansRegions(it->frame, oldRects, display.scale, covered)) {
      target = SpanBounds(covered, newRects);
    }
    if (!target) continue;
    moves.push_back({it->window, *target});
    back.push_back({it->window, it->frame});
  }
  if (moves.empty()) return true;

  std::set<WindowId> reached =
      hooks_.moveTogether ? hooks_.moveTogether(moves) : std::set<WindowId>{};
  const bool all = std::all_of(moves.begin(), moves.end(), [&](const GlideItem& move) {
    return reached.contains(move.window);
  });
  if (!all) {
    if (hooks_.moveTogether) hooks_.moveTogether(back);
    if (hooks_.notify) hooks_.notify(kDividerStaysMessage);
    Log("dividers rolled back, %d windows", static_cast<int>(moves.size()));
  } else {
    Log("dividers moved %d windows", static_cast<int>(moves.size()));
  }
  if (hooks_.scheduleRefresh) hooks_.scheduleRefresh(0.15);
  return all;
}

}  // namespace tessary
