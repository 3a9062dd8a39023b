#include "platform/system_settings.h"

#include <chrono>
#include <cstdio>

namespace tessary {

std::string SystemSettings::LocalDateTimeText(std::int64_t unixSeconds) {
  using namespace std::chrono;
  const sys_seconds moment{seconds{unixSeconds}};
  const sys_days day = floor<days>(moment);
  const year_month_day date{day};
  const auto minutes = duration_cast<std::chrono::minutes>(moment - day).count();
  char text[32];
  std::snprintf(text, sizeof(text), "%04d-%02u-%02u %02lld:%02lld", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<long long>(minutes / 60), static_cast<long long>(minutes % 60));
  return text;
}

}  // namespace tessary
