#include "layout/layout_store.h"

#include <algorithm>
#include <set>

#include "layout/builtin_layouts.h"
#include "layout/layout_ids.h"
#include "layout/layout_names.h"

namespace tessary {
namespace {

bool ListedWithTree(const std::vector<SnapLayout>& list, const SnapLayout& layout) {
  for (const SnapLayout& entry : list) {
    if (entry.id == layout.id && TreesEqual(entry.tree, layout.tree)) return true;
  }
  return false;
}

// A new name must pass the full name check; a layout may keep the name it is stored
// under, so a name from before that check was tightened never blocks a save or an import.
bool AcceptableCustomLayout(const SnapLayout& layout, const std::vector<SnapLayout>& stored) {
  if (!IsUserLayoutId(layout.id) || !ValidateTree(layout.tree)) return false;
  if (NormalizeLayoutName(layout.name)) return true;
  return std::any_of(stored.begin(), stored.end(), [&](const SnapLayout& entry) {
    return entry.id == layout.id && entry.name == layout.name;
  });
}

}  // namespace

LayoutStore::LayoutStore(DocumentStore* documents) : documents_(documents) {
  if (documents_ == nullptr) return;
  adjusted_ = ReadAdjustedTrees(documents_->Get(kAdjustedTreesKey));
  custom_ = ReadCustomLayouts(documents_->Get(kCustomLayoutsKey));
  active_ = ReadActiveLayouts(documents_->Get(kActiveLayoutsKey));
}

const SnapLayout* LayoutStore::FindBuiltIn(std::string_view id) { return tessary::FindBuiltIn(id); }

SnapLayout LayoutStore::WithAdjustedTree(std::string_view display, const SnapLayout& layout) const {
  auto byDisplay = adjusted_.find(display);
  if (byDisplay == adjusted_.end()) return layout;
  auto byId = byDisplay->second.find(layout.id);
  if (byId == byDisplay->second.end() || !SameRegionSet(byId->second, layout.tree)) return layout;
  SnapLayout adjusted = layout;
  adjusted.tree = byId->second;
  return adjusted;
}

std::vector<SnapLayout> LayoutStore::LayoutsForDisplay(std::string_view display) const {
  std::vector<SnapLayout> list;
  for (const SnapLayout& builtIn : BuiltInLayouts()) {
    list.push_back(WithAdjustedTree(display, builtIn));
  }
  if (auto byDisplay = adjusted_.find(display); byDisplay != adjusted_.end()) {
    if (auto corner = byDisplay->second.find(kCornerCustomId); corner != byDisplay->second.end()) {
      SnapLayout layout;
      layout.id = std::string(kCornerCustomId);
      layout.name = std::string(kCornerCustomName);
      layout.tree = corner->second;
      list.push_back(std::move(layout));
    }
  }
  for (const SnapLayout& custom : CustomLayouts(display)) {
    list.push_back(WithAdjustedTree(display, custom));
  }
  return list;
}

std::vector<SnapLayout> LayoutStore::CustomLayouts(std::string_view display) const {
  auto it = custom_.find(display);
  return it == custom_.end() ? std::vector<SnapLayout>() : it->second;
}

std::optional<SnapLayout> LayoutStore::ActiveLayout(std::string_view display) const {
  auto it = active_.find(display);
  if (it == active_.end()) return std::nullopt;
  return it->second;
}

void LayoutStore::SetActiveLayout(std::string_view display, const SnapLayout& layout) {
  if (!ValidateTree(layout.tree)) return;
  auto it = active_.find(display);
  if (it != active_.end() && LayoutsEqual(it->second, layout)) return;
  active_.insert_or_assign(std::string(display), layout);
  SaveActiveLayouts();
}

void LayoutStore::RememberLayout(std::string_view display, const SnapLayout& layout) {
  if (!ValidateTree(layout.tree)) return;
  auto& byId = adjusted_[std::string(display)];
  auto it = byId.find(layout.id);
  const bool changed = it == byId.end() || !TreesEqual(it->second, layout.tree);
  if (changed) byId.insert_or_assign(layout.id, layout.tree);
  SetActiveLayout(display, layout);
  if (changed) SaveAdjustedTrees();
}

bool LayoutStore::ForgetAdjustedTree(std::string_view display, std::string_view id) {
  auto byDisplay = adjusted_.find(display);
  if (byDisplay == adjusted_.end()) return false;
  auto it = byDisplay->second.find(id);
  if (it == byDisplay->second.end()) return false;
  byDisplay->second.erase(it);
  if (byDisplay->second.empty()) adjusted_.erase(byDisplay);
  return true;
}

bool LayoutStore::SaveCustomLayout(std::string_view display, const SnapLayout& layout) {
  if (!AcceptableCustomLayout(layout, CustomLayouts(display))) return false;
  std::vector<SnapLayout>& list = custom_[std::string(display)];
  bool replaced = false;
  for (SnapLayout& entry : list) {
    if (entry.id == layout.id) {
      entry = layout;
      replaced = true;
      break;
    }
  }
  if (replaced) {
    // The old proportions belong to the old tree.
    if (ForgetAdjustedTree(display, layout.id)) SaveAdjustedTrees();
  } else {
    list.push_back(layout);
  }
  SaveCustomLayouts();
  return true;
}

bool LayoutStore::DeleteCustomLayout(std::string_view display, std::string_view id) {
  auto byDisplay = custom_.find(display);
  if (byDisplay == custom_.end()) return false;
  std::vector<SnapLayout>& list = byDisplay->second;
  auto it = std::find_if(list.begin(), list.end(),
                         [&](const SnapLayout& layout) { return layout.id == id; });
  if (it == list.end()) return false;
  list.erase(it);
  if (list.empty()) custom_.erase(byDisplay);
  if (ForgetAdjustedTree(display, id)) SaveAdjustedTrees();
  if (auto active = active_.find(display); active != active_.end() && active->second.id == id) {
    active_.erase(active);
    SaveActiveLayouts();
  }
  SaveCustomLayouts();
  return true;
}

bool LayoutStore::ReplaceCustomLayouts(std::string_view display, std::vector<SnapLayout> layouts) {
  std::set<std::string_view> ids;
  const std::vector<SnapLayout> stored = CustomLayouts(display);
  for (const SnapLayout& layout : layouts) {
    if (!AcceptableCustomLayout(layout, stored) || !ids.insert(layout.id).second) return false;
  }
  if (layouts.empty()) {
    custom_.erase(std::string(display));
  } else {
    custom_.insert_or_assign(std::string(display), std::move(layouts));
  }
  SaveCustomLayouts();
  return true;
}

void LayoutStore::ResetDisplay(std::string_view display) {
  if (auto it = adjusted_.find(display); it != adjusted_.end()) adjusted_.erase(it);
  if (auto it = active_.find(display); it != active_.end()) active_.erase(it);
  SaveAdjustedTrees();
  SaveActiveLayouts();
}

std::vector<SnapLayout> LayoutStore::SwitchList(std::string_view display,
                                                const SnapLayout* current) const {
  std::vector<SnapLayout> list = BuiltInLayouts();
  for (const SnapLayout& custom : CustomLayouts(display)) list.push_back(custom);
  std::optional<SnapLayout> active;
  if (current == nullptr) {
    active = ActiveLayout(display);
    if (active) current = &*active;
  }
  if (current != nullptr && !ListedWithTree(list, *current)) list.push_back(*current);
  for (const SnapLayout& layout : LayoutsForDisplay(display)) {
    if (layout.id == kCornerCustomId && !ListedWithTree(list, layout)) list.push_back(layout);
  }
  return list;
}

std::vector<SnapLayout> LayoutStore::RecoveryList(std::string_view display) const {
  std::vector<SnapLayout> list;
  const auto add = [&list](const SnapLayout& layout) {
    for (const SnapLayout& entry : list) {
      if (LayoutsEqual(entry, layout)) return;
    }
    list.push_back(layout);
  };
  if (std::optional<SnapLayout> active = ActiveLayout(display)) add(*active);
  for (const SnapLayout& layout : LayoutsForDisplay(display)) add(layout);
  for (const SnapLayout& layout : BuiltInLayouts()) add(layout);
  return list;
}

void LayoutStore::SaveAdjustedTrees() {
  if (documents_ != nullptr) documents_->Set(kAdjustedTreesKey, WriteAdjustedTrees(adjusted_));
}

void LayoutStore::SaveCustomLayouts() {
  if (documents_ != nullptr) documents_->Set(kCustomLayoutsKey, WriteCustomLayouts(custom_));
}

void LayoutStore::SaveActiveLayouts() {
  if (documents_ != nullptr) documents_->Set(kActiveLayoutsKey, WriteActiveLayouts(active_));
}

}  // namespace tessary
