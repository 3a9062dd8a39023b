#pragma once

// Small builders shared by the layout and engine unit tests.

#include <algorithm>
#include <array>
#include <cstdint>
#include <numeric>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "layout/document_store.h"
#include "layout/layout_tree.h"

namespace tessary::testing {

// Builders short enough to write a tree on one line; a test takes them all with
// `using namespace testing::builders;`.
inline namespace builders {

inline NodeRef L(int region) { return MakeLeaf(region); }
inline NodeRef C(double ratio, NodeRef first, NodeRef second) {
  return MakeSplit(Axis::Columns, ratio, std::move(first), std::move(second));
}
inline NodeRef R(double ratio, NodeRef first, NodeRef second) {
  return MakeSplit(Axis::Rows, ratio, std::move(first), std::move(second));
}

// All sixteen regions: 0 is the left half, 1 to 15 are stacked in the right half.
inline NodeRef SixteenRegions() {
  NodeRef right = L(1);
  for (int region = 2; region < 16; ++region) right = R(0.5, std::move(right), L(region));
  return C(0.5, L(0), std::move(right));
}

inline SnapLayout MakeLayout(std::string id, std::string name, NodeRef tree) {
  SnapLayout layout;
  layout.id = std::move(id);
  layout.name = std::move(name);
  layout.tree = std::move(tree);
  return layout;
}

}  // namespace builders

// mt19937_64's sequence is fixed by the standard and these draws are ours, so random
// trees are the same with every compiler and standard library.
inline double RandomUnit(std::mt19937_64& random) {
  return static_cast<double>(random() >> 11) * 0x1.0p-53;
}
inline int RandomBelow(std::mt19937_64& random, int n) {
  return static_cast<int>(random() % static_cast<std::uint64_t>(n));
}

// A valid tree over 1 to 16 distinct region numbers from 0..15 in random order; its
// ratios are often the limits or the common ones, anything between them otherwise.
inline NodeRef RandomTree(std::mt19937_64& random, const int* regions, int count) {
  if (count == 1) return MakeLeaf(regions[0]);
  const int firstCount = 1 + RandomBelow(random, count - 1);
  const double common[] = {kMinRatio, kMaxRatio, 0.5, 1.0 / 3};
  const int pick = RandomBelow(random, 10);
  const double ratio =
      pick < 4 ? common[pick] : kMinRatio + (kMaxRatio - kMinRatio) * RandomUnit(random);
  const Axis axis = RandomBelow(random, 2) == 0 ? Axis::Columns : Axis::Rows;
  NodeRef first = RandomTree(random, regions, firstCount);
  return MakeSplit(axis, ratio, std::move(first),
                   RandomTree(random, regions + firstCount, count - firstCount));
}
inline NodeRef RandomTree(std::mt19937_64& random) {
  std::array<int, 16> numbers;
  std::iota(numbers.begin(), numbers.end(), 0);
  for (int i = 15; i > 0; --i) std::swap(numbers[i], numbers[RandomBelow(random, i + 1)]);
  return RandomTree(random, numbers.data(), 1 + RandomBelow(random, 16));
}

// Keeps the documents and remembers the key of every save, in order. What a key holds
// is the documents' own concern (LayoutDocuments, LayoutsFileTest).
class RecordingDocumentStore : public MemoryDocumentStore {
 public:
  void Set(std::string_view key, std::string text) override {
    saves.emplace_back(key);
    MemoryDocumentStore::Set(key, std::move(text));
  }
  std::vector<std::string> saves;
};

}  // namespace tessary::testing
