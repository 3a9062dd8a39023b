#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "layout/layout_tree.h"

namespace tessary {

NodeRef MakeLeaf(std::int32_t region) {
  auto leaf = std::make_shared<LayoutNode>();
  leaf->region = region;
  return leaf;
}

NodeRef MakeSplit(Axis axis, double ratio, NodeRef first, NodeRef second) {
  auto split = std::make_shared<LayoutNode>();
  split->isLeaf = false;
  split->axis = axis;
  split->ratio = ratio;
  split->first = std::move(first);
  split->second = std::move(second);
  return split;
}

bool TreesEqual(const NodeRef& a, const NodeRef& b) {
  if (a == b) return true;  // shared subtrees need no walk
  if (!a || !b || a->isLeaf != b->isLeaf) return false;
  if (a->isLeaf) return a->region == b->region;
  return a->axis == b->axis && a->ratio == b->ratio && TreesEqual(a->first, b->first) &&
         TreesEqual(a->second, b->second);
}

namespace {

// The set of regions used below `node` as a bit mask, or none when the subtree breaks a
// rule. Checked as a split's ratio, then each child, then the overlap of their regions.
std::optional<std::uint32_t> ValidRegions(const LayoutNode* node) {
  if (node == nullptr) return std::nullopt;
  if (node->isLeaf) {
    // Unsigned, so that negative numbers are out of range too.
    if (static_cast<std::uint32_t>(node->region) >= static_cast<std::uint32_t>(kMaxRegions)) {
      return std::nullopt;
    }
    return std::uint32_t{1} << node->region;
  }
  if (!std::isfinite(node->ratio) || node->ratio < kMinRatio || node->ratio > kMaxRatio) {
    return std::nullopt;
  }
  std::optional<std::uint32_t> first = ValidRegions(node->first.get());
  if (!first) return std::nullopt;
  std::optional<std::uint32_t> second = ValidRegions(node->second.get());
  if (!second || (*first & *second) != 0) return std::nullopt;
  return *first | *second;
}

void CollectRegions(const LayoutNode* node, std::uint32_t& used) {
  if (node == nullptr) return;
  if (node->isLeaf) {
    if (static_cast<std::uint32_t>(node->region) < static_cast<std::uint32_t>(kMaxRegions)) {
      used |= std::uint32_t{1} << node->region;
    }
    return;
  }
  CollectRegions(node->first.get(), used);
  CollectRegions(node->second.get(), used);
}

}  // namespace

bool ValidateTree(const NodeRef& tree) { return ValidRegions(tree.get()).has_value(); }

std::optional<int> FirstFreeRegion(const NodeRef& tree) {
  std::uint32_t used = 0;
  CollectRegions(tree.get(), used);
  for (int region = 0; region < kMaxRegions; ++region) {
    if ((used & (std::uint32_t{1} << region)) == 0) return region;
  }
  return std::nullopt;
}

}  // namespace tessary
