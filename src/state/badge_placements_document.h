#pragma once

// The document under "badgePlacements.v2" in badges.json: where the user dragged stack
// badges, keyed by badge key.

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

inline constexpr std::string_view kBadgePlacementsKey = "badgePlacements.v2";

struct BadgePlacement {
  std::array<double, 4> slot{};  // the slot the placement belongs to
  bool fromRight = false;
  double dx = 0;
  double dy = 0;

  friend bool operator==(const BadgePlacement&, const BadgePlacement&) = default;
};

using BadgePlacements = std::map<std::string, std::vector<BadgePlacement>>;

// Members whose value is not an array are skipped; a placement is skipped unless "slot"
// is an array of exactly four elements (read as numbers without checking their kind); a
// missing or non-bool "fromRight" reads as false, a missing or non-number "dx" or "dy" as
// 0. Text that is not a JSON object gives an empty table.
BadgePlacements ParseBadgePlacements(std::string_view text);

// Each placement as {"slot":[...],"fromRight":..,"dx":..,"dy":..}, general writer.
std::string WriteBadgePlacements(const BadgePlacements& placements);

}  // namespace tessary
