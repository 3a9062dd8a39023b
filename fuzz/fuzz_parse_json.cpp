// Reads arbitrary bytes as JSON. Whatever reads must survive both writers: their text
// must read back to the same value (with the layout writer's sorted keys), and writing
// that again must give the same text.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "layout/json_value.h"

namespace {

using tessary::JsonKind;
using tessary::JsonMember;
using tessary::JsonValue;

// An escaped NUL reads as nothing, so a raw NUL byte in a string cannot survive being
// written as "\u0000"; it is the one byte a round trip drops.
std::string WithoutNul(const std::string& text) {
  std::string out = text;
  out.erase(std::remove(out.begin(), out.end(), '\0'), out.end());
  return out;
}

// What a value reads back as after a write: NULs dropped, keys sorted when `sorted`.
JsonValue Expected(const JsonValue& value, bool sorted) {
  switch (value.Kind()) {
    case JsonKind::String:
      return JsonValue(WithoutNul(value.AsString()));
    case JsonKind::Array: {
      JsonValue out = JsonValue::MakeArray();
      for (const JsonValue& element : value.Elements()) out.Append(Expected(element, sorted));
      return out;
    }
    case JsonKind::Object: {
      // Sorted by the keys as written, before their NULs are dropped.
      std::vector<const JsonMember*> members;
      for (const JsonMember& member : value.Members()) members.push_back(&member);
      if (sorted) {
        std::stable_sort(members.begin(), members.end(),
                         [](const JsonMember* a, const JsonMember* b) { return a->key < b->key; });
      }
      JsonValue out = JsonValue::MakeObject();
      for (const JsonMember* member : members) {
        out.AddMember(WithoutNul(member->key), Expected(member->value, sorted));
      }
      return out;
    }
    default:
      return value;
  }
}

// Structural equality where NaN equals NaN.
bool Same(const JsonValue& a, const JsonValue& b) {
  if (a.Kind() != b.Kind()) return false;
  switch (a.Kind()) {
    case JsonKind::Number:
      return a.AsNumber() == b.AsNumber() || (std::isnan(a.AsNumber()) && std::isnan(b.AsNumber()));
    case JsonKind::Array: {
      const auto& x = a.Elements();
      const auto& y = b.Elements();
      if (x.size() != y.size()) return false;
      for (std::size_t i = 0; i < x.size(); ++i) {
        if (!Same(x[i], y[i])) return false;
      }
      return true;
    }
    case JsonKind::Object: {
      const auto& x = a.Members();
      const auto& y = b.Members();
      if (x.size() != y.size()) return false;
      for (std::size_t i = 0; i < x.size(); ++i) {
        if (x[i].key != y[i].key || !Same(x[i].value, y[i].value)) return false;
      }
      return true;
    }
    default:
      return a == b;
  }
}

void Check(bool condition) {
  if (!condition) std::abort();
}

void CheckRoundTrip(const JsonValue& value, const std::string& text, bool sorted, bool pretty) {
  JsonValue back;
  Check(tessary::ParseJson(text, back));
  Check(Same(back, Expected(value, sorted)));
  const std::string again =
      sorted ? tessary::WriteJsonSorted(back, pretty) : tessary::WriteJsonCompact(back);
  JsonValue third;
  Check(tessary::ParseJson(again, third));
  Check(Same(third, Expected(back, sorted)));
  Check(again ==
        (sorted ? tessary::WriteJsonSorted(third, pretty) : tessary::WriteJsonCompact(third)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  JsonValue value;
  if (!tessary::ParseJson(text, value)) return 0;
  CheckRoundTrip(value, tessary::WriteJsonCompact(value), false, false);
  CheckRoundTrip(value, tessary::WriteJsonSorted(value, false), true, false);
  CheckRoundTrip(value, tessary::WriteJsonSorted(value, true), true, true);
  JsonValue copy = value;
  Check(Same(copy, value));
  return 0;
}
