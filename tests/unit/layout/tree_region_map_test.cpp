#include <gtest/gtest.h>

#include <vector>

#include "layout/region_map.h"

namespace tessary {
namespace {

std::vector<int> Keys(const RegionMap& map) {
  std::vector<int> keys;
  for (const auto& [region, rect] : map) keys.push_back(region);
  return keys;
}

TEST(RegionMap, AscendingOrderWhateverTheInsertionOrderAndTheFirstEmplaceStays) {
  RegionMap map;
  for (int region : {5, 1, 9, 3}) EXPECT_TRUE(map.emplace(region, {1.0 * region, 0, 1, 1}));
  EXPECT_EQ(Keys(map), (std::vector<int>{1, 3, 5, 9}));
  EXPECT_EQ(map.Get(4), nullptr);
  EXPECT_EQ(map.find(4), map.end());
  EXPECT_EQ(map.count(9), 1u);

  EXPECT_FALSE(map.emplace(3, {7, 7, 7, 7}));
  EXPECT_EQ(*map.Get(3), (Rect{3, 0, 1, 1}));
  map.insert_or_assign(3, {7, 7, 7, 7});
  EXPECT_EQ(*map.Get(3), (Rect{7, 7, 7, 7}));
  map[4].width = 3;
  EXPECT_EQ(*map.Get(4), (Rect{0, 0, 3, 0}));
  EXPECT_EQ(map.erase(3), 1u);
  EXPECT_EQ(map.erase(3), 0u);
  EXPECT_EQ(Keys(map), (std::vector<int>{1, 4, 5, 9}));
}

TEST(RegionMap, HoldsMoreThanSixteenEntriesWithoutLosingAny) {
  // Only an invalid tree produces this many; nothing may be dropped or overrun.
  RegionMap map;
  for (int i = 0; i < 40; ++i) map.emplace((i * 7) % 40 - 10, {static_cast<double>(i), 0, 1, 1});
  std::vector<int> keys = Keys(map);
  ASSERT_EQ(keys.size(), 40u);
  for (int i = 0; i < 40; ++i) EXPECT_EQ(keys[i], i - 10);

  RegionMap copy = map;
  EXPECT_EQ(copy, map);
  copy[100] = Rect{};
  EXPECT_FALSE(copy == map);
  map.clear();
  EXPECT_TRUE(map.empty());
}

}  // namespace
}  // namespace tessary
