#include "state/badge_placements_document.h"

#include "layout/json_value.h"

namespace tessary {
namespace {

double NumberOr0(const JsonValue& object, std::string_view key) {
  const JsonValue* value = Find(object, key);
  return value != nullptr && value->IsNumber() ? value->AsNumber() : 0.0;
}

}  // namespace

BadgePlacements ParseBadgePlacements(std::string_view text) {
  BadgePlacements placements;
  JsonValue document;
  if (!ParseJson(text, document) || !document.IsObject()) return placements;
  for (const JsonMember& member : document.Members()) {
    if (!member.value.IsArray()) continue;
    std::vector<BadgePlacement> list;
    for (const JsonValue& item : member.value.Elements()) {
      const JsonValue* slot = Find(item, "slot");
      if (slot == nullptr || !slot->IsArray() || slot->Elements().size() != 4) continue;
      BadgePlacement placement;
      for (std::size_t i = 0; i < 4; ++i) placement.slot[i] = slot->Elements()[i].AsNumber();
      const JsonValue* fromRight = Find(item, "fromRight");
      placement.fromRight = fromRight != nullptr && fromRight->AsBool();
      placement.dx = NumberOr0(item, "dx");
      placement.dy = NumberOr0(item, "dy");
      list.push_back(placement);
    }
    placements[member.key] = std::move(list);
  }
  return placements;
}

std::string WriteBadgePlacements(const BadgePlacements& placements) {
  JsonValue document = JsonValue::MakeObject();
  for (const auto& [key, list] : placements) {
    JsonValue array = JsonValue::MakeArray();
    for (const BadgePlacement& placement : list) {
      JsonValue slot = JsonValue::MakeArray();
      for (double value : placement.slot) slot.Append(JsonValue(value));
      JsonValue item = JsonValue::MakeObject();
      item.AddMember("slot", std::move(slot));
      item.AddMember("fromRight", JsonValue(placement.fromRight));
      item.AddMember("dx", JsonValue(placement.dx));
      item.AddMember("dy", JsonValue(placement.dy));
      array.Append(std::move(item));
    }
    document.AddMember(key, std::move(array));
  }
  return WriteJsonCompact(document);
}

}  // namespace tessary
