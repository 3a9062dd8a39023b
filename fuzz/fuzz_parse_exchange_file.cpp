// Exchange files from anywhere: reading one must never crash, must either give a fixed
// sentence or 1 to 128 layouts that are valid in every respect, and whatever it accepts
// must export, read back identically, and merge into a list the catalogue accepts.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "layout/exchange_file.h"
#include "layout/layout_ids.h"
#include "layout/layout_names.h"
#include "layout/layout_store.h"

namespace {

using namespace tessary;

const std::set<std::string> kMessages = {
    "Layout files must be no larger than 1 MB.",
    "The data couldn\u2019t be read because it isn\u2019t in the correct format.",
    "This is not a Tessary layout file.",
    "This layout file uses an unsupported version. Try a newer version of Tessary.",
    "A layout file must contain between 1 and 128 layouts.",
    "A layout is missing its name.",
    "Layout names must be 1\u201360 characters without control characters.",
    "A layout tree is invalid or too deeply nested.",
    "Regions must have unique integer numbers from 0 to 15.",
    "Splits must specify columns or rows and a ratio between 0.08 and 0.92.",
    "A layout contains duplicate or invalid regions.",
};

void CheckAccepted(const std::vector<SnapLayout>& layouts) {
  CHECK(!layouts.empty() && layouts.size() <= kMaxExchangeLayouts);
  for (const SnapLayout& layout : layouts) {
    CHECK(ValidateTree(layout.tree));
    CHECK(NormalizeLayoutName(layout.name) == layout.name);
    CHECK(layout.id == ImportedLayoutId(layout.name, layout.tree));
    CHECK(layout.id.size() == kImportedLayoutIdPrefix.size() + 64);
    CHECK(layout.apps.empty());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ParsedExchangeFile parsed = ParseExchangeFile(text);
  if (!parsed.error.empty()) {
    CHECK(kMessages.count(parsed.error) == 1);
    CHECK(parsed.layouts.empty());
    return 0;
  }
  CheckAccepted(parsed.layouts);

  // Export and read back: the same names, trees and ids.
  const ExportText exported = BuildExportText(parsed.layouts);
  CHECK(exported.error.empty());
  const ParsedExchangeFile back = ParseExchangeFile(exported.text);
  CHECK(back.error.empty());
  CHECK(back.layouts.size() == parsed.layouts.size());
  for (std::size_t i = 0; i < back.layouts.size(); ++i) {
    CHECK(back.layouts[i].name == parsed.layouts[i].name);
    CHECK(back.layouts[i].id == parsed.layouts[i].id);
    CHECK(TreesEqual(back.layouts[i].tree, parsed.layouts[i].tree));
  }

  // Merged onto an empty display and then again onto the result: the catalogue takes the
  // first result whole, and the second merge finds everything already there.
  std::uint32_t counter = 0;
  const auto newId = [&counter] {
    Guid guid;
    guid.data1 = ++counter;
    return UserLayoutIdFromGuid(guid);
  };
  const MergeResult first = MergeImported(parsed.layouts, {}, newId);
  CHECK(first.added + first.skipped == static_cast<int>(parsed.layouts.size()));
  CHECK(first.added >= 1);
  LayoutStore store;
  CHECK(store.ReplaceCustomLayouts("display", first.layouts));
  const MergeResult second = MergeImported(parsed.layouts, first.layouts, newId);
  CHECK(second.added == 0);
  CHECK(second.layouts.size() == first.layouts.size());
  // Against layouts of the same names but other trees every import clashes and takes a
  // suffix; the result must still be a list the catalogue takes whole.
  std::vector<SnapLayout> existing;
  for (const SnapLayout& layout : parsed.layouts) {
    SnapLayout other = layout;
    other.id = NewUserLayoutId([&counter] { return Guid{++counter}; });
    other.tree = MakeLeaf(TreesEqual(layout.tree, MakeLeaf(0)) ? 1 : 0);
    existing.push_back(other);
  }
  const MergeResult clashing = MergeImported(parsed.layouts, existing, newId);
  CHECK(clashing.added + clashing.skipped == static_cast<int>(parsed.layouts.size()));
  CHECK(store.ReplaceCustomLayouts("display", clashing.layouts));
  return 0;
}
