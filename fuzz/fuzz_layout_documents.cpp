// The layouts state from arbitrary text: the three stored documents (separated by a 0xFF
// byte in the input) are loaded into a catalogue, which must never crash, must hold only
// valid trees and acceptable custom layouts, must keep working through its operations and
// the drop derivations, and must write documents that read back the same.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_check.h"
#include "layout/builtin_layouts.h"
#include "layout/layout_derivations.h"
#include "layout/layout_documents.h"
#include "layout/layout_ids.h"
#include "layout/layout_names.h"
#include "layout/layout_store.h"
#include "layout/tree_geometry.h"

namespace {

using namespace tessary;

std::set<std::string> Displays(const LayoutStore& store) {
  std::set<std::string> displays;
  for (const auto& entry : store.adjustedTrees()) displays.insert(entry.first);
  for (const auto& entry : store.customLayouts()) displays.insert(entry.first);
  for (const auto& entry : store.activeLayouts()) displays.insert(entry.first);
  return displays;
}

void CheckList(const std::vector<SnapLayout>& list) {
  for (const SnapLayout& layout : list) CHECK(ValidateTree(layout.tree));
}

void CheckStore(const LayoutStore& store) {
  for (const auto& [display, byId] : store.adjustedTrees()) {
    for (const auto& [id, tree] : byId) CHECK(ValidateTree(tree));
  }
  for (const auto& [display, layouts] : store.customLayouts()) {
    std::set<std::string> ids;
    for (const SnapLayout& layout : layouts) {
      CHECK(IsUserLayoutId(layout.id));
      CHECK(ValidateTree(layout.tree));
      CHECK(IsAcceptableStoredLayoutName(layout.name));
      CHECK(ids.insert(layout.id).second);
    }
  }
  for (const auto& [display, layout] : store.activeLayouts()) CHECK(ValidateTree(layout.tree));
  for (const std::string& display : Displays(store)) {
    CheckList(store.LayoutsForDisplay(display));
    CheckList(store.SwitchList(display));
    CheckList(store.RecoveryList(display));
  }
}

// Every derivation a drop can make from every layout in the display's catalogue.
void Derive(const std::vector<SnapLayout>& catalogue) {
  for (const SnapLayout& layout : catalogue) {
    for (int corner = 0; corner < 4; ++corner) {
      CHECK(ValidateTree(CornerLayout(&layout, corner, catalogue).layout.tree));
    }
    for (const auto& [region, rect] : RegionRects(layout.tree, kUnitRect)) {
      for (Axis axis : {Axis::Columns, Axis::Rows}) {
        if (auto split = SplitRegion(layout, region, axis, region % 2 == 0)) {
          CHECK(ValidateTree(split->layout.tree));
        }
      }
      if (auto rejoined = RejoinRegion(layout, region)) {
        CHECK(ValidateTree(rejoined->layout.tree));
        CHECK(rejoined->affected.count(region) == 1);
      }
    }
    for (double x : {0.0, 0.1, 0.3333333333333333, 0.5, 0.77, 1.0}) {
      if (auto column = WholeColumn(layout, x)) {
        CHECK(ValidateTree(column->layout.tree));
        CHECK(column->affected.count(column->region) == 1);
      }
    }
  }
}

struct Texts {
  std::string adjusted, custom, active;
  bool operator==(const Texts&) const = default;
};

Texts Written(const LayoutStore& store) {
  return {WriteAdjustedTrees(store.adjustedTrees()), WriteCustomLayouts(store.customLayouts()),
          WriteActiveLayouts(store.activeLayouts())};
}

Texts Reloaded(const Texts& texts) {
  MemoryDocumentStore documents;
  documents.Set(kAdjustedTreesKey, texts.adjusted);
  documents.Set(kCustomLayoutsKey, texts.custom);
  documents.Set(kActiveLayoutsKey, texts.active);
  LayoutStore store(&documents);
  CheckStore(store);
  return Written(store);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  std::string_view parts[3];
  std::string_view rest = input;
  for (int i = 0; i < 3; ++i) {
    const std::size_t cut = i < 2 ? rest.find('\xFF') : std::string_view::npos;
    parts[i] = rest.substr(0, cut);
    rest = cut == std::string_view::npos ? std::string_view() : rest.substr(cut + 1);
  }
  MemoryDocumentStore documents;
  documents.Set(kAdjustedTreesKey, std::string(parts[0]));
  documents.Set(kCustomLayoutsKey, std::string(parts[1]));
  documents.Set(kActiveLayoutsKey, std::string(parts[2]));
  LayoutStore store(&documents);
  CheckStore(store);

  // What was loaded writes documents that load into the same catalogue.
  const Texts written = Written(store);
  const Texts again = Reloaded(written);
  CHECK(Reloaded(again) == again);

  // The catalogue keeps working on what it loaded.
  std::uint32_t counter = 0;
  int displays = 0;
  for (const std::string& display : Displays(store)) {
    if (displays++ == 4) break;  // a few displays suffice and keep the runs fast
    const std::vector<SnapLayout> catalogue = store.LayoutsForDisplay(display);
    Derive(catalogue);
    for (const SnapLayout& layout : catalogue) store.RememberLayout(display, layout);
    for (const SnapLayout& layout : store.CustomLayouts(display)) {
      SnapLayout copy = layout;
      copy.id = NewUserLayoutId([&counter] { return Guid{++counter}; });
      // A new id makes it a new layout: its name must pass the full check.
      CHECK(store.SaveCustomLayout(display, copy) == NormalizeLayoutName(copy.name).has_value());
      CHECK(store.DeleteCustomLayout(display, layout.id));
    }
    CheckStore(store);
    store.ResetDisplay(display);
  }
  CheckStore(store);
  LayoutStore reloaded(&documents);
  CheckStore(reloaded);
  return 0;
}
