// SPDX-License-Identifier: MIT
// Service date, program clock, holiday list and day-type flags.
// Core functions take the system time as a value; reading or setting the real clock
// is the Clock seam's business (calendar/clock.h).
#pragma once

#include "text/language.h"

#include <array>
#include <cstdint>
#include <string>

namespace ravolin::calendar {

inline constexpr int kHolidaySlots = 20;  // slots 1..20; at most 19 holidays + terminator
inline constexpr int kMaxHolidays = 19;
// 23:59:59 as a fraction of a day: the program's day length is one second short.
inline constexpr double kDayLength = 86399.0 / 86400.0;

// Consecutive day numbers (day 0 = 1899-12-30, so that 2000-03-11 is 36596).
std::int32_t day_number(int year, int month, int day);
struct CivilDate {
  int year = 0, month = 0, day = 0;
};
CivilDate civil_from_day_number(std::int32_t dn);
int weekday_of(std::int32_t dn);  // 1 = Sunday .. 7 = Saturday
bool is_valid_date(int year, int month, int day);
int days_in_month(int year, int month);

// The system clock as captured: what the Clock seam returns.
struct SystemTime {
  std::int32_t day_number = 0;
  int year = 0, month = 0, day = 0;
  double time_of_day = 0.0;  // 0 <= t < 1
  int hour = 0, minute = 0, second = 0;
};
SystemTime make_system_time(int year, int month, int day, int hour, int minute, int second);

struct ServiceDate {
  std::int32_t day_number = 0;
  int year = 0, month = 0, day = 0;
  int weekday = 0;  // 1 = Sunday .. 7 = Saturday
  int hour = 0, minute = 0, second = 0;
};

struct ProgramClock {
  double offset = 0.0;           // signed fraction of a day
  double current_reading = 0.0;  // system time of day at the last update
  double program_time = 0.0;     // corrected time of day
};

struct HolidayList {
  std::array<std::int16_t, kHolidaySlots + 1> month{};
  std::array<std::int16_t, kHolidaySlots + 1> day{};
  int count = 0;
};

struct DayFlags {
  int day_off = 0;            // Saturday, Sunday or listed holiday
  int sunday_or_holiday = 0;  // Sunday or listed holiday
  int plain_saturday = 0;     // Saturday that is not a listed holiday
  int weekday = 0;            // 1 = Sunday .. 7 = Saturday (the operation-day codes need it)
};

struct SearchDate {
  std::int32_t day_number = 0;
  int year = 0, month = 0, day = 0;
  int weekday = 0;
};

bool is_listed_holiday(const HolidayList& list, int month, int day);

// get_today of the main window: service date from the system time, clock offset 0.
void get_today(const SystemTime& now, ServiceDate& service, ProgramClock& clock);
// set_holiday of the main window / the search window.
DayFlags set_holiday(const HolidayList& list, int month, int day, int weekday);
// set_holiday of the correction window: the service year, month, day and weekday from its
// day number, and the day-off flag only.
void set_service_day_off(const HolidayList& list, ServiceDate& service, DayFlags& flags);
// holiday_eve for a travel date: the holidays are placed in system_year.
int holiday_eve(const HolidayList& list, std::int32_t travel_day_number, int system_year);

// The program time from the offset and the system time of day, wrapped at 23:59:59; the
// clock keeps the reading and the result (edit_time of the main window).
double update_program_time(ProgramClock& clock, double system_time_of_day);
// "現在日時 ： yyyy/mm/dd（aaa）  hh:mm"; in English "Now: yyyy/mm/dd (Ddd)  hh:mm".
std::string clock_caption(const ServiceDate& service, double program_time,
                          text::Language language = text::Language::kJapanese);
// Date texts of a day number handed to the windows:
// "yyyy/mm/dd（aaa）" (main window button), "yyyy/mm/dd (aaa)" (hotel list title),
// "yy/mm/dd" (the date set by the correction window). The English forms of the first two
// are both "Ddd d Mmm yyyy" ("Mon 7 Dec 2026"), the one English date form.
std::string date_text_jp(std::int32_t dn, text::Language language = text::Language::kJapanese);
std::string date_text_ascii(std::int32_t dn, text::Language language = text::Language::kJapanese);
// A whole date in words, as a screen reader says it: "2026年12月7日 月曜日",
// "Monday, 7 December 2026".
std::string date_text_long(std::int32_t dn, text::Language language = text::Language::kJapanese);
// The English name of month 1..12: "Dec" (short), "December" (long); empty for another.
std::string english_month(int month, bool long_form = false);
// Weekday 1 = Sunday .. 7 = Saturday: "日" / "Sun" (short), "日曜日" / "Sunday" (long).
std::string weekday_text(int weekday, text::Language language, bool long_form = false);
std::string date_text_yymmdd(std::int32_t dn);
// "hh:mm:ss" of a fraction of a day (rounded to the second).
std::string time_text_hhmmss(double t);
// hh, mm, ss of a fraction of a day (rounded to the second).
void split_time_of_day(double t, int& hour, int& minute, int& second);
// The hhmm integer the schedules compare with (hour * 100 + minute).
int hhmm_of(double time_of_day);

}  // namespace ravolin::calendar
