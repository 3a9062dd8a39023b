// The reader: plain recursive descent over one in-memory string. It is deliberately
// lenient in the ways the state files have always been read: numbers are read as the C
// library's strtod reads them, strings keep whatever bytes they hold, and text after the
// value is ignored. Only the nesting depth is limited.

#include <cstring>
#include <utility>

#include "base/number_text.h"
#include "base/utf.h"
#include "layout/json_value.h"

namespace tessary {
namespace {

bool IsJsonSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsCSpace(char c) { return IsJsonSpace(c) || c == '\v' || c == '\f'; }

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads the four characters of a \u escape as strtoul(..., 16) reads them: leading
// spaces, a sign, a "0x" prefix, then hex digits up to the first other character. A
// minus sign wraps the way an unsigned result does; the unit keeps the low 16 bits.
char16_t ReadEscapeUnit(const char* four) {
  int i = 0;
  while (i < 4 && IsCSpace(four[i])) ++i;
  bool negative = false;
  if (i < 4 && (four[i] == '+' || four[i] == '-')) negative = four[i++] == '-';
  if (i + 1 < 4 && four[i] == '0' && (four[i + 1] | 0x20) == 'x') i += 2;
  unsigned value = 0;
  for (; i < 4 && HexDigitValue(four[i]) >= 0; ++i) value = value * 16 + HexDigitValue(four[i]);
  if (negative) value = 0u - value;
  return static_cast<char16_t>(value & 0xFFFF);
}

class Reader {
 public:
  explicit Reader(std::string_view text) : p_(text.data()), end_(text.data() + text.size()) {}

  // Containers recurse through here; everything else is read by ReadScalar, whose
  // temporaries stay out of the recursive frames.
  bool ReadValue(JsonValue& out, int depth) {
    SkipSpace();
    if (p_ == end_) return false;
    if (*p_ == '{') return ReadObject(out, depth + 1);
    if (*p_ == '[') return ReadArray(out, depth + 1);
    return ReadScalar(out);
  }

 private:
  bool ReadScalar(JsonValue& out) {
    if (*p_ == '"') {
      std::string text;
      if (!ReadString(text)) return false;
      out = JsonValue(std::move(text));
      return true;
    }
    if (Literal("true")) {
      out = JsonValue(true);
      return true;
    }
    if (Literal("false")) {
      out = JsonValue(false);
      return true;
    }
    if (Literal("null")) {
      out = JsonValue();
      return true;
    }
    double number = 0;
    const std::size_t used = ReadDouble(std::string_view(p_, end_ - p_), number);
    if (used == 0) return false;
    p_ += used;
    out = JsonValue(number);
    return true;
  }

  void SkipSpace() {
    while (p_ != end_ && IsJsonSpace(*p_)) ++p_;
  }

  bool Literal(const char* word) {
    const std::size_t length = std::strlen(word);
    if (static_cast<std::size_t>(end_ - p_) < length || std::memcmp(p_, word, length) != 0) {
      return false;
    }
    p_ += length;
    return true;
  }

  bool ReadObject(JsonValue& out, int depth) {
    if (depth > kMaxJsonDepth) return false;
    ++p_;  // '{'
    std::vector<JsonMember>& members = out.MutableMembers();
    SkipSpace();
    if (p_ != end_ && *p_ == '}') {
      ++p_;
      return true;
    }
    while (true) {
      if (p_ == end_ || *p_ != '"') return false;
      // Built in place: no temporaries in this recursive frame.
      JsonMember& member = members.emplace_back();
      if (!ReadString(member.key)) return false;
      SkipSpace();
      if (p_ == end_ || *p_ != ':') return false;
      ++p_;
      if (!ReadValue(member.value, depth)) return false;
      SkipSpace();
      if (p_ == end_) return false;
      if (*p_ == '}') {
        ++p_;
        return true;
      }
      if (*p_ != ',') return false;
      ++p_;
      SkipSpace();
    }
  }

  bool ReadArray(JsonValue& out, int depth) {
    if (depth > kMaxJsonDepth) return false;
    ++p_;  // '['
    std::vector<JsonValue>& elements = out.MutableElements();
    SkipSpace();
    if (p_ != end_ && *p_ == ']') {
      ++p_;
      return true;
    }
    while (true) {
      elements.emplace_back();
      if (!ReadValue(elements.back(), depth)) return false;
      SkipSpace();
      if (p_ == end_) return false;
      if (*p_ == ']') {
        ++p_;
        return true;
      }
      if (*p_ != ',') return false;
      ++p_;
    }
  }

  // At the opening quote; leaves the position after the closing one.
  bool ReadString(std::string& out) {
    ++p_;
    while (true) {
      const char* run = p_;
      while (p_ != end_ && *p_ != '"' && *p_ != '\\') ++p_;
      out.append(run, p_);
      if (p_ == end_) return false;
      if (*p_++ == '"') return true;
      if (p_ == end_) return false;
      const char letter = *p_++;
      switch (letter) {
        case '"':
        case '\\':
        case '/':
          out.push_back(letter);
          break;
        case 'b':
          out.push_back('\b');
          break;
        case 'f':
          out.push_back('\f');
          break;
        case 'n':
          out.push_back('\n');
          break;
        case 'r':
          out.push_back('\r');
          break;
        case 't':
          out.push_back('\t');
          break;
        case 'u':
          if (!ReadUnicodeEscape(out)) return false;
          break;
        default:
          return false;
      }
    }
  }

  // After "\u". A high surrogate takes the next escape as its partner without checking
  // it. The units are converted as a NUL-terminated string, so a NUL unit ends them.
  bool ReadUnicodeEscape(std::string& out) {
    if (end_ - p_ < 4) return false;
    char16_t units[2] = {ReadEscapeUnit(p_), 0};
    p_ += 4;
    if (units[0] >= 0xD800 && units[0] <= 0xDBFF && end_ - p_ >= 6 && p_[0] == '\\' &&
        p_[1] == 'u') {
      units[1] = ReadEscapeUnit(p_ + 2);
      p_ += 6;
    }
    const std::size_t count = units[0] == 0 ? 0 : (units[1] == 0 ? 1 : 2);
    AppendUtf8(std::u16string_view(units, count), out);
    return true;
  }

  const char* p_;
  const char* end_;
};

}  // namespace

bool ParseJson(std::string_view text, JsonValue& out) {
  out = JsonValue();
  return Reader(text).ReadValue(out, 0);
}

}  // namespace tessary
