#pragma once

// The fixed catalogue of built-in layouts, in the order every list shows them, and the
// ids and names of layouts that drops derive from them.

#include <string_view>
#include <vector>

#include "layout/layout_tree.h"

namespace tessary {

inline constexpr std::string_view kCornerCustomId = "corner-custom";
inline constexpr std::string_view kCornerCustomName = "Custom corner layout";
inline constexpr std::string_view kCustomLayoutName = "Custom layout";

// Created once on first use; never changes. Every built-in has no apps.
const std::vector<SnapLayout>& BuiltInLayouts();

// The built-in with exactly this id (case-sensitive), or null.
const SnapLayout* FindBuiltIn(std::string_view id);

// The first built-in whose tree equals `tree` exactly, or null.
const SnapLayout* BuiltInWithTree(const NodeRef& tree);

// Same id, same name, equal trees and equal apps.
bool LayoutsEqual(const SnapLayout& a, const SnapLayout& b);

// True when both trees use exactly the same region numbers.
bool SameRegionSet(const NodeRef& a, const NodeRef& b);

}  // namespace tessary
