// SPDX-License-Identifier: MIT
#include "calendar/clock.h"

#include <cstdio>
#include <ctime>

namespace ravolin::calendar {

SystemTime read_system_clock() {
  std::timespec ts{};
  std::tm tm{};
  if (clock_gettime(CLOCK_REALTIME, &ts) != 0 || localtime_r(&ts.tv_sec, &tm) == nullptr)
    return make_system_time(2000, 1, 1, 0, 0, 0);
  return make_system_time(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min,
                          tm.tm_sec);
}

std::string set_time_argument(const SystemTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return buf;
}

std::string unsettable_time_reason(const SystemTime& t) {
  if (!is_valid_date(t.year, t.month, t.day) || t.hour < 0 || t.hour > 23 || t.minute < 0 ||
      t.minute > 59 || t.second < 0 || t.second > 59)
    return "日付または時刻が正しくありません";
  return {};
}

std::string service_refusal_reason(std::string said, bool exited_normally, int exit_code) {
  while (!said.empty() && (said.back() == '\n' || said.back() == '\r' || said.back() == ' '))
    said.pop_back();
  if (said.empty())
    said = exited_normally ? "終了コード " + std::to_string(exit_code) : std::string("異常終了");
  return "時刻設定サービスが日時の設定を拒否しました: " + said;
}

std::string service_start_failure_reason(const std::string& program, const std::string& why) {
  return "時刻設定サービス（" + program + "）を実行できません: " + why;
}

std::string service_timeout_reason(int seconds) {
  return "時刻設定サービスが" + std::to_string(seconds) +
         "秒以内に終わらないため、設定を取りやめました";
}

}  // namespace ravolin::calendar
