#pragma once

// The layout exchange file: the user's layouts as a small JSON document that can be
// exported from one display or machine and imported on another. Layout ids and apps are
// not part of the file; an imported layout's id is derived from its name and tree, so
// importing the same file twice is recognised.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/layout_tree.h"

namespace tessary {

inline constexpr std::string_view kExchangeFormat = "quandervolt.Tessary.layouts";
inline constexpr std::size_t kMaxExchangeFileBytes = 1024 * 1024;
inline constexpr std::size_t kMaxExchangeLayouts = 128;

// Either the text or an error sentence for the user.
struct ExportText {
  std::string text;
  std::string error;
};

// Either the layouts (trimmed names, derived ids, no apps) or an error sentence.
struct ParsedExchangeFile {
  std::vector<SnapLayout> layouts;
  std::string error;
};

struct MergeResult {
  std::vector<SnapLayout> layouts;
  int added = 0;
  int skipped = 0;
};

ExportText BuildExportText(const std::vector<SnapLayout>& layouts);

// Checks the whole file before giving anything: one bad layout fails the file.
ParsedExchangeFile ParseExchangeFile(std::string_view text);

// "user-import-" + the SHA-256 of the compact sorted JSON of {"name", "tree"}.
std::string ImportedLayoutId(std::string_view trimmedName, const NodeRef& tree);

// Adds `imported` to a copy of `existing`: a layout already present (same id or name, and
// the same tree) is skipped; a name that clashes (ignoring ASCII case) gets an
// " (imported)" or " (imported N)" suffix; an id already taken is replaced by `newId`.
MergeResult MergeImported(const std::vector<SnapLayout>& imported,
                          const std::vector<SnapLayout>& existing,
                          const std::function<std::string()>& newId);

// The information shown after an import onto the display named `displayName`.
std::string ImportReportText(int added, int skipped, std::string_view displayName);

}  // namespace tessary
