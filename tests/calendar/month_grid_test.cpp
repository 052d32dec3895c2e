// SPDX-License-Identifier: MIT
#include "calendar/month_grid.h"

#include <gtest/gtest.h>

namespace ravolin::calendar {
namespace {

std::string shown(const ShownMonth& m) { return month_text(m); }

std::string typed(const char* text, int system_year, int system_month) {
  const std::optional<ShownMonth> m = typed_month(text, system_year, system_month);
  return m ? month_text(*m) : "refused";
}

int last_day_button(const std::array<int, kGridButtons + 1>& days) {
  int last = 0;
  for (int i = 1; i <= kGridButtons; ++i)
    if (days[i] != 0) last = i;
  return last;
}

TEST(MonthStepper, SixtyMonthsFromTheSystemMonth) {
  EXPECT_EQ(shown(stepper_month(2000, 3, 1)), "2000/3");
  EXPECT_EQ(shown(stepper_month(2000, 3, 10)), "2000/12");
  EXPECT_EQ(shown(stepper_month(2000, 3, 11)), "2001/1");
  EXPECT_EQ(shown(stepper_month(2000, 3, 60)), "2005/2");
  EXPECT_EQ(shown(stepper_month(2000, 12, 1)), "2000/12");
  EXPECT_EQ(shown(stepper_month(2000, 12, 2)), "2001/1");
  EXPECT_EQ(shown(stepper_month(2000, 1, 60)), "2004/12");
  // Values past the stepper's ends are held at them.
  EXPECT_EQ(shown(stepper_month(2000, 3, 0)), "2000/3");
  EXPECT_EQ(shown(stepper_month(2000, 3, 61)), "2005/2");
}

TEST(TypedMonth, BoundsOfTheSystemMonthAndTheLastYear) {
  EXPECT_EQ(typed("2000/2", 2000, 3), "refused");  // before the system month
  EXPECT_EQ(typed("2000/3", 2000, 3), "2000/3");
  EXPECT_EQ(typed("1999/12", 2000, 3), "refused");  // before the system year
  EXPECT_EQ(typed("2001/1", 2000, 3), "2001/1");    // an earlier month of a later year
  EXPECT_EQ(typed("2010/12", 2000, 3), "2010/12");
  EXPECT_EQ(typed("2011/1", 2000, 3), "refused");
  EXPECT_EQ(typed("2000/0", 2000, 3), "refused");
  EXPECT_EQ(typed("2000/13", 2000, 3), "refused");
  // Once the system clock is past 2000 the last year moves on with it: ten years ahead.
  EXPECT_EQ(last_typed_year(1999), 2010);
  EXPECT_EQ(last_typed_year(2026), 2036);
  EXPECT_EQ(typed("2036/12", 2026, 12), "2036/12");
  EXPECT_EQ(typed("2037/1", 2026, 12), "refused");
  EXPECT_EQ(typed("2026/12", 2026, 12), "2026/12");
}

TEST(TypedMonth, OnlyYearSlashMonthIsRead) {
  EXPECT_EQ(typed(" 2001 / 04 ", 2000, 3), "2001/4");
  EXPECT_EQ(typed("200104", 2000, 3), "refused");  // no "/"
  EXPECT_EQ(typed("2001", 2000, 3), "refused");
  EXPECT_EQ(typed("", 2000, 3), "refused");
  EXPECT_EQ(typed("/4", 2000, 3), "refused");
  EXPECT_EQ(typed("2001/", 2000, 3), "refused");
  EXPECT_EQ(typed("2001/4/1", 2000, 3), "refused");
  EXPECT_EQ(typed("2001/4.5", 2000, 3), "refused");
  EXPECT_EQ(typed("2001/-4", 2000, 3), "refused");
  EXPECT_EQ(typed("99999999999/4", 2000, 3), "refused");
}

TEST(TypedMonth, FullWidthDigitsAndSlashReadAsTyped) {
  // Typed with the input method on: the same month as in ASCII, with the same bounds.
  EXPECT_EQ(typed("２００１／４", 2000, 3), "2001/4");
  EXPECT_EQ(typed("２００１/4", 2000, 3), "2001/4");
  EXPECT_EQ(typed("２０００／２", 2000, 3), "refused");
  EXPECT_EQ(typed("２００１／１３", 2000, 3), "refused");
  EXPECT_EQ(typed("２００１　／４", 2000, 3), "refused");  // U+3000 is not a blank
}

TEST(MonthGrid, DayOneInItsWeekdayColumnAndLeapFebruaries) {
  // October 2000 starts on a Sunday: day 1 on button 1.
  auto days = month_grid({2000, 10});
  EXPECT_EQ(days[1], 1);
  EXPECT_EQ(last_day_button(days), 31);
  // July 2000 has 31 days and starts on a Saturday: day 1 on button 7, day 31 on button
  // 37 in the sixth row.
  days = month_grid({2000, 7});
  for (int i = 1; i <= 6; ++i) EXPECT_EQ(days[i], 0) << i;
  EXPECT_EQ(days[7], 1);
  EXPECT_EQ(days[37], 31);
  EXPECT_EQ(last_day_button(days), 37);
  EXPECT_EQ(days[0], 0);
  // March 2000 starts on a Wednesday.
  days = month_grid({2000, 3});
  EXPECT_EQ(days[4], 1);
  EXPECT_EQ(days[3], 0);

  const auto february_length = [](int year) {
    const auto d = month_grid({year, 2});
    return d[last_day_button(d)];
  };
  EXPECT_EQ(february_length(2000), 29);  // divisible by 400
  EXPECT_EQ(february_length(2004), 29);
  EXPECT_EQ(february_length(2001), 28);
  EXPECT_EQ(february_length(2100), 28);  // divisible by 100 only
  // February 2009 starts on a Sunday and fills exactly four rows.
  days = month_grid({2009, 2});
  EXPECT_EQ(days[1], 1);
  EXPECT_EQ(last_day_button(days), 28);
}

}  // namespace
}  // namespace ravolin::calendar
