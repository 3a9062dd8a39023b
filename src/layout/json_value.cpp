#include "layout/json_value.h"

#include <utility>

namespace tessary {

JsonValue::JsonValue(bool value) : kind_(JsonKind::Bool), bool_(value) {}
JsonValue::JsonValue(double value) : kind_(JsonKind::Number), number_(value) {}
JsonValue::JsonValue(std::string value) : kind_(JsonKind::String), string_(std::move(value)) {}

JsonValue::~JsonValue() {
  // Children that are containers themselves are moved to a work list and emptied one by
  // one, so the nesting never turns into recursion on the stack.
  auto has_nested = [](const JsonValue& v) {
    for (const JsonValue& e : v.elements_) {
      if (e.HasChildren()) return true;
    }
    for (const JsonMember& m : v.members_) {
      if (m.value.HasChildren()) return true;
    }
    return false;
  };
  if (!has_nested(*this)) return;
  std::vector<JsonValue> pending;
  auto detach = [&pending](JsonValue& v) {
    for (JsonValue& e : v.elements_) {
      if (e.HasChildren()) pending.push_back(std::move(e));
    }
    for (JsonMember& m : v.members_) {
      if (m.value.HasChildren()) pending.push_back(std::move(m.value));
    }
  };
  detach(*this);
  while (!pending.empty()) {
    JsonValue next = std::move(pending.back());
    pending.pop_back();
    detach(next);
  }
}

JsonValue JsonValue::MakeArray() {
  JsonValue v;
  v.kind_ = JsonKind::Array;
  return v;
}

JsonValue JsonValue::MakeObject() {
  JsonValue v;
  v.kind_ = JsonKind::Object;
  return v;
}

const std::string& JsonValue::AsString() const {
  static const std::string kEmpty;
  return kind_ == JsonKind::String ? string_ : kEmpty;
}

const std::vector<JsonValue>& JsonValue::Elements() const {
  static const std::vector<JsonValue> kEmpty;
  return kind_ == JsonKind::Array ? elements_ : kEmpty;
}

const std::vector<JsonMember>& JsonValue::Members() const {
  static const std::vector<JsonMember> kEmpty;
  return kind_ == JsonKind::Object ? members_ : kEmpty;
}

void JsonValue::BecomeContainer(JsonKind kind) {
  if (kind_ == kind) return;
  *this = JsonValue();
  kind_ = kind;
}

std::vector<JsonValue>& JsonValue::MutableElements() {
  BecomeContainer(JsonKind::Array);
  return elements_;
}

std::vector<JsonMember>& JsonValue::MutableMembers() {
  BecomeContainer(JsonKind::Object);
  return members_;
}

void JsonValue::Append(JsonValue element) { MutableElements().push_back(std::move(element)); }

void JsonValue::AddMember(std::string key, JsonValue value) {
  MutableMembers().push_back(JsonMember{std::move(key), std::move(value)});
}

bool operator==(const JsonValue& a, const JsonValue& b) {
  if (a.kind_ != b.kind_) return false;
  switch (a.kind_) {
    case JsonKind::Null:
      return true;
    case JsonKind::Bool:
      return a.bool_ == b.bool_;
    case JsonKind::Number:
      return a.number_ == b.number_;
    case JsonKind::String:
      return a.string_ == b.string_;
    case JsonKind::Array:
      return a.elements_ == b.elements_;
    case JsonKind::Object:
      return a.members_ == b.members_;
  }
  return false;
}

const JsonValue* Find(const JsonValue& object, std::string_view key) {
  for (const JsonMember& member : object.Members()) {
    if (member.key == key) return &member.value;
  }
  return nullptr;
}

JsonValue* Find(JsonValue& object, std::string_view key) {
  if (!object.IsObject()) return nullptr;
  for (JsonMember& member : object.MutableMembers()) {
    if (member.key == key) return &member.value;
  }
  return nullptr;
}

}  // namespace tessary
