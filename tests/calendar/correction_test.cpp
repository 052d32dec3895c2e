// SPDX-License-Identifier: MIT
#include "calendar/correction.h"

#include <gtest/gtest.h>

namespace ravolin::calendar {
namespace {

HolidayList spring_equinox() {
  HolidayList list;
  list.month[1] = 3;
  list.day[1] = 20;
  list.count = 1;
  list.month[2] = 99;
  list.day[2] = 99;
  return list;
}

class CorrectionChecks : public ::testing::Test {
 protected:
  SystemTime tick = make_system_time(2000, 3, 13, 10, 0, 0);  // a Monday
  ServiceDate service;
};

TEST_F(CorrectionChecks, YearBoundsFollowTheSystemYear) {
  EXPECT_FALSE(check_year("1995", tick, service));
  EXPECT_EQ(service.year, 1995);  // stored even though refused
  EXPECT_TRUE(check_year("1996", tick, service));
  EXPECT_TRUE(check_year("2020", tick, service));
  EXPECT_FALSE(check_year("2021", tick, service));
  // Later system clocks keep twenty years of room.
  const SystemTime later = make_system_time(2026, 12, 7, 10, 0, 0);
  EXPECT_TRUE(check_year("2046", later, service));
  EXPECT_FALSE(check_year("2047", later, service));
  EXPECT_TRUE(check_year("1996", later, service));
  // Not a number: refused, nothing stored.
  service.year = 2001;
  for (const char* bad : {"", "abc", "20x0", "２０x０"}) {
    EXPECT_FALSE(check_year(bad, tick, service)) << bad;
    EXPECT_EQ(service.year, 2001) << bad;
  }
  // Digits typed with the input method on read as the number they show.
  EXPECT_TRUE(check_year("２０００", tick, service));
  EXPECT_EQ(service.year, 2000);
  EXPECT_FALSE(check_year("99999999", tick, service));  // kept within 16 bits
  EXPECT_EQ(service.year, 32767);
}

TEST_F(CorrectionChecks, MonthHourMinuteSecondRanges) {
  EXPECT_FALSE(check_month("0", service));
  EXPECT_FALSE(check_month("13", service));
  EXPECT_EQ(service.month, 13);
  EXPECT_TRUE(check_month("1", service));
  EXPECT_TRUE(check_month(" 12 ", service));
  EXPECT_EQ(service.month, 12);
  EXPECT_FALSE(check_hour("24", service));
  EXPECT_FALSE(check_hour("-1", service));
  EXPECT_TRUE(check_hour("0", service));
  EXPECT_TRUE(check_hour("23", service));
  EXPECT_FALSE(check_minute("60", service));
  EXPECT_TRUE(check_minute("59", service));
  EXPECT_FALSE(check_second("60", service));
  EXPECT_TRUE(check_second("00", service));
  EXPECT_EQ(service.hour, 23);
  EXPECT_EQ(service.minute, 59);
  EXPECT_EQ(service.second, 0);
}

TEST_F(CorrectionChecks, DayExistsInTheStoredMonthAndIsNotPast) {
  const auto day_ok = [&](int year, int month, const char* day) {
    service.year = year;
    service.month = month;
    return check_day(day, tick, service);
  };
  EXPECT_TRUE(day_ok(2000, 2, "29"));
  EXPECT_TRUE(day_ok(2004, 2, "29"));
  EXPECT_FALSE(day_ok(1999, 2, "29"));
  EXPECT_FALSE(day_ok(2000, 2, "30"));
  EXPECT_FALSE(day_ok(2000, 4, "31"));
  EXPECT_TRUE(day_ok(2000, 4, "30"));
  EXPECT_FALSE(day_ok(2000, 4, "0"));
  // In the system's own month a day before today is refused; today and later pass, and
  // so does a day of an earlier month of the same year.
  EXPECT_FALSE(day_ok(2000, 3, "12"));
  EXPECT_TRUE(day_ok(2000, 3, "13"));
  EXPECT_TRUE(day_ok(2000, 2, "10"));
  EXPECT_TRUE(day_ok(2001, 3, "1"));
  // A month or year that its own check refused refuses the day as well.
  EXPECT_FALSE(day_ok(2000, 13, "10"));
  EXPECT_FALSE(day_ok(2000, 0, "10"));
  EXPECT_FALSE(day_ok(2021, 5, "10"));
  EXPECT_FALSE(day_ok(1995, 5, "10"));
  EXPECT_EQ(service.day, 10);
}

TEST_F(CorrectionChecks, FieldsCheckedInOrderUpToTheFirstRefusal) {
  service.hour = 7;
  EXPECT_EQ(check_corrected_fields({"2000", "13", "14", "12", "00", "00"}, tick, service), 8);
  EXPECT_EQ(service.hour, 7);  // the checks after the refused month did not run
  EXPECT_EQ(check_corrected_fields({"2000", "3", "12", "12", "00", "00"}, tick, service), 9);
  EXPECT_EQ(check_corrected_fields({"2000", "3", "14", "12", "60", "00"}, tick, service), 11);
  EXPECT_EQ(check_corrected_fields({"2000", "3", "14", "12", "30", "x"}, tick, service), 12);
  EXPECT_EQ(check_corrected_fields({"2000", "3", "14", "12", "30", "15"}, tick, service), 0);
  EXPECT_EQ(corrected_system_time(service).day_number, day_number(2000, 3, 14));
  EXPECT_DOUBLE_EQ(corrected_reading(service), (12 * 3600 + 30 * 60 + 15) / 86400.0);
}

TEST(CorrectionEffects, TemporaryThenCancelOrEscape) {
  const HolidayList holidays = spring_equinox();
  const SystemTime tick = make_system_time(2000, 3, 13, 10, 0, 0);
  ServiceDate service;
  ProgramClock clock;
  DayFlags flags;
  get_today(tick, service, clock);

  // 一時設定 to the holiday of 20 March at 12:00: two hours ahead of the system clock.
  ASSERT_EQ(check_corrected_fields({"2000", "3", "20", "12", "0", "0"}, tick, service), 0);
  apply_correction(holidays, tick, true, service, clock, flags);
  EXPECT_EQ(service.day_number, day_number(2000, 3, 20));
  EXPECT_EQ(service.weekday, 2);
  EXPECT_EQ(flags.day_off, 1);
  EXPECT_NEAR(clock.offset, 2.0 / 24, 1e-9);
  EXPECT_NEAR(update_program_time(clock, tick.time_of_day), 0.5, 1e-9);

  // Escape: the system date again (its month and day with it), the shift kept.
  escape_correction(make_system_time(2000, 3, 13, 10, 30, 0), service, clock);
  EXPECT_EQ(service.day_number, day_number(2000, 3, 13));
  EXPECT_EQ(service.weekday, 2);
  EXPECT_EQ(service.month, 3);
  EXPECT_EQ(service.day, 13);
  EXPECT_NEAR(clock.offset, 2.0 / 24, 1e-9);

  // 取消終了: system date and time, no shift, the day-off flag of the system date.
  apply_correction(holidays, tick, true, service, clock, flags);
  cancel_correction(holidays, make_system_time(2000, 3, 13, 10, 45, 0), service, clock, flags);
  EXPECT_EQ(service.day_number, day_number(2000, 3, 13));
  EXPECT_EQ(service.day, 13);
  EXPECT_EQ(clock.offset, 0.0);
  EXPECT_NEAR(clock.current_reading, (10 * 60 + 45) / 1440.0, 1e-9);
  EXPECT_EQ(flags.day_off, 0);

  // 日時設定 leaves no shift: the system clock itself carries the correction.
  ASSERT_EQ(check_corrected_fields({"2000", "3", "20", "12", "0", "0"}, tick, service), 0);
  apply_correction(holidays, tick, false, service, clock, flags);
  EXPECT_EQ(clock.offset, 0.0);
  EXPECT_EQ(service.day_number, day_number(2000, 3, 20));
}

}  // namespace
}  // namespace ravolin::calendar
