#pragma once

// Finding nodes by path or region and rebuilding trees around a replaced node. Only the
// splits on the way to a change are rebuilt; everything else is shared with the input.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>

#include "base/geometry.h"
#include "layout/layout_tree.h"

namespace tessary {

// The path to the leaf numbered `region`, searching `first` before `second`.
std::optional<TreePath> PathToRegion(const NodeRef& tree, std::int32_t region);

struct NodeAndRect {
  NodeRef node;
  Rect rect;
};

// Follows at most `steps` elements of `path` from the root, narrowing `rect` at each
// split; stops early at a leaf.
NodeAndRect NodeAtPath(const NodeRef& tree, const TreePath& path,
                       std::size_t steps = std::numeric_limits<std::size_t>::max(),
                       const Rect& rect = Rect{0, 0, 1, 1});

// The node at the end of `path` becomes the leaf `region`. A path that runs into a leaf
// before its end names no node, and the tree is returned unchanged.
NodeRef ReplaceAtPath(const NodeRef& tree, const TreePath& path, std::int32_t region);

// The leaf numbered `region` becomes `subtree`; the input when no leaf has that number.
NodeRef ReplaceRegion(const NodeRef& tree, std::int32_t region, const NodeRef& subtree);

// The first split (pre-order) whose children are both leaves, one of them `region`,
// becomes the leaf `region`, which so takes over its sibling's space. Null if none.
NodeRef CollapseLeafPair(const NodeRef& tree, std::int32_t region);

// The split at the end of `path` with a new ratio (not clamped). The input when the path
// does not end at a split.
NodeRef SetRatioAtPath(const NodeRef& tree, const TreePath& path, double ratio);

}  // namespace tessary
