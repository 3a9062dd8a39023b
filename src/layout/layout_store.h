#pragma once

// The catalogue per display: the built-ins with the display's adjusted proportions, the
// user's own layouts and the active layout. Loaded once from its documents and written
// back one key at a time after every change.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/document_store.h"
#include "layout/layout_documents.h"
#include "layout/layout_tree.h"

namespace tessary {

class LayoutStore {
 public:
  // Reads the three documents from `documents`, which must outlive the store. Without a
  // document store everything stays in memory.
  explicit LayoutStore(DocumentStore* documents = nullptr);

  // The picker's catalogue: the built-ins (with adjusted trees where the region set still
  // matches), a remembered custom corner layout, then the user's own layouts.
  std::vector<SnapLayout> LayoutsForDisplay(std::string_view display) const;
  std::vector<SnapLayout> CustomLayouts(std::string_view display) const;
  std::optional<SnapLayout> ActiveLayout(std::string_view display) const;

  void SetActiveLayout(std::string_view display, const SnapLayout& layout);
  // Remembers the layout's tree as its adjusted proportions on this display and makes it
  // the active layout. Called whenever a layout has been applied.
  void RememberLayout(std::string_view display, const SnapLayout& layout);
  // Adds the layout, or replaces the display's layout with its id. Fails unless the id is
  // the user's, the tree is valid and the name passes NormalizeLayoutName or is the name
  // the layout is already stored under.
  bool SaveCustomLayout(std::string_view display, const SnapLayout& layout);
  bool DeleteCustomLayout(std::string_view display, std::string_view id);
  // Replaces the display's whole custom list (an import). Fails, changing nothing, unless
  // every layout would also be accepted by SaveCustomLayout and the ids are unique.
  bool ReplaceCustomLayouts(std::string_view display, std::vector<SnapLayout> layouts);
  // Forgets the display's adjusted trees and active layout; the user's layouts stay.
  void ResetDisplay(std::string_view display);

  // Layouts offered for switching: built-ins as built, the user's own, then `current` (or
  // the active layout) and the custom corner layout unless already listed.
  std::vector<SnapLayout> SwitchList(std::string_view display,
                                     const SnapLayout* current = nullptr) const;
  // Layouts tried when windows are re-placed after a display change, without repeats.
  std::vector<SnapLayout> RecoveryList(std::string_view display) const;

  static const SnapLayout* FindBuiltIn(std::string_view id);

  // Everything held, for writing elsewhere and for checks.
  const AdjustedTrees& adjustedTrees() const { return adjusted_; }
  const CustomLayoutLists& customLayouts() const { return custom_; }
  const ActiveLayouts& activeLayouts() const { return active_; }

 private:
  // `layout` with the display's adjusted tree when one is remembered for its id and uses
  // the same regions.
  SnapLayout WithAdjustedTree(std::string_view display, const SnapLayout& layout) const;
  bool ForgetAdjustedTree(std::string_view display, std::string_view id);
  void SaveAdjustedTrees();
  void SaveCustomLayouts();
  void SaveActiveLayouts();

  DocumentStore* documents_;
  AdjustedTrees adjusted_;
  CustomLayoutLists custom_;
  ActiveLayouts active_;
};

}  // namespace tessary
