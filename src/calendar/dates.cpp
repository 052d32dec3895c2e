// SPDX-License-Identifier: MIT
#include "calendar/dates.h"

#include "text/text.h"

#include <cmath>

namespace ravolin::calendar {
namespace {

// Day 0 of the program's numbering is 1899-12-30, which is 25569 days before 1970-01-01.
constexpr std::int32_t kUnixEpochDayNumber = 25569;
constexpr long long kSecondsPerDay = 86400;

// Days since 1970-01-01 in the proleptic Gregorian calendar.
std::int64_t days_from_civil(std::int64_t y, unsigned m, unsigned d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const auto yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

bool is_leap_year(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

}  // namespace

std::int32_t day_number(int year, int month, int day) {
  return static_cast<std::int32_t>(
      days_from_civil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
      kUnixEpochDayNumber);
}

CivilDate civil_from_day_number(std::int32_t dn) {
  std::int64_t z = static_cast<std::int64_t>(dn) - kUnixEpochDayNumber + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const auto doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t y = static_cast<std::int64_t>(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  CivilDate c;
  c.year = static_cast<int>(y + (m <= 2 ? 1 : 0));
  c.month = static_cast<int>(m);
  c.day = static_cast<int>(d);
  return c;
}

int weekday_of(std::int32_t dn) {
  // Day 0 (1899-12-30) was a Saturday.
  const int r = static_cast<int>((static_cast<std::int64_t>(dn) + 6) % 7);
  return (r < 0 ? r + 7 : r) + 1;
}

int days_in_month(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (month < 1 || month > 12) return 0;
  if (month == 2 && is_leap_year(year)) return 29;
  return kDays[month - 1];
}

bool is_valid_date(int year, int month, int day) {
  return year >= 1 && year <= 9999 && day >= 1 && day <= days_in_month(year, month);
}

SystemTime make_system_time(int year, int month, int day, int hour, int minute, int second) {
  SystemTime t;
  t.day_number = day_number(year, month, day);
  t.year = year;
  t.month = month;
  t.day = day;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  t.time_of_day = static_cast<double>(hour * 3600 + minute * 60 + second) / kSecondsPerDay;
  return t;
}

bool is_listed_holiday(const HolidayList& list, int month, int day) {
  const int count = list.count < 0 ? 0 : (list.count > kMaxHolidays ? kMaxHolidays : list.count);
  for (int i = 1; i <= count; ++i)
    if (list.month[i] == month && list.day[i] == day) return true;
  return false;
}

void get_today(const SystemTime& now, ServiceDate& service, ProgramClock& clock) {
  service.day_number = now.day_number;
  service.year = now.year;
  service.month = now.month;
  service.day = now.day;
  service.weekday = weekday_of(now.day_number);
  service.hour = now.hour;
  service.minute = now.minute;
  service.second = now.second;
  clock.current_reading = now.time_of_day;
  clock.program_time = now.time_of_day;
  clock.offset = 0.0;
}

DayFlags set_holiday(const HolidayList& list, int month, int day, int weekday) {
  DayFlags f;
  f.weekday = weekday;
  const bool holiday = is_listed_holiday(list, month, day);
  f.day_off = (weekday == 1 || weekday == 7 || holiday) ? 1 : 0;
  f.sunday_or_holiday = (weekday == 1 || holiday) ? 1 : 0;
  f.plain_saturday = (weekday == 7 && !holiday) ? 1 : 0;
  return f;
}

void set_service_day_off(const HolidayList& list, ServiceDate& service, DayFlags& flags) {
  const CivilDate c = civil_from_day_number(service.day_number);
  service.year = c.year;
  service.month = c.month;
  service.day = c.day;
  service.weekday = weekday_of(service.day_number);
  flags.weekday = service.weekday;
  flags.day_off =
      (service.weekday == 1 || service.weekday == 7 || is_listed_holiday(list, c.month, c.day)) ? 1
                                                                                                : 0;
}

int holiday_eve(const HolidayList& list, std::int32_t travel_day_number, int system_year) {
  const int count = list.count < 0 ? 0 : (list.count > kMaxHolidays ? kMaxHolidays : list.count);
  for (int i = 1; i <= count; ++i) {
    // A month/day that does not exist in the system year (29 February of a common year,
    // or a damaged entry) names no date: it is passed over.
    if (!is_valid_date(system_year, list.month[i], list.day[i])) continue;
    const std::int32_t h = day_number(system_year, list.month[i], list.day[i]);
    const std::int64_t diff = static_cast<std::int64_t>(h) - travel_day_number;
    if (diff == 0 || diff == 1) return 1;
    if (diff == -1 && weekday_of(h) == 1) return 1;
  }
  return 0;
}

double update_program_time(ProgramClock& clock, double system_time_of_day) {
  clock.current_reading = system_time_of_day;
  double t = clock.offset + clock.current_reading;
  if (!std::isfinite(t)) t = system_time_of_day;
  // The day is one second short (23:59:59); an offset can carry the sum past it
  // either way. Repeat the wrap so that even an odd offset lands inside the day.
  while (t > kDayLength) t -= kDayLength;
  while (t < 0.0) t += kDayLength;
  clock.program_time = t;
  return t;
}

void split_time_of_day(double t, int& hour, int& minute, int& second) {
  long long total = std::isfinite(t) ? std::llround(t * kSecondsPerDay) : 0;
  total %= kSecondsPerDay;
  if (total < 0) total += kSecondsPerDay;
  hour = static_cast<int>(total / 3600);
  minute = static_cast<int>(total / 60 % 60);
  second = static_cast<int>(total % 60);
}

int hhmm_of(double time_of_day) {
  int h = 0, m = 0, s = 0;
  split_time_of_day(time_of_day, h, m, s);
  return h * 100 + m;
}

std::string weekday_text(int weekday, text::Language language, bool long_form) {
  static constexpr const char* kEnglish[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};
  if (weekday < 1 || weekday > 7) return {};
  if (language == text::Language::kEnglish) {
    const std::string name = kEnglish[weekday - 1];
    return long_form ? name : name.substr(0, 3);
  }
  return long_form ? text::weekday_name(weekday) + "曜日" : text::weekday_name(weekday);
}

namespace {
// "Mon 7 Dec 2026"
std::string english_date_text(std::int32_t dn) {
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                            "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const CivilDate c = civil_from_day_number(dn);
  return weekday_text(weekday_of(dn), text::Language::kEnglish) + " " + std::to_string(c.day) +
         " " + kMonths[(c.month + 11) % 12] + " " + std::to_string(c.year);
}
}  // namespace

std::string date_text_jp(std::int32_t dn, text::Language language) {
  if (language == text::Language::kEnglish) return english_date_text(dn);
  const CivilDate c = civil_from_day_number(dn);
  return text::format_date_jp(c.year, c.month, c.day, weekday_of(dn));
}

std::string date_text_ascii(std::int32_t dn, text::Language language) {
  if (language == text::Language::kEnglish) return english_date_text(dn);
  const CivilDate c = civil_from_day_number(dn);
  return text::format_date_ascii(c.year, c.month, c.day, weekday_of(dn));
}

std::string english_month(int month, bool long_form) {
  static constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                            "May",       "June",     "July",     "August",
                                            "September", "October",  "November", "December"};
  if (month < 1 || month > 12) return {};
  const std::string name = kMonths[month - 1];
  return long_form ? name : name.substr(0, 3);
}

std::string date_text_long(std::int32_t dn, text::Language language) {
  const CivilDate c = civil_from_day_number(dn);
  const std::string weekday = weekday_text(weekday_of(dn), language, true);
  if (language == text::Language::kEnglish)
    return weekday + ", " + std::to_string(c.day) + " " + english_month(c.month, true) + " " +
           std::to_string(c.year);
  return std::to_string(c.year) + "年" + std::to_string(c.month) + "月" + std::to_string(c.day) +
         "日 " + weekday;
}

std::string date_text_yymmdd(std::int32_t dn) {
  const CivilDate c = civil_from_day_number(dn);
  return text::format_00(c.year % 100) + "/" + text::format_00(c.month) + "/" +
         text::format_00(c.day);
}

std::string time_text_hhmmss(double t) {
  int h = 0, m = 0, s = 0;
  split_time_of_day(t, h, m, s);
  return text::format_00(h) + ":" + text::format_00(m) + ":" + text::format_00(s);
}

std::string clock_caption(const ServiceDate& service, double program_time,
                          text::Language language) {
  // The date comes from the day number: it is the authoritative part of the service date.
  const char* head = language == text::Language::kEnglish ? "Now: " : "現在日時 ： ";
  return head + date_text_jp(service.day_number, language) + "  " +
         text::format_hhmm(hhmm_of(program_time));
}

}  // namespace ravolin::calendar
