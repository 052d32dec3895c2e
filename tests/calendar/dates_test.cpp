// SPDX-License-Identifier: MIT
#include "calendar/dates.h"
#include "calendar/clock.h"
#include "support/fixed_clock.h"

#include <gtest/gtest.h>

namespace ravolin::calendar {
namespace {

HolidayList holidays(std::initializer_list<std::pair<int, int>> md) {
  HolidayList list;
  int i = 0;
  for (auto [m, d] : md) {
    ++i;
    list.month[i] = static_cast<std::int16_t>(m);
    list.day[i] = static_cast<std::int16_t>(d);
  }
  list.count = i;
  list.month[i + 1] = 99;
  list.day[i + 1] = 99;
  return list;
}

std::string hms(double t) {
  int h = 0, m = 0, s = 0;
  split_time_of_day(t, h, m, s);
  return std::to_string(h) + ":" + std::to_string(m) + ":" + std::to_string(s);
}

TEST(DayNumbers, EpochWeekdaysAndRoundTripAcrossLeapRules) {
  EXPECT_EQ(day_number(1899, 12, 30), 0);
  EXPECT_EQ(day_number(2000, 3, 11), 36596);
  EXPECT_EQ(weekday_of(36596), 7);                                 // Saturday
  EXPECT_EQ(weekday_of(day_number(2000, 3, 12)), 1);               // Sunday
  EXPECT_EQ(weekday_of(-1), 6);                                    // 1899-12-29, a Friday
  EXPECT_EQ(day_number(2000, 3, 1) - day_number(2000, 2, 28), 2);  // 2000 is a leap year
  EXPECT_EQ(day_number(1900, 3, 1) - day_number(1900, 2, 28), 1);  // 1900 is not
  for (std::int32_t dn = day_number(1995, 1, 1); dn <= day_number(2025, 12, 31); ++dn) {
    CivilDate c = civil_from_day_number(dn);
    ASSERT_TRUE(is_valid_date(c.year, c.month, c.day));
    ASSERT_EQ(day_number(c.year, c.month, c.day), dn);
  }
  EXPECT_EQ(days_in_month(2000, 2), 29);
  EXPECT_EQ(days_in_month(2001, 2), 28);
  EXPECT_EQ(days_in_month(2100, 2), 28);
  EXPECT_FALSE(is_valid_date(2001, 2, 29));
  EXPECT_FALSE(is_valid_date(2000, 13, 1));
  EXPECT_FALSE(is_valid_date(2000, 4, 31));
}

TEST(DayFlags, WeekdaysSaturdaysSundaysAndListedHolidays) {
  const HolidayList list = holidays({{5, 3}, {5, 6}, {1, 1}});
  auto flags = [&](int m, int d, int wd) {
    DayFlags f = set_holiday(list, m, d, wd);
    return std::to_string(f.day_off) + std::to_string(f.sunday_or_holiday) +
           std::to_string(f.plain_saturday);
  };
  EXPECT_EQ(flags(5, 2, 3), "000");   // plain weekday
  EXPECT_EQ(flags(5, 3, 4), "110");   // weekday that is listed
  EXPECT_EQ(flags(5, 7, 1), "110");   // Sunday, not listed
  EXPECT_EQ(flags(1, 1, 1), "110");   // Sunday, listed
  EXPECT_EQ(flags(5, 13, 7), "101");  // plain Saturday
  EXPECT_EQ(flags(5, 6, 7), "110");   // listed Saturday
  const HolidayList empty;
  EXPECT_EQ(set_holiday(empty, 5, 3, 4).day_off, 0);
  EXPECT_EQ(set_holiday(empty, 5, 3, 7).plain_saturday, 1);
}

TEST(DayFlags, HolidayTestIgnoresSlotsBeyondTheCount) {
  HolidayList list = holidays({{1, 1}});
  list.month[3] = 5;  // stale slot after the terminator
  list.day[3] = 5;
  EXPECT_EQ(set_holiday(list, 5, 5, 2).day_off, 0);
  list.count = 500;  // damaged count is bounded by the table
  EXPECT_EQ(set_holiday(list, 5, 5, 2).day_off, 1);
}

TEST(ServiceDate, StartAfterMidnightTakesTheNewDayAndClearsTheOffset) {
  ServiceDate service;
  ProgramClock clock;
  clock.offset = 0.25;
  // 00:30 on Monday 2000-03-13, after a Sunday.
  get_today(make_system_time(2000, 3, 13, 0, 30, 0), service, clock);
  EXPECT_EQ(service.day_number, day_number(2000, 3, 13));
  EXPECT_EQ(service.weekday, 2);
  EXPECT_EQ(service.minute, 30);
  EXPECT_EQ(clock.offset, 0.0);
  DayFlags f = set_holiday(HolidayList{}, service.month, service.day, service.weekday);
  EXPECT_EQ(f.day_off, 0);
  EXPECT_EQ(f.weekday, 2);
}

TEST(ServiceDate, CorrectionTakesMonthAndDayFromTheDayNumberAndSetsOnlyDayOff) {
  const HolidayList list = holidays({{3, 20}});
  ServiceDate service;
  service.day_number = day_number(2000, 3, 20);  // a Monday, listed
  service.month = 1;
  service.day = 1;
  DayFlags flags;
  flags.sunday_or_holiday = 0;
  flags.plain_saturday = 1;
  set_service_day_off(list, service, flags);
  EXPECT_EQ(service.month, 3);
  EXPECT_EQ(service.day, 20);
  EXPECT_EQ(flags.day_off, 1);
  EXPECT_EQ(flags.sunday_or_holiday, 0);  // untouched until the next refresh
  EXPECT_EQ(flags.plain_saturday, 1);
}

TEST(ProgramClock, WrapsAtOneSecondShortOfADayWithoutMovingTheDate) {
  ProgramClock clock;
  clock.offset = 2.0 / 24;
  EXPECT_EQ(hms(update_program_time(clock, 23.0 / 24)), "1:0:1");
  EXPECT_DOUBLE_EQ(clock.current_reading, 23.0 / 24);
  clock.offset = -2.0 / 24;
  EXPECT_EQ(hms(update_program_time(clock, 1.0 / 24)), "22:59:59");
  clock.offset = 0;
  EXPECT_EQ(hms(update_program_time(clock, kDayLength)), "23:59:59");  // exactly L stays
  clock.offset = 0.9999;  // extreme offset still lands inside the day
  double t = update_program_time(clock, 0.99999);
  EXPECT_GE(t, 0.0);
  EXPECT_LE(t, kDayLength);
  EXPECT_EQ(hhmm_of(9.0 / 24 + 5.0 / 1440 + 59.0 / 86400), 905);

  ServiceDate service;
  ProgramClock c2;
  get_today(make_system_time(2000, 3, 11, 23, 0, 0), service, c2);
  c2.offset = 2.0 / 24;
  double p = update_program_time(c2, 23.0 / 24);
  EXPECT_EQ(clock_caption(service, p), "現在日時 ： 2000/03/11（土）  01:00");
}

TEST(ProgramClock, CaptionFollowsTheDayNumber) {
  ServiceDate service;
  ProgramClock clock;
  get_today(make_system_time(2000, 3, 11, 9, 5, 0), service, clock);
  EXPECT_EQ(clock_caption(service, update_program_time(clock, clock.current_reading)),
            "現在日時 ： 2000/03/11（土）  09:05");
  service.day_number = day_number(2000, 3, 12);  // month/day fields stale on purpose
  EXPECT_EQ(clock_caption(service, 0.0), "現在日時 ： 2000/03/12（日）  00:00");
}

TEST(DateTexts, FormatsHandedToTheWindows) {
  const std::int32_t dn = day_number(2000, 3, 11);
  EXPECT_EQ(date_text_jp(dn), "2000/03/11（土）");
  EXPECT_EQ(date_text_ascii(dn), "2000/03/11 (土)");
  EXPECT_EQ(date_text_ascii(day_number(2000, 3, 5)), "2000/03/05 (日)");
  EXPECT_EQ(date_text_ascii(day_number(2001, 1, 1)), "2001/01/01 (月)");
  EXPECT_EQ(date_text_yymmdd(day_number(2005, 1, 9)), "05/01/09");
  EXPECT_EQ(time_text_hhmmss(9.0 / 24 + 5.0 / 1440 + 7.0 / 86400), "09:05:07");
  EXPECT_EQ(time_text_hhmmss(kDayLength), "23:59:59");
}

TEST(DateTexts, EnglishFormsAndWholeDatesInWords) {
  const auto en = text::Language::kEnglish;
  const std::int32_t dn = day_number(2026, 12, 7);  // a Monday
  EXPECT_EQ(date_text_jp(dn, en), "Mon 7 Dec 2026");
  EXPECT_EQ(date_text_ascii(day_number(2000, 3, 11), en), "Sat 11 Mar 2000");
  EXPECT_EQ(date_text_long(dn, en), "Monday, 7 December 2026");
  EXPECT_EQ(date_text_long(dn), "2026年12月7日 月曜日");
  EXPECT_EQ(date_text_long(day_number(2027, 1, 31), en), "Sunday, 31 January 2027");
  EXPECT_EQ(weekday_text(7, en), "Sat");
  EXPECT_EQ(weekday_text(4, en, true), "Wednesday");
  EXPECT_EQ(weekday_text(1, text::Language::kJapanese, true), "日曜日");
  EXPECT_EQ(weekday_text(0, en), "");

  ServiceDate service;
  ProgramClock clock;
  get_today(make_system_time(2000, 3, 11, 9, 5, 0), service, clock);
  EXPECT_EQ(clock_caption(service, update_program_time(clock, clock.current_reading), en),
            "Now: Sat 11 Mar 2000  09:05");
}

TEST(HolidayEve, HolidayItsEveAndTheMondayAfterASundayHoliday) {
  // 2000-01-09 is a Sunday.
  const HolidayList list = holidays({{1, 9}, {5, 3}});
  EXPECT_EQ(holiday_eve(list, day_number(2000, 5, 3), 2000), 1);   // the holiday
  EXPECT_EQ(holiday_eve(list, day_number(2000, 5, 2), 2000), 1);   // its eve
  EXPECT_EQ(holiday_eve(list, day_number(2000, 5, 4), 2000), 0);   // day after (Thursday)
  EXPECT_EQ(holiday_eve(list, day_number(2000, 1, 10), 2000), 1);  // Monday after Sunday holiday
  EXPECT_EQ(holiday_eve(list, day_number(2000, 5, 1), 2000), 0);
  EXPECT_EQ(holiday_eve(HolidayList{}, day_number(2000, 5, 3), 2000), 0);
}

TEST(HolidayEve, HolidaysArePlacedInTheSystemYear) {
  const HolidayList list = holidays({{1, 1}});
  EXPECT_EQ(holiday_eve(list, day_number(2000, 12, 31), 2000), 0);
  EXPECT_EQ(holiday_eve(list, day_number(2000, 12, 31), 2001), 1);
  EXPECT_EQ(holiday_eve(list, day_number(2001, 1, 1), 2000), 0);
}

TEST(HolidayEve, MonthDayMissingFromTheSystemYearIsPassedOver) {
  const HolidayList list = holidays({{2, 29}, {3, 1}, {13, 40}});
  // In 2001, 2/29 would otherwise roll into 3/1 and make 2/28 and 3/2 look like eves.
  EXPECT_EQ(holiday_eve(list, day_number(2001, 2, 27), 2001), 0);
  EXPECT_EQ(holiday_eve(list, day_number(2001, 2, 28), 2001), 1);  // eve of 3/1
  EXPECT_EQ(holiday_eve(list, day_number(2000, 2, 28), 2000), 1);  // eve of 2/29 in a leap year
  EXPECT_EQ(holiday_eve(list, day_number(2001, 3, 3), 2001), 0);
}

TEST(FixedClock, AdvancesAcrossMidnightAndMonthEnds) {
  FixedClock clock(make_system_time(2000, 2, 28, 23, 59, 30));
  clock.advance_seconds(45);
  SystemTime t = clock.now();
  EXPECT_EQ(t.month, 2);
  EXPECT_EQ(t.day, 29);
  EXPECT_EQ(t.second, 15);
  EXPECT_EQ(t.day_number, day_number(2000, 2, 29));
  EXPECT_DOUBLE_EQ(t.time_of_day, 15.0 / 86400);
  clock.advance_seconds(-16);
  EXPECT_EQ(clock.now().day, 28);
  EXPECT_EQ(clock.now().hour, 23);
  EXPECT_EQ(clock.now().second, 59);
  ClockSetResult result;
  clock.refuse_set("拒否");
  clock.set(make_system_time(2001, 1, 1, 0, 0, 0), [&](const ClockSetResult& r) { result = r; });
  EXPECT_EQ(result.outcome, ClockSetResult::Outcome::Refused);
  EXPECT_EQ(result.reason.in(text::Language::kJapanese), "拒否");
  EXPECT_EQ(clock.now().year, 2000);
}

TEST(FixedClock, AHeldSettingWaitsForItsAnswer) {
  FixedClock clock(make_system_time(2000, 3, 13, 9, 5, 0));
  clock.hold_sets();
  int answers = 0;
  ClockSetResult result;
  const auto done = [&](const ClockSetResult& r) {
    ++answers;
    result = r;
  };
  clock.set(make_system_time(2000, 3, 16, 7, 30, 0), done);
  EXPECT_TRUE(clock.set_pending());
  EXPECT_EQ(answers, 0);
  clock.answer_pending();
  EXPECT_EQ(answers, 1);
  EXPECT_TRUE(result.ok());
  EXPECT_EQ(clock.now().day, 16);
  EXPECT_EQ(clock.set_calls(), 1);

  clock.set(make_system_time(2000, 3, 17, 7, 30, 0), done);
  clock.time_out_pending("応答なし");
  clock.answer_pending();  // nothing is waiting any more
  EXPECT_EQ(answers, 2);
  EXPECT_EQ(result.outcome, ClockSetResult::Outcome::TimedOut);
  EXPECT_EQ(result.reason.in(text::Language::kJapanese), "応答なし");
  EXPECT_EQ(clock.now().day, 16);
  EXPECT_EQ(clock.set_requests(), 2);
  EXPECT_EQ(clock.set_calls(), 1);
}

TEST(ProgramClock, AnOffsetLandingOnMidnightShowsMidnight) {
  ProgramClock clock;
  clock.offset = -0.5;
  EXPECT_EQ(hms(update_program_time(clock, 0.5)), "0:0:0");
  EXPECT_EQ(clock.program_time, 0.0);
}

}  // namespace
}  // namespace ravolin::calendar
