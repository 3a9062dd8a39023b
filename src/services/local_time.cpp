#include "services/local_time.h"

#include <cstdio>
#include <ctime>

namespace tessary {

LocalTime LocalTimeOf(std::int64_t unixSeconds) {
  const std::time_t seconds = static_cast<std::time_t>(unixSeconds);
  std::tm parts{};
#if defined(_WIN32)
  if (localtime_s(&parts, &seconds) != 0) return {};
#else
  if (localtime_r(&seconds, &parts) == nullptr) return {};
#endif
  return LocalTime{parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday,
                   parts.tm_hour,        parts.tm_min,     parts.tm_sec};
}

std::string DateTimeText(const LocalTime& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return text;
}

}  // namespace tessary
