#include "base/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace tessary {
namespace {

bool IsCSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// from_chars reports a result that rounds to zero or infinity as out of range without a
// value. Telling the two apart needs only the order of magnitude of the text [first,
// last), which is then far from 1 either way: returns true when it is above 1.
bool IsAboveOne(const char* first, const char* last, bool hex) {
  const char exponent_letter = hex ? 'p' : 'e';
  long long integer_digits = 0;     // from the leading nonzero digit
  long long zeros_after_point = 0;  // before the leading nonzero digit
  bool seen_nonzero = false;
  bool after_point = false;
  const char* p = first;
  for (; p != last && (*p | 0x20) != exponent_letter; ++p) {
    if (*p == '.') {
      after_point = true;
    } else if (!seen_nonzero && *p == '0') {
      if (after_point) ++zeros_after_point;
    } else {
      seen_nonzero = true;
      if (!after_point) ++integer_digits;
    }
  }
  if (!seen_nonzero) return false;
  long long exponent = 0;
  if (p != last) {
    ++p;
    bool negative = false;
    if (p != last && (*p == '+' || *p == '-')) negative = *p++ == '-';
    for (; p != last && IsDigit(*p); ++p) {
      if (exponent < 1000000000) exponent = exponent * 10 + (*p - '0');
    }
    if (negative) exponent = -exponent;
  }
  const long long magnitude = integer_digits > 0 ? integer_digits : -zeros_after_point;
  return magnitude * (hex ? 4 : 1) + exponent > 0;
}

}  // namespace

std::size_t ReadDouble(std::string_view text, double& value) {
  value = 0;
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  const char* p = begin;
  while (p != end && IsCSpace(*p)) ++p;
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  // from_chars takes a minus sign of its own; a second sign is not a number.
  if (p == end || *p == '+' || *p == '-') return 0;

  const char* digits = p;
  bool hex = false;
  if (end - p >= 3 && p[0] == '0' && (p[1] | 0x20) == 'x') {
    const char* q = p + 2;
    // strtod needs a hex digit after "0x" (possibly after the point); otherwise it reads
    // only the "0".
    if (IsHexDigit(*q) || (*q == '.' && end - q >= 2 && IsHexDigit(q[1]))) {
      digits = q;
      hex = true;
    }
  }
  double result = 0;
  const auto [ptr, ec] = std::from_chars(digits, end, result,
                                         hex ? std::chars_format::hex : std::chars_format::general);
  if (ec == std::errc::invalid_argument || ptr == digits) return 0;
  if (ec == std::errc::result_out_of_range) {
    result = IsAboveOne(digits, ptr, hex) ? HUGE_VAL : 0.0;
  }
  value = negative ? -result : result;
  return static_cast<std::size_t>(ptr - begin);
}

void AppendDouble(double value, int precision, std::string& out) {
  if (precision <= 0) precision = 1;
  // Enough for "-d.ddd...e-308" at any precision printf would use here.
  char buffer[32 + 400];
  if (precision > 400) precision = 400;
  const auto result =
      std::to_chars(buffer, buffer + sizeof(buffer), value, std::chars_format::general, precision);
  out.append(buffer, result.ptr);
}

std::string FormatDouble(double value, int precision) {
  std::string out;
  AppendDouble(value, precision, out);
  return out;
}

void AppendInt64(long long value, std::string& out) {
  char buffer[24];
  const auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
  out.append(buffer, result.ptr);
}

std::string FormatInt64(long long value) {
  std::string out;
  AppendInt64(value, out);
  return out;
}

}  // namespace tessary
