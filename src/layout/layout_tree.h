#pragma once

// Layout trees: a display's work area divided into numbered regions by two-way splits.
//
// Trees are immutable. Every operation returns a new tree that shares its unchanged
// subtrees with the old one, so a tree can be handed to any number of readers (and
// threads: shared_ptr counts are atomic) without copying. Operations that can fail give
// a null NodeRef; operations that cannot apply return their input pointer unchanged.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tessary {

// Columns: the divider is vertical, `first` is the left part. Rows: the divider is
// horizontal, `first` is the top part.
enum class Axis : std::uint8_t { Columns = 0, Rows = 1 };

struct LayoutNode;
using NodeRef = std::shared_ptr<const LayoutNode>;

struct LayoutNode {
  bool isLeaf = true;
  std::int32_t region = 0;    // a leaf's region number; 0 in a split
  Axis axis = Axis::Columns;  // Columns in a leaf
  double ratio = 0.5;         // share of the extent given to `first`; 0.5 in a leaf
  NodeRef first;              // null in a leaf
  NodeRef second;
};

// Steps from the root: false enters `first`, true enters `second`. Empty = the root.
using TreePath = std::vector<bool>;

// Limits of a valid tree. Trees read from outside are further limited in size and depth
// so that nothing downstream has to cope with absurd inputs.
inline constexpr int kMaxRegions = 16;
inline constexpr double kMinRatio = 0.08;
inline constexpr double kMaxRatio = 0.92;
inline constexpr int kMaxTreeNodes = 31;
inline constexpr int kMaxTreeDepth = 15;

struct SnapLayout {
  std::string id;
  std::string name;
  NodeRef tree = std::make_shared<const LayoutNode>();    // never null: whole screen by default
  std::map<std::int32_t, std::vector<std::string>> apps;  // region -> app identities
};

// Neither validates: the readers and editors build trees first and validate them whole.
NodeRef MakeLeaf(std::int32_t region);
NodeRef MakeSplit(Axis axis, double ratio, NodeRef first, NodeRef second);

// Structural equality; ratios compare exactly. Two null references are equal.
bool TreesEqual(const NodeRef& a, const NodeRef& b);

// Every split's ratio finite and within [0.08, 0.92], every region within 0..15 and used
// once, no missing children. Size and depth are not limited here.
bool ValidateTree(const NodeRef& tree);

// The smallest region number 0..15 that no leaf uses; none when all sixteen are taken.
std::optional<int> FirstFreeRegion(const NodeRef& tree);

}  // namespace tessary
