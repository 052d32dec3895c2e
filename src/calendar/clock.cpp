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

namespace {

constexpr text::Wording kNoSuchTime{"日付または時刻が正しくありません",
                                    "the date or the time does not exist"};
constexpr text::Wording kRefused{"時刻設定サービスが日時の設定を拒否しました: {1}",
                                 "the time-setting service refused to set the date and time: {1}"};
constexpr text::Wording kExitCode{"終了コード {1}", "exit code {1}"};
constexpr text::Wording kCrashed{"異常終了", "it stopped abnormally"};
constexpr text::Wording kCannotRun{"時刻設定サービス（{1}）を実行できません: {2}",
                                   "the time-setting service ({1}) cannot be run: {2}"};
constexpr text::Wording kTimedOut{
    "時刻設定サービスが{1}秒以内に終わらないため、設定を取りやめました",
    "the time-setting service did not finish within {1} seconds, so the setting was given up"};

}  // namespace

text::Message unsettable_time_reason(const SystemTime& t) {
  if (!is_valid_date(t.year, t.month, t.day) || t.hour < 0 || t.hour > 23 || t.minute < 0 ||
      t.minute > 59 || t.second < 0 || t.second > 59)
    return kNoSuchTime;
  return {};
}

text::Message service_refusal_reason(std::string said, bool exited_normally, int exit_code) {
  while (!said.empty() && (said.back() == '\n' || said.back() == '\r' || said.back() == ' '))
    said.pop_back();
  if (!said.empty()) return {kRefused, {std::move(said)}};
  if (exited_normally) return {kRefused, {text::Message(kExitCode, {text::number(exit_code)})}};
  return {kRefused, {text::Message(kCrashed)}};
}

text::Message service_start_failure_reason(const std::string& program, const std::string& why) {
  return {kCannotRun, {program, why}};
}

text::Message service_timeout_reason(int seconds) { return {kTimedOut, {text::number(seconds)}}; }

}  // namespace ravolin::calendar
