// SPDX-License-Identifier: MIT
// The search conditions the settings keep: every key read into its condition and written
// back from it, the sort order left out.
#include "search/conditions.h"

#include "settings/settings_file.h"

#include <gtest/gtest.h>

namespace ravolin::search {
namespace {

// Nine keys with nine different values, so that a key read into the wrong condition shows.
settings::Settings distinct_keys() {
  settings::Settings s;
  s.st_station = "東京";
  s.ed_station = "新大阪";
  s.st_time1 = 605;
  s.st_time2 = 1010;
  s.ed_time1 = 715;
  s.ed_time2 = 2350;
  s.wait_time = 45;
  s.wait_count = 2;
  s.combination_number = 1;
  return s;
}

TEST(SavedConditions, EveryKeyGoesToItsConditionAndBack) {
  const settings::Settings s = distinct_keys();
  const SearchConditions cond = saved_conditions(s);
  EXPECT_EQ(cond.st_station, "東京");
  EXPECT_EQ(cond.ed_station, "新大阪");
  EXPECT_EQ(cond.st_time1, 605);
  EXPECT_EQ(cond.st_time2, 1010);
  EXPECT_EQ(cond.ed_time1, 715);
  EXPECT_EQ(cond.ed_time2, 2350);
  EXPECT_EQ(cond.wait_time, 45);
  EXPECT_EQ(cond.wait_count, 2);
  EXPECT_EQ(cond.combination_number, 1);
  EXPECT_EQ(cond.sort_order, 0);  // not kept

  // Written back into settings that held other values, the file holds the same bytes.
  settings::Settings other;
  SearchConditions sorted = cond;
  sorted.sort_order = 2;
  save_conditions(sorted, other);
  EXPECT_EQ(settings::format_settings(other), settings::format_settings(s));
}

}  // namespace
}  // namespace ravolin::search
