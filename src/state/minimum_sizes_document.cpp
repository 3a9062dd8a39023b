#include "state/minimum_sizes_document.h"

#include "layout/json_value.h"

namespace tessary {

AppMinimumSizes ParseAppMinimumSizes(std::string_view text) {
  AppMinimumSizes sizes;
  JsonValue document;
  if (!ParseJson(text, document) || !document.IsObject()) return sizes;
  for (const JsonMember& member : document.Members()) {
    if (!member.value.IsArray() || member.value.Elements().size() != 2) continue;
    const auto& pair = member.value.Elements();
    // A later member with the same key wins, as it would when read into a table in order.
    sizes[member.key] = AppMinimumSize{pair[0].AsNumber(), pair[1].AsNumber()};
  }
  return sizes;
}

std::string WriteAppMinimumSizes(const AppMinimumSizes& sizes) {
  JsonValue document = JsonValue::MakeObject();
  for (const auto& [key, size] : sizes) {
    JsonValue pair = JsonValue::MakeArray();
    pair.Append(JsonValue(size.width));
    pair.Append(JsonValue(size.height));
    document.AddMember(key, std::move(pair));
  }
  return WriteJsonCompact(document);
}

}  // namespace tessary
