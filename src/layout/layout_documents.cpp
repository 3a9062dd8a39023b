#include "layout/layout_documents.h"

#include <climits>
#include <cstdint>
#include <string>

#include "layout/layout_ids.h"
#include "layout/layout_names.h"
#include "layout/tree_json.h"

namespace tessary {
namespace {

// atoi's reading of a region key ("2", " 7", "x" -> 0), clamped instead of overflowing.
std::int32_t RegionFromKey(std::string_view key) {
  std::size_t i = 0;
  while (i < key.size() && (key[i] == ' ' || (key[i] >= '\t' && key[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < key.size() && (key[i] == '+' || key[i] == '-')) negative = key[i++] == '-';
  long long value = 0;
  for (; i < key.size() && key[i] >= '0' && key[i] <= '9'; ++i) {
    value = value * 10 + (key[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) break;
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<std::int32_t>(value);
}

// A NUL cannot survive the stored JSON (it is written as an escape that reads as
// nothing), so a text is taken as the next save will keep it: loading after a save then
// gives the same catalogue as before it.
std::string AsSaved(const std::string& text) {
  std::string kept;
  for (const char c : text) {
    if (c != '\0') kept.push_back(c);
  }
  return kept;
}

// The members of the document's root object; none when the text is not an object.
bool ReadRoot(std::string_view text, JsonValue& root) {
  return ParseJson(text, root) && root.IsObject();
}

JsonValue LayoutObjects(const std::vector<SnapLayout>& layouts) {
  JsonValue array = JsonValue::MakeArray();
  for (const SnapLayout& layout : layouts) array.Append(LayoutToJson(layout));
  return array;
}

}  // namespace

JsonValue LayoutToJson(const SnapLayout& layout) {
  JsonValue object = JsonValue::MakeObject();
  object.AddMember("id", JsonValue(layout.id));
  object.AddMember("name", JsonValue(layout.name));
  object.AddMember("tree", TreeToJson(layout.tree));
  if (!layout.apps.empty()) {
    JsonValue apps = JsonValue::MakeObject();
    for (const auto& [region, identities] : layout.apps) {
      JsonValue list = JsonValue::MakeArray();
      for (const std::string& identity : identities) list.Append(JsonValue(identity));
      apps.AddMember(std::to_string(region), std::move(list));
    }
    object.AddMember("apps", std::move(apps));
  }
  return object;
}

std::optional<SnapLayout> ReadStoredLayout(const JsonValue& value) {
  if (!value.IsObject()) return std::nullopt;
  const JsonValue* treeValue = Find(value, "tree");
  NodeRef tree = treeValue != nullptr ? ReadStoredTree(*treeValue) : nullptr;
  if (!tree) return std::nullopt;
  SnapLayout layout;
  layout.tree = std::move(tree);
  if (const JsonValue* id = Find(value, "id"); id != nullptr && id->IsString()) {
    layout.id = AsSaved(id->AsString());
  }
  if (const JsonValue* name = Find(value, "name"); name != nullptr && name->IsString()) {
    layout.name = AsSaved(name->AsString());
  }
  if (const JsonValue* apps = Find(value, "apps"); apps != nullptr && apps->IsObject()) {
    for (const JsonMember& member : apps->Members()) {
      if (!member.value.IsArray()) continue;
      std::vector<std::string>& list = layout.apps[RegionFromKey(member.key)];
      for (const JsonValue& element : member.value.Elements()) {
        if (element.IsString() && !element.AsString().empty()) list.push_back(element.AsString());
      }
    }
  }
  return layout;
}

std::string WriteAdjustedTrees(const AdjustedTrees& trees) {
  JsonValue root = JsonValue::MakeObject();
  for (const auto& [display, byId] : trees) {
    JsonValue layouts = JsonValue::MakeObject();
    for (const auto& [id, tree] : byId) layouts.AddMember(id, TreeToJson(tree));
    root.AddMember(display, std::move(layouts));
  }
  return WriteJsonSorted(root, false);
}

std::string WriteCustomLayouts(const CustomLayoutLists& lists) {
  JsonValue root = JsonValue::MakeObject();
  for (const auto& [display, layouts] : lists) root.AddMember(display, LayoutObjects(layouts));
  return WriteJsonSorted(root, false);
}

std::string WriteActiveLayouts(const ActiveLayouts& layouts) {
  JsonValue root = JsonValue::MakeObject();
  for (const auto& [display, layout] : layouts) root.AddMember(display, LayoutToJson(layout));
  return WriteJsonSorted(root, false);
}

AdjustedTrees ReadAdjustedTrees(std::string_view text) {
  AdjustedTrees result;
  JsonValue root;
  if (!ReadRoot(text, root)) return result;
  for (const JsonMember& display : root.Members()) {
    if (!display.value.IsObject()) continue;
    auto& byId = result[display.key];
    for (const JsonMember& member : display.value.Members()) {
      NodeRef tree = ReadStoredTree(member.value);
      if (ValidateTree(tree)) byId.insert_or_assign(member.key, std::move(tree));
    }
    if (byId.empty()) result.erase(display.key);
  }
  return result;
}

CustomLayoutLists ReadCustomLayouts(std::string_view text) {
  CustomLayoutLists result;
  JsonValue root;
  if (!ReadRoot(text, root)) return result;
  for (const JsonMember& display : root.Members()) {
    if (!display.value.IsArray()) continue;
    std::vector<SnapLayout>& kept = result[display.key];
    for (const JsonValue& element : display.value.Elements()) {
      std::optional<SnapLayout> layout = ReadStoredLayout(element);
      if (!layout || !IsUserLayoutId(layout->id) || !ValidateTree(layout->tree) ||
          !IsAcceptableStoredLayoutName(layout->name)) {
        continue;
      }
      bool duplicate = false;
      for (const SnapLayout& earlier : kept) duplicate = duplicate || earlier.id == layout->id;
      if (!duplicate) kept.push_back(std::move(*layout));
    }
    if (kept.empty()) result.erase(display.key);
  }
  return result;
}

ActiveLayouts ReadActiveLayouts(std::string_view text) {
  ActiveLayouts result;
  JsonValue root;
  if (!ReadRoot(text, root)) return result;
  for (const JsonMember& display : root.Members()) {
    std::optional<SnapLayout> layout = ReadStoredLayout(display.value);
    if (layout && ValidateTree(layout->tree))
      result.insert_or_assign(display.key, std::move(*layout));
  }
  return result;
}

}  // namespace tessary
