#include "calendar/clock.h"

#include "settings/replace_file.h"

#include <cerrno>
#include <cstring>
#include <ctime>

namespace ravolin::calendar {
namespace {

SystemTime from_tm(const std::tm& tm) {
  return make_system_time(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                          tm.tm_sec);
}

}  // namespace

SystemTime SystemClock::now() const {
  std::timespec ts{};
  std::tm tm{};
  if (clock_gettime(CLOCK_REALTIME, &ts) != 0 || localtime_r(&ts.tv_sec, &tm) == nullptr)
    return make_system_time(2000, 1, 1, 0, 0, 0);
  return from_tm(tm);
}

bool SystemClock::set(const SystemTime& t, std::string& error) {
  if (!is_valid_date(t.year, t.month, t.day) || t.hour < 0 || t.hour > 23 || t.minute < 0 ||
      t.minute > 59 || t.second < 0 || t.second > 59) {
    error = "日付または時刻が正しくありません";
    return false;
  }
  std::tm tm{};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  tm.tm_isdst = -1;  // local time, whatever the season
  errno = 0;
  const std::time_t secs = std::mktime(&tm);
  if (secs == static_cast<std::time_t>(-1) && errno != 0) {
    error = "時刻を変換できません（" + settings::system_error_text(errno) + "）";
    return false;
  }
  std::timespec ts{};
  ts.tv_sec = secs;
  if (clock_settime(CLOCK_REALTIME, &ts) != 0) {
    error = "システム時刻を設定できません（" + settings::system_error_text(errno) + "）";
    return false;
  }
  return true;
}

void FixedClock::advance_seconds(int seconds) {
  long long total = static_cast<long long>(t_.hour) * 3600 + t_.minute * 60 + t_.second + seconds;
  long long days = total / 86400;
  total %= 86400;
  if (total < 0) {
    total += 86400;
    --days;
  }
  const CivilDate c = civil_from_day_number(static_cast<std::int32_t>(t_.day_number + days));
  t_ = make_system_time(c.year, c.month, c.day, static_cast<int>(total / 3600),
                        static_cast<int>(total / 60 % 60), static_cast<int>(total % 60));
}

}  // namespace ravolin::calendar
