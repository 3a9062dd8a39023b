// Matching windows to free regions: the cases a user meets, and random desktops against a
// brute-force maximum matching (which also walk the exclusions and the augmenting search).

#include "engine/composition_assignment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace tessary {
namespace {

WindowId W(int n) { return static_cast<WindowId>(n); }

// The two halves of a 1920 x 1040 work area with an 8-pixel gap.
const RegionMap kHalves{{0, {0, 0, 956, 1040}}, {1, {964, 0, 956, 1040}}};

TEST(CompositionScore, ZeroDistanceInPlaceAndWeightedSizes) {
  EXPECT_EQ(CompositionScore({0, 0, 956, 1040}, {1, 0, 956, 1041}), -1);
  EXPECT_EQ(CompositionScore({0, 0, 100, 100}, {30, 40, 100, 100}), 50);
  // Same centre, 100 wider and 50 taller: a fifth of each.
  EXPECT_DOUBLE_EQ(CompositionScore({-50, -25, 200, 150}, {0, 0, 100, 100}), 30);
}

struct Case {
  const char* name;
  RegionMap regions;
  std::vector<CompositionCandidate> candidates;
  CompositionExclusions exclusions;
  std::map<std::int32_t, WindowId> expected;
};

TEST(AssignComposition, Cases) {
  const std::vector<Case> cases = {
      {"a window already in place stays even when another is nearer by centre",
       kHalves,
       {{W(1), {200, 300, 556, 440}}, {W(2), {0, 0, 956, 1040}}},
       {},
       {{0, W(2)}, {1, W(1)}}},
      // Regions with one choice each go left to right, so the left half is served first
      // even though the window stands in the right one.
      {"a window too wide for either half is left out",
       kHalves,
       {{W(1), {0, 0, 956, 1040}, 1200, 0}, {W(2), {1000, 0, 900, 900}}},
       {},
       {{0, W(2)}}},
      {"a window listed twice counts once",
       kHalves,
       {{W(1), {0, 0, 956, 1040}}, {W(1), {964, 0, 956, 1040}}},
       {},
       {{0, W(1)}}},
      {"equal scores keep the candidates' order",
       RegionMap{{0, {0, 0, 956, 1040}}},
       {{W(2), {100, 0, 956, 1040}}, {W(1), {-100, 0, 956, 1040}}},
       {},
       {{0, W(2)}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AssignComposition(c.candidates, c.regions, c.exclusions), c.expected) << c.name;
  }
}

bool Eligible(const CompositionCandidate& c, std::int32_t region, const Rect& rect,
              const CompositionExclusions& exclusions) {
  auto it = exclusions.find(c.window);
  return c.minWidth <= rect.width && c.minHeight <= rect.height &&
         (it == exclusions.end() || !it->second.contains(region));
}

// The largest number of regions that can get a window, by trying everything.
int BruteForce(const std::vector<CompositionCandidate>& candidates, const RegionMap& regions,
               std::size_t next, std::vector<bool>& used, const CompositionExclusions& exclusions) {
  if (next == regions.size()) return 0;
  const auto& [region, rect] = regions.begin()[next];
  int best = BruteForce(candidates, regions, next + 1, used, exclusions);
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    if (used[i] || !Eligible(candidates[i], region, rect, exclusions)) continue;
    used[i] = true;
    best = std::max(best, 1 + BruteForce(candidates, regions, next + 1, used, exclusions));
    used[i] = false;
  }
  return best;
}

TEST(AssignComposition, RandomDesktopsMatchAsManyRegionsAsPossible) {
  std::mt19937 random(20261207);
  auto uniform = [&](double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  };
  for (int round = 0; round < 200; ++round) {
    const int regionCount = 1 + static_cast<int>(random() % 7);
    const int windowCount = 1 + static_cast<int>(random() % 8);
    RegionMap regions;
    for (int r = 0; r < regionCount; ++r) {
      regions.insert_or_assign(
          r, Rect{uniform(0, 1500), uniform(0, 800), uniform(200, 900), uniform(200, 700)});
    }
    std::vector<CompositionCandidate> candidates;
    CompositionExclusions exclusions;
    for (int w = 1; w <= windowCount; ++w) {
      candidates.push_back(
          {W(w),
           {uniform(0, 1500), uniform(0, 800), uniform(200, 900), uniform(200, 700)},
           random() % 3 == 0 ? uniform(200, 900) : 0,
           0});
      if (random() % 3 == 0) exclusions[W(w)].insert(static_cast<std::int32_t>(random() % 7));
    }

    const std::map<std::int32_t, WindowId> assigned =
        AssignComposition(candidates, regions, exclusions);
    std::vector<bool> used(candidates.size(), false);
    ASSERT_EQ(static_cast<int>(assigned.size()),
              BruteForce(candidates, regions, 0, used, exclusions))
        << "round " << round;
    std::set<WindowId> windows;
    for (const auto& [region, window] : assigned) {
      EXPECT_TRUE(windows.insert(window).second) << "round " << round;
      const CompositionCandidate& c = candidates[ToNumber(window) - 1];
      EXPECT_TRUE(Eligible(c, region, *regions.Get(region), exclusions)) << "round " << round;
    }
  }
}

}  // namespace
}  // namespace tessary
