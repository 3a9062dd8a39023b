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

// ---- layout writer ----

void AppendSortedNumber(double value, std::string& out) {
  long long integer = 0;
  if (std::fabs(value) < 1e15 && AsInt64(value, integer)) {
    AppendInt64(integer, out);
  } else {
    AppendDouble(value, 17, out);
  }
}

void AppendIndent(int level, bool pretty, std::string& out) {
  if (pretty) out.append(static_cast<std::size_t>(level) * 2, ' ');
}

void AppendSorted(const JsonValue& value, bool pretty, int level, std::string& out) {
  switch (value.Kind()) {
    case JsonKind::Null:
      out += "null";
      return;
    case JsonKind::Bool:
      out += value.AsBool() ? "true" : "false";
      return;
    case JsonKind::Number:
      AppendSortedNumber(value.AsNumber(), out);
      return;
    case JsonKind::String:
      AppendString(value.AsString(), StringStyle::kLayout, out);
      return;
    case JsonKind::Array: {
      const std::vector<JsonValue>& elements = value.Elements();
      if (elements.empty()) {
        out += "[]";
        return;
      }
      out.push_back('[');
      if (pretty) out.push_back('\n');
      for (std::size_t i = 0; i < elements.size(); ++i) {
        AppendIndent(level + 1, pretty, out);
        AppendSorted(elements[i], pretty, level + 1, out);
        if (i + 1 < elements.size()) out.push_back(',');
        if (pretty) out.push_back('\n');
      }
      AppendIndent(level, pretty, out);
      out.push_back(']');
      return;
    }
    case JsonKind::Object: {
      const std::vector<JsonMember>& members = value.Members();
      if (members.empty()) {
        out += "{}";
        return;
      }
      // Stable, so members with the same key keep their order and Find still gives the
      // first one after a round trip.
      std::vector<const JsonMember*> sorted;
      sorted.reserve(members.size());
      for (const JsonMember& member : members) sorted.push_back(&member);
      std::stable_sort(sorted.begin(), sorted.end(),
                       [](const JsonMember* a, const JsonMember* b) { return a->key < b->key; });
      out.push_back('{');
      if (pretty) out.push_back('\n');
      for (std::size_t i = 0; i < sorted.size(); ++i) {
        AppendIndent(level + 1, pretty, out);
        AppendString(sorted[i]->key, StringStyle::kLayout, out);
        out += pretty ? " : " : ":";
        AppendSorted(sorted[i]->value, pretty, level + 1, out);
        if (i + 1 < sorted.size()) out.push_back(',');
        if (pretty) out.push_back('\n');
      }
      AppendIndent(level, pretty, out);
      out.push_back('}');
      return;
    }
  }
}

// ---- general writer ----

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

void AppendCompact(const JsonValue& value, std::string& out) {
  switch (value.Kind()) {
    case JsonKind::Null:
      out += "null";
      return;
    case JsonKind::Bool:
      out += value.AsBool() ? "true" : "false";
      return;
    case JsonKind::Number:
      AppendCompactNumber(value.AsNumber(), out);
      return;
    case JsonKind::String:
      AppendString(value.AsString(), StringStyle::kGeneral, out);
      return;
    case JsonKind::Array: {
      out.push_back('[');
      bool first = true;
      for (const JsonValue& element : value.Elements()) {
        if (!first) out.push_back(',');
        first = false;
        AppendCompact(element, out);
      }
      out.push_back(']');
      return;
    }
    case JsonKind::Object: {
      out.push_back('{');
      bool first = true;
      for (const JsonMember& member : value.Members()) {
        if (!first) out.push_back(',');
        first = false;
        AppendString(member.key, StringStyle::kGeneral, out);
        out.push_back(':');
        AppendCompact(member.value, out);
      }
      out.push_back('}');
      return;
    }
  }
}

}  // namespace

std::string WriteJsonSorted(const JsonValue& value, bool pretty) {
  std::string out;
  AppendSorted(value, pretty, 0, out);
  return out;
}

std::string WriteJsonCompact(const JsonValue& value) {
  std::string out;
  AppendCompact(value, out);
  return out;
}

}  // namespace tessary
