#include "dialogs/layout_editor_model.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "layout/tree_edit.h"
#include "layout/tree_fit.h"
#include "layout/tree_geometry.h"

namespace tessary {
namespace {

constexpr double kSameEdge = 1e-6;

std::int32_t LowestRegion(const NodeRef& tree) {
  const RegionMap rects = RegionRects(tree, kUnitRect);
  return rects.empty() ? 0 : rects.begin()->first;
}

std::optional<DividerInfo> DividerAt(const NodeRef& tree, int index) {
  if (index < 0) return std::nullopt;
  std::vector<DividerInfo> dividers = ListDividers(tree, kUnitRect);
  if (static_cast<std::size_t>(index) >= dividers.size()) return std::nullopt;
  return std::move(dividers[static_cast<std::size_t>(index)]);
}

}  // namespace

std::vector<std::int32_t> RegionsInDisplayOrder(const NodeRef& tree) {
  const RegionMap rects = RegionRects(tree, kUnitRect);
  std::vector<std::pair<std::int32_t, Rect>> order(rects.begin(), rects.end());
  std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) {
    if (std::abs(a.second.x - b.second.x) >= kSameEdge) return a.second.x < b.second.x;
    return a.second.y < b.second.y;
  });
  std::vector<std::int32_t> regions;
  for (const auto& entry : order) regions.push_back(entry.first);
  return regions;
}

int RegionLabel(const NodeRef& tree, std::int32_t region) {
  const std::vector<std::int32_t> order = RegionsInDisplayOrder(tree);
  const auto it = std::find(order.begin(), order.end(), region);
  return it == order.end() ? 0 : static_cast<int>(it - order.begin()) + 1;
}

LayoutEditorModel::LayoutEditorModel(NodeRef tree, RegionApps apps)
    : tree_(std::move(tree)), selected_(LowestRegion(tree_)), apps_(std::move(apps)) {}

bool LayoutEditorModel::Select(std::int32_t region) {
  if (!RegionRects(tree_, kUnitRect).contains(region)) return false;
  selected_ = region;
  return true;
}

void LayoutEditorModel::Become(NodeRef tree) {
  tree_ = std::move(tree);
  if (!RegionRects(tree_, kUnitRect).contains(selected_)) selected_ = LowestRegion(tree_);
}

bool LayoutEditorModel::Commit(const NodeRef& tree) {
  if (!tree || !ValidateTree(tree) || TreesEqual(tree, tree_)) return false;
  undo_.push_back(tree_);
  if (undo_.size() > kEditorUndoLimit) undo_.pop_front();
  redo_.clear();
  Become(tree);
  return true;
}

bool LayoutEditorModel::Undo() {
  if (undo_.empty()) return false;
  redo_.push_back(tree_);
  NodeRef earlier = undo_.back();
  undo_.pop_back();
  Become(std::move(earlier));
  return true;
}

bool LayoutEditorModel::Redo() {
  if (redo_.empty()) return false;
  undo_.push_back(tree_);
  NodeRef later = redo_.back();
  redo_.pop_back();
  Become(std::move(later));
  return true;
}

bool LayoutEditorModel::CanSplit(Axis axis) const {
  const RegionMap rects = RegionRects(tree_, kUnitRect);
  const Rect* rect = rects.Get(selected_);
  if (!rect || !FirstFreeRegion(tree_)) return false;
  const double extent = axis == Axis::Columns ? rect->width : rect->height;
  return extent >= kEditorSmallestSplit;
}

bool LayoutEditorModel::Split(Axis axis) {
  if (!CanSplit(axis)) return false;
  const NodeRef halves =
      MakeSplit(axis, 0.5, MakeLeaf(selected_), MakeLeaf(*FirstFreeRegion(tree_)));
  return Commit(ReplaceRegion(tree_, selected_, halves));
}

bool LayoutEditorModel::CanMerge() const { return CollapseLeafPair(tree_, selected_) != nullptr; }

bool LayoutEditorModel::Merge() {
  const NodeRef merged = CollapseLeafPair(tree_, selected_);
  return merged && Commit(merged);
}

bool LayoutEditorModel::BeginDrag(int divider) {
  if (!DividerAt(tree_, divider)) return false;
  dragDivider_ = divider;
  dragStartTree_ = tree_;
  return true;
}

void LayoutEditorModel::DragTo(double fraction) {
  if (dragDivider_ < 0) return;
  const std::optional<DividerInfo> divider = DividerAt(dragStartTree_, dragDivider_);
  if (!divider) return;
  tree_ = MoveDivider(dragStartTree_, divider->path, fraction, kUnitRect, kEditorMinimumFraction,
                      kEditorMinimumFraction);
}

void LayoutEditorModel::EndDrag() {
  if (dragDivider_ < 0) return;
  NodeRef dragged = tree_;
  tree_ = dragStartTree_;
  dragDivider_ = -1;
  dragStartTree_.reset();
  Commit(dragged);
}

bool LayoutEditorModel::EvenSplit(int divider) {
  const std::optional<DividerInfo> found = DividerAt(tree_, divider);
  if (!found) return false;
  const NodeRef even =
      EvenSplitAtPath(tree_, found->path, kEditorMinimumFraction, kEditorMinimumFraction);
  return even && Commit(even);
}

const std::vector<std::string>& LayoutEditorModel::AppsOf(std::int32_t region) const {
  static const std::vector<std::string> kNone;
  const auto it = apps_.find(region);
  return it == apps_.end() ? kNone : it->second;
}

void LayoutEditorModel::ClearSelectedApps() { apps_.erase(selected_); }

void LayoutEditorModel::ToggleSelectedApp(const std::string& app) {
  std::vector<std::string>& apps = apps_[selected_];
  const auto it = std::find(apps.begin(), apps.end(), app);
  if (it != apps.end()) {
    apps.erase(it);
  } else {
    apps.push_back(app);
  }
  if (apps.empty()) apps_.erase(selected_);
}

void LayoutEditorModel::AppendSelectedApp(const std::string& app) {
  apps_[selected_].push_back(app);
}

RegionApps LayoutEditorModel::AppsInUse() const {
  const RegionMap rects = RegionRects(tree_, kUnitRect);
  RegionApps used;
  for (const auto& [region, apps] : apps_) {
    if (!apps.empty() && rects.contains(region)) used[region] = apps;
  }
  return used;
}

}  // namespace tessary
