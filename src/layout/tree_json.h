#pragma once

// Layout trees as JSON. A leaf is {"region": n}; a split is {"axis": "columns"|"rows",
// "ratio": r, "first": tree, "second": tree}.

#include <string>

#include "layout/json_value.h"
#include "layout/layout_tree.h"

namespace tessary {

// Keys in the order axis, ratio, first, second (the layout writer sorts them anyway).
JsonValue TreeToJson(const NodeRef& tree);

// The strict reader for trees from outside (exchange files): at most 31 nodes, no node
// deeper than 15, every number checked. On failure gives null and, when `error` is given,
// one of four fixed sentences saying what was wrong.
NodeRef ParseLayoutTree(const JsonValue& value, std::string* error = nullptr);

// The lenient reader for trees the program stored itself; callers validate where it
// matters. Null when the value has not even the shape of a tree.
NodeRef ReadStoredTree(const JsonValue& value);

inline constexpr const char* kTreeStructureError = "A layout tree is invalid or too deeply nested.";
inline constexpr const char* kTreeRegionError =
    "Regions must have unique integer numbers from 0 to 15.";
inline constexpr const char* kTreeSplitError =
    "Splits must specify columns or rows and a ratio between 0.08 and 0.92.";
inline constexpr const char* kTreeDuplicateError =
    "A layout contains duplicate or invalid regions.";

}  // namespace tessary
