#pragma once

// The program's own JSON value: one reader (ParseJson) and two writers, the layout
// writer (sorted keys, used for layout documents) and the general writer (compact,
// insertion order, used for the state files, settings and everything else).
//
// Text is UTF-8. Objects keep their members in insertion order and may hold the same
// key twice: the reader appends every member it reads, and Find returns the first.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessary {

enum class JsonKind : std::uint8_t {
  Null = 0,
  Bool = 1,
  Number = 2,
  String = 3,
  Array = 4,
  Object = 5
};

struct JsonMember;

class JsonValue {
 public:
  JsonValue() = default;  // null
  JsonValue(bool value);
  JsonValue(double value);
  JsonValue(int value) : JsonValue(static_cast<double>(value)) {}
  JsonValue(std::string value);
  JsonValue(std::string_view value) : JsonValue(std::string(value)) {}
  JsonValue(const char* value) : JsonValue(std::string(value)) {}

  // Destroying a value never recurses through its nesting, so a value of any depth
  // can be dropped safely.
  ~JsonValue();
  JsonValue(const JsonValue&) = default;
  JsonValue(JsonValue&&) noexcept = default;
  JsonValue& operator=(const JsonValue&) = default;
  JsonValue& operator=(JsonValue&&) noexcept = default;

  static JsonValue MakeArray();
  static JsonValue MakeObject();

  JsonKind Kind() const { return kind_; }
  bool IsNull() const { return kind_ == JsonKind::Null; }
  bool IsBool() const { return kind_ == JsonKind::Bool; }
  bool IsNumber() const { return kind_ == JsonKind::Number; }
  bool IsString() const { return kind_ == JsonKind::String; }
  bool IsArray() const { return kind_ == JsonKind::Array; }
  bool IsObject() const { return kind_ == JsonKind::Object; }

  // Payload accessors. Each gives the zero value of its kind (false, 0, "", empty list)
  // on a value of another kind, so a caller that skipped a kind check reads nothing
  // rather than something undefined.
  bool AsBool() const { return kind_ == JsonKind::Bool && bool_; }
  double AsNumber() const { return kind_ == JsonKind::Number ? number_ : 0.0; }
  const std::string& AsString() const;
  const std::vector<JsonValue>& Elements() const;
  const std::vector<JsonMember>& Members() const;

  // Mutable access for building; turns the value into an empty container of that kind
  // first if it is of another kind.
  std::vector<JsonValue>& MutableElements();
  std::vector<JsonMember>& MutableMembers();

  // Building: no check for duplicate keys.
  void Append(JsonValue element);
  void AddMember(std::string key, JsonValue value);

  // Deep structural equality (numbers compared with ==, members in order).
  friend bool operator==(const JsonValue& a, const JsonValue& b);

 private:
  bool HasChildren() const { return !elements_.empty() || !members_.empty(); }
  void BecomeContainer(JsonKind kind);

  JsonKind kind_ = JsonKind::Null;
  bool bool_ = false;
  double number_ = 0;
  std::string string_;
  std::vector<JsonValue> elements_;
  std::vector<JsonMember> members_;
};

struct JsonMember {
  std::string key;
  JsonValue value;

  friend bool operator==(const JsonMember&, const JsonMember&) = default;
};

// The value of the first member whose key equals `key` byte for byte; null when there
// is none or when `object` is not an object.
const JsonValue* Find(const JsonValue& object, std::string_view key);
JsonValue* Find(JsonValue& object, std::string_view key);

// Reads one value from the start of `text`; text after it is not examined. `out` is
// reset to null first and must not be used after a failure. Nesting deeper than
// kMaxJsonDepth fails cleanly instead of exhausting the stack. No document the program
// reads nests deeper than about 40 levels; 128 leaves room while keeping the recursion
// of reading, writing, copying and comparing far inside a 1 MB stack even in
// unoptimised and sanitizer builds.
inline constexpr int kMaxJsonDepth = 128;
bool ParseJson(std::string_view text, JsonValue& out);

// The layout writer: keys in byte-wise ascending order, "%.17g" numbers, optionally
// pretty-printed with two spaces per level.
std::string WriteJsonSorted(const JsonValue& value, bool pretty);

// The general writer: no whitespace, insertion order, shortest round-trip numbers.
std::string WriteJsonCompact(const JsonValue& value);

}  // namespace tessary
