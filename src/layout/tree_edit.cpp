#include "layout/tree_edit.h"

#include <cstddef>
#include <optional>
#include <utility>

#include "layout/tree_geometry.h"

namespace tessary {

namespace {

bool FindRegion(const LayoutNode* node, std::int32_t region, TreePath& path) {
  if (node == nullptr) return false;
  if (node->isLeaf) return node->region == region;
  path.push_back(false);
  if (FindRegion(node->first.get(), region, path)) return true;
  path.back() = true;
  if (FindRegion(node->second.get(), region, path)) return true;
  path.pop_back();
  return false;
}

// `node` with the node at path[index...] replaced; the splits on the way are rebuilt
// with their axis and ratio. Null when the path does not lead to a node.
NodeRef Rebuild(const NodeRef& node, const TreePath& path, std::size_t index,
                const NodeRef& replacement) {
  if (index == path.size()) return replacement;
  if (!node || node->isLeaf) return nullptr;
  const bool intoSecond = path[index];
  NodeRef child = Rebuild(intoSecond ? node->second : node->first, path, index + 1, replacement);
  if (!child) return nullptr;
  return intoSecond ? MakeSplit(node->axis, node->ratio, node->first, std::move(child))
                    : MakeSplit(node->axis, node->ratio, std::move(child), node->second);
}

NodeRef CollapseFirstPair(const NodeRef& node, std::int32_t region) {
  if (!node || node->isLeaf) return nullptr;
  const LayoutNode* a = node->first.get();
  const LayoutNode* b = node->second.get();
  if (a != nullptr && b != nullptr && a->isLeaf && b->isLeaf &&
      (a->region == region || b->region == region)) {
    return MakeLeaf(region);
  }
  if (NodeRef first = CollapseFirstPair(node->first, region)) {
    return MakeSplit(node->axis, node->ratio, std::move(first), node->second);
  }
  if (NodeRef second = CollapseFirstPair(node->second, region)) {
    return MakeSplit(node->axis, node->ratio, node->first, std::move(second));
  }
  return nullptr;
}

}  // namespace

std::optional<TreePath> PathToRegion(const NodeRef& tree, std::int32_t region) {
  TreePath path;
  if (!FindRegion(tree.get(), region, path)) return std::nullopt;
  return path;
}

NodeAndRect NodeAtPath(const NodeRef& tree, const TreePath& path, std::size_t steps,
                       const Rect& rect) {
  NodeAndRect at{tree, rect};
  const std::size_t count = steps < path.size() ? steps : path.size();
  for (std::size_t i = 0; i < count && at.node && !at.node->isLeaf; ++i) {
    const auto [first, second] = SplitRect(at.rect, at.node->axis, at.node->ratio);
    at = path[i] ? NodeAndRect{at.node->second, second} : NodeAndRect{at.node->first, first};
  }
  return at;
}

NodeRef ReplaceAtPath(const NodeRef& tree, const TreePath& path, std::int32_t region) {
  NodeRef result = Rebuild(tree, path, 0, MakeLeaf(region));
  return result ? result : tree;
}

NodeRef ReplaceRegion(const NodeRef& tree, std::int32_t region, const NodeRef& subtree) {
  std::optional<TreePath> path = PathToRegion(tree, region);
  if (!path) return tree;
  NodeRef result = Rebuild(tree, *path, 0, subtree);
  return result ? result : tree;
}

NodeRef CollapseLeafPair(const NodeRef& tree, std::int32_t region) {
  return CollapseFirstPair(tree, region);
}

NodeRef SetRatioAtPath(const NodeRef& tree, const TreePath& path, double ratio) {
  const NodeRef split = NodeAtPath(tree, path).node;
  if (!split || split->isLeaf) return tree;  // the path ends at or runs into a leaf
  NodeRef result =
      Rebuild(tree, path, 0, MakeSplit(split->axis, ratio, split->first, split->second));
  return result ? result : tree;
}

}  // namespace tessary
