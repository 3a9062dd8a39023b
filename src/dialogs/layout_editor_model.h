#pragma once

// What the layout editor edits, without its window: the tree with undo and redo, the
// selected region, the apps of each region, and the rules for what may be done next.
// Trees are immutable, so the undo history is a list of shared roots and costs little.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "layout/layout_tree.h"

namespace tessary {

using RegionApps = std::map<std::int32_t, std::vector<std::string>>;

// Regions narrower (or lower) than this cannot be halved, and no divider may leave a
// region smaller than the smallest ratio.
inline constexpr double kEditorSmallestSplit = 0.16;
inline constexpr double kEditorMinimumFraction = kMinRatio;
inline constexpr std::size_t kEditorUndoLimit = 100;

// Regions in reading order: by left edge (edges closer than 1e-6 count as equal), then
// by top edge. A region's label is its 1-based position here.
std::vector<std::int32_t> RegionsInDisplayOrder(const NodeRef& tree);
// 0 when the region is not in the tree.
int RegionLabel(const NodeRef& tree, std::int32_t region);

class LayoutEditorModel {
 public:
  // The lowest region of `tree` starts selected.
  explicit LayoutEditorModel(NodeRef tree = MakeLeaf(0), RegionApps apps = {});

  const NodeRef& Tree() const { return tree_; }
  std::int32_t Selected() const { return selected_; }
  // False when the tree has no such region.
  bool Select(std::int32_t region);

  // A valid tree that differs from the current one becomes current, the old one going
  // onto the undo list. False when nothing changed.
  bool Commit(const NodeRef& tree);
  bool Undo();
  bool Redo();
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }

  // Halving the selected region: Columns side by side, Rows top and bottom. The first
  // half keeps the region's number, the second takes the lowest free one.
  bool CanSplit(Axis axis) const;
  bool Split(Axis axis);
  // The selected region takes over its sibling's space (both must be single regions).
  bool CanMerge() const;
  bool Merge();

  // A divider (an index into ListDividers over unit space) dragged to a fraction of the
  // preview along its axis. The tree follows without committing; EndDrag commits the
  // whole drag as one step.
  bool BeginDrag(int divider);
  void DragTo(double fraction);
  void EndDrag();
  int DraggedDivider() const { return dragDivider_; }
  // The divider back at the middle of its split; false when the minimums forbid it.
  bool EvenSplit(int divider);

  // Apps of a region, in order. They stay with the region's number whatever the tree
  // does, so an undone merge brings them back.
  const std::vector<std::string>& AppsOf(std::int32_t region) const;
  void ClearSelectedApps();
  // Removed when present, appended otherwise.
  void ToggleSelectedApp(const std::string& app);
  void AppendSelectedApp(const std::string& app);
  // The apps of every region still in the tree that has at least one.
  RegionApps AppsInUse() const;

 private:
  void Become(NodeRef tree);

  NodeRef tree_;
  std::int32_t selected_ = 0;
  std::deque<NodeRef> undo_;
  std::vector<NodeRef> redo_;
  int dragDivider_ = -1;
  NodeRef dragStartTree_;
  RegionApps apps_;
};

}  // namespace tessary
