#pragma once

// Locale-independent number text that reads and writes exactly as the C library does in
// the classic "C" locale, on every platform. The C runtimes differ (the Windows one
// formats and rounds differently from glibc), and stored documents must read the same
// everywhere, so nothing here calls strtod or printf.

#include <cstddef>
#include <string>
#include <string_view>

namespace tessary {

// Reads a double from the start of `text` the way strtod does: leading isspace
// characters, an optional sign, then a decimal or "0x" hexadecimal number, or
// "inf", "infinity", "nan", "nan(chars)" in any letter case. Out-of-range values give
// +-HUGE_VAL or the correctly rounded subnormal or zero. Returns the number of
// characters consumed (0 when there is no number; `value` is then 0).
std::size_t ReadDouble(std::string_view text, double& value);

// printf's "%.*g" with the given precision (1 when 0 is given, as printf does).
std::string FormatDouble(double value, int precision);
void AppendDouble(double value, int precision, std::string& out);

// printf's "%lld".
std::string FormatInt64(long long value);
void AppendInt64(long long value, std::string& out);

}  // namespace tessary
