#pragma once

// The three stored layout documents: adjusted trees ("layouts.v2"), the user's own layouts
// ("customLayouts.v1") and the active layouts ("activeLayouts.v1"), each keyed by display.
// Writers give compact sorted JSON; readers skip invalid entries one by one and never
// fail as a whole (bad text reads as an empty map).

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/json_value.h"
#include "layout/layout_tree.h"

namespace tessary {

inline constexpr std::string_view kAdjustedTreesKey = "layouts.v2";
inline constexpr std::string_view kCustomLayoutsKey = "customLayouts.v1";
inline constexpr std::string_view kActiveLayoutsKey = "activeLayouts.v1";

// display key -> layout id -> tree
using AdjustedTrees =
    std::map<std::string, std::map<std::string, NodeRef, std::less<>>, std::less<>>;
// display key -> the user's own layouts, in their order
using CustomLayoutLists = std::map<std::string, std::vector<SnapLayout>, std::less<>>;
// display key -> active layout
using ActiveLayouts = std::map<std::string, SnapLayout, std::less<>>;

// {"id", "name", "tree"} and "apps" (region number as text -> app identities) only when
// the layout has apps.
JsonValue LayoutToJson(const SnapLayout& layout);

// Any object with a "tree" of the stored shape; id and name empty unless strings (and
// without NUL bytes, which no save keeps); apps keys read like atoi and only non-empty
// strings kept. The tree is not validated here.
std::optional<SnapLayout> ReadStoredLayout(const JsonValue& value);

std::string WriteAdjustedTrees(const AdjustedTrees& trees);
std::string WriteCustomLayouts(const CustomLayoutLists& lists);
std::string WriteActiveLayouts(const ActiveLayouts& layouts);

// Keeps only valid trees; a later member with the same id replaces an earlier one.
AdjustedTrees ReadAdjustedTrees(std::string_view text);
// Keeps a layout only with a "user-" id, a valid tree, a name that passes the stored-name
// rule and an id not yet kept for that display.
CustomLayoutLists ReadCustomLayouts(std::string_view text);
// Keeps a layout when its tree is valid.
ActiveLayouts ReadActiveLayouts(std::string_view text);

}  // namespace tessary
