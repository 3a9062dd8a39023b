// The two writers. The layout writer sorts keys and writes every double with 17
// significant digits, so a layout document's text depends only on its content; the
// general writer keeps insertion order and writes the shortest text that reads back as
// the same double.
//
// Not-a-number and infinite values are written in the C library's forms ("nan",
// "-nan", "inf", "-inf"): the reader reads those back, so nothing is lost.

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/number_text.h"
#include "layout/json_value.h"

namespace tessary {
namespace {

constexpr char kHex[] = "0123456789abcdef";

void AppendUnitEscape(unsigned char byte, std::string& out) {
  out += "\\u00";
  out.push_back(kHex[byte >> 4]);
  out.push_back(kHex[byte & 0xF]);
}

// The integer `value` is exactly, when it is one that fits in 64 bits. Checking the
// range first keeps the conversion defined for huge, infinite and NaN values.
bool AsInt64(double value, long long& integer) {
  if (!(value >= -9223372036854775808.0 && value < 9223372036854775808.0)) return false;
  integer = static_cast<long long>(value);
  return static_cast<double>(integer) == value;
}

// The two writers escape the same way except that the layout writer also spells out
// backspace and form feed and escapes the slash, where the general writer writes those
// two as \u escapes and leaves the slash alone.
enum class StringStyle { kLayout, kGeneral };

void AppendString(std::string_view text, StringStyle style, std::string& out) {
  const bool layout = style == StringStyle::kLayout;
  out.push_back('"');
  for (const char c : text) {
    switch (c) {
      case '\t':
        out += "\\t";
        continue;
      case '\n':
        out += "\\n";
        continue;
      case '\r':
        out += "\\r";
        continue;
      case '"':
      case '\\':
        out.push_back('\\');
        out.push_back(c);
        continue;
      case '\b':
        if (layout) {
          out += "\\b";
          continue;
        }
        break;
      case '\f':
        if (layout) {
          out += "\\f";
          continue;
        }
        break;
      case '/':
        if (layout) {
          out += "\\/";
          continue;
        }
        break;
      default:
        break;
    }
    if (static_cast<unsigned char>(c) < 0x20) {
      AppendUnitEscape(static_cast<unsigned char>(c), out);
    } else {
      out.push_back(c);
    }
  }
  out.push_back('"');
}

// The layout writer's numbers: integers below 1e15 as integers, the rest in 17 digits.
void AppendSortedNumber(double value, std::string& out) {
  long long integer = 0;
  if (std::fabs(value) < 1e15 && AsInt64(value, integer)) {
    AppendInt64(integer, out);
  } else {
    AppendDouble(value, 17, out);
  }
}

// The general writer's numbers: every integer that fits in 64 bits as one.
void AppendCompactNumber(double value, std::string& out) {
  long long integer = 0;
  if (AsInt64(value, integer)) {
    AppendInt64(integer, out);
    return;
  }
  // The shortest of 15, 16 and 17 digits that reads back as the same double.
  for (int precision = 15; precision <= 16; ++precision) {
    const std::string text = FormatDouble(value, precision);
    double back = 0;
    if (ReadDouble(text, back) == text.size() && back == value) {
      out += text;
      return;
    }
  }
  AppendDouble(value, 17, out);
}

// How a writer spells a document: the layout writer sorts keys, spells numbers with 17
// digits and may indent; the general writer keeps the members' order and spells numbers
// in the fewest digits.
struct WriterStyle {
  bool sortKeys = false;
  StringStyle strings = StringStyle::kGeneral;
  void (*appendNumber)(double, std::string&) = AppendCompactNumber;
  bool pretty = false;
};

void AppendIndent(int level, const WriterStyle& style, std::string& out) {
  if (style.pretty) out.append(static_cast<std::size_t>(level) * 2, ' ');
}

void AppendValue(const JsonValue& value, const WriterStyle& style, int level,
                 std::string& out);

// "[...]" or "{...}" around `count` items, each written by `item` on a line of its own
// when pretty; nothing between the brackets when there are none.
template <typename WriteItem>
void AppendBracketed(char open, char close, std::size_t count, const WriterStyle& style,
                     int level, std::string& out, WriteItem item) {
  out.push_back(open);
  if (count == 0) {
    out.push_back(close);
    return;
  }
  if (style.pretty) out.push_back('\n');
  for (std::size_t i = 0; i < count; ++i) {
    AppendIndent(level + 1, style, out);
    item(i);
    if (i + 1 < count) out.push_back(',');
    if (style.pretty) out.push_back('\n');
  }
  AppendIndent(level, style, out);
  out.push_back(close);
}

void AppendObject(const std::vector<JsonMember>& members, const WriterStyle& style, int level,
                  std::string& out) {
  std::vector<const JsonMember*> ordered;
  ordered.reserve(members.size());
  for (const JsonMember& member : members) ordered.push_back(&member);
  // Stable, so members with the same key keep their order and Find still gives the first
  // one after a round trip.
  if (style.sortKeys) {
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const JsonMember* a, const JsonMember* b) { return a->key < b->key; });
  }
  AppendBracketed('{', '}', ordered.size(), style, level, out, [&](std::size_t i) {
    AppendString(ordered[i]->key, style.strings, out);
    out += style.pretty ? " : " : ":";
    AppendValue(ordered[i]->value, style, level + 1, out);
  });
}

void AppendValue(const JsonValue& value, const WriterStyle& style, int level,
                 std::string& out) {
  switch (value.Kind()) {
    case JsonKind::Null:
      out += "null";
      return;
    case JsonKind::Bool:
      out += value.AsBool() ? "true" : "false";
      return;
    case JsonKind::Number:
      style.appendNumber(value.AsNumber(), out);
      return;
    case JsonKind::String:
      AppendString(value.AsString(), style.strings, out);
      return;
    case JsonKind::Array: {
      const std::vector<JsonValue>& elements = value.Elements();
      AppendBracketed('[', ']', elements.size(), style, level, out,
                      [&](std::size_t i) { AppendValue(elements[i], style, level + 1, out); });
      return;
    }
    case JsonKind::Object:
      AppendObject(value.Members(), style, level, out);
      return;
  }
}

}  // namespace

std::string WriteJsonSorted(const JsonValue& value, bool pretty) {
  std::string out;
  AppendValue(value, WriterStyle{true, StringStyle::kLayout, AppendSortedNumber, pretty}, 0, out);
  return out;
}

std::string WriteJsonCompact(const JsonValue& value) {
  std::string out;
  AppendValue(value, WriterStyle{}, 0, out);
  return out;
}

}  // namespace tessary
