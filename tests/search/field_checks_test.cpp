// SPDX-License-Identifier: MIT
#include "search/field_checks.h"

#include "search/engine.h"
#include "text/numbers.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

namespace ravolin::search {
namespace {

// Direction 1: 東京 1, 名古屋 2 (arrival) 3 (departure), 京都 4, 新大阪 5.
std::unique_ptr<data::SinkansenTables> corridor() {
  auto sin = std::make_unique<data::SinkansenTables>();
  const char* names[] = {"東京", "名古屋", "名古屋", "京都", "新大阪"};
  int flags[] = {0, 1, 2, 0, 0};
  sin->station_count = 5;
  for (int s = 1; s <= 5; ++s) {
    sin->station_name[1][s] = names[s - 1];
    sin->station_flag[1][s] = flags[s - 1];
    sin->station_name[2][6 - s] = names[s - 1];
    sin->station_flag[2][6 - s] = flags[s - 1] == 0 ? 0 : 3 - flags[s - 1];
  }
  return sin;
}

TEST(FieldChecks, StationNames) {
  auto sin = corridor();
  FieldCheck ok = check_departure_station(*sin, " 京都 ");
  EXPECT_EQ(ok.err_flg, 0);
  EXPECT_EQ(ok.message, std::optional<std::string>(""));  // clears the message line
  FieldCheck bad = check_departure_station(*sin, "大阪");
  EXPECT_EQ(bad.err_flg, 1);
  EXPECT_EQ(bad.message, std::optional<std::string>("入力エラーです"));
  EXPECT_EQ(check_departure_station(*sin, "").err_flg, 1);

  FieldCheck same = check_arrival_station(*sin, "京都", "京都 ");
  EXPECT_EQ(same.err_flg, 1);
  EXPECT_EQ(same.message, std::optional<std::string>(""));  // refused without a message
  EXPECT_EQ(check_arrival_station(*sin, "東京", "名古屋").err_flg, 0);
  EXPECT_EQ(check_arrival_station(*sin, "東京", "横浜").message,
            std::optional<std::string>("入力エラーです"));
}

TEST(FieldChecks, TimeWindowsAndDefaults) {
  std::string h1, m1, h2, m2;
  EXPECT_EQ(check_from_hour(h1).err_flg, 0);
  EXPECT_EQ(check_from_minute(m1).err_flg, 0);
  EXPECT_EQ(check_to_hour(h2).err_flg, 0);
  EXPECT_EQ(check_to_minute(h1, m1, h2, m2).err_flg, 0);
  EXPECT_EQ(h1 + "/" + m1 + "/" + h2 + "/" + m2, "6/0/23/59");
  EXPECT_FALSE(check_from_hour(h1).message.has_value());  // leaves the message line alone

  std::string t;
  // Digits typed with the input method on count as the number they show.
  t = "１０";
  EXPECT_EQ(check_from_hour(t).err_flg, 0);
  t = "２４";
  EXPECT_EQ(check_from_hour(t).err_flg, 1);
  EXPECT_EQ(text::parse_number("－１．５"), -1.5);
  for (const char* v : {"5", "24", "x", "6:", "1e1", "１０分"}) {
    t = v;
    EXPECT_EQ(check_from_hour(t).err_flg, 1) << v;
  }
  t = "60";
  EXPECT_EQ(check_from_minute(t).err_flg, 1);
  t = "0";
  EXPECT_EQ(check_to_hour(t).err_flg, 0);

  std::string s30 = "30", s29 = "29";
  EXPECT_EQ(check_to_minute("8", "30", "8", s30).err_flg, 0);  // 08:30 to 08:30
  EXPECT_EQ(check_to_minute("8", "30", "8", s29).err_flg, 1);  // 08:30 to 08:29
  EXPECT_EQ(check_to_minute("9", "0", "8", s30).err_flg, 1);   // end hour before start hour

  t = "";
  EXPECT_EQ(check_wait_minutes(t).err_flg, 0);
  EXPECT_EQ(t, "60");
  for (const char* v : {"0", "120", " 7 "}) {
    t = v;
    EXPECT_EQ(check_wait_minutes(t).err_flg, 0) << v;
  }
  t = "121";
  EXPECT_EQ(check_wait_minutes(t).err_flg, 1);
}

TEST(FieldChecks, TwoTransfersAllowTwoHoursOfDeparture) {
  EXPECT_EQ(check_two_transfer_window("6", "8", true).err_flg, 0);
  FieldCheck r = check_two_transfer_window("6", "9", true);
  EXPECT_EQ(r.err_flg, 1);
  EXPECT_EQ(r.message, std::optional<std::string>("発車時刻の範囲を２時間以内としてください"));
  EXPECT_EQ(check_two_transfer_window("6", "23", false).err_flg, 0);
}

TEST(FieldChecks, TravelDate) {
  calendar::SearchDate d;
  EXPECT_EQ(check_travel_year("1999", 2000, d).err_flg, 1);
  EXPECT_EQ(d.year, 0);
  EXPECT_EQ(check_travel_year("2000", 2000, d).err_flg, 0);
  EXPECT_EQ(d.year, 2000);
  EXPECT_EQ(check_travel_month("13", d).err_flg, 1);
  EXPECT_EQ(check_travel_month("2", d).err_flg, 0);
  for (int y : {2400, 2104, 2100, 2101}) {
    d.year = y;
    bool leap = y == 2400 || y == 2104;
    EXPECT_EQ(check_travel_day("29", d).err_flg, leap ? 0 : 1) << y;
  }
  EXPECT_EQ(check_travel_day("0", d).err_flg, 1);
  EXPECT_EQ(check_travel_day("28", d).err_flg, 0);
  EXPECT_EQ(d.day, 28);
}

TEST(FieldChecks, ForbiddenPairsByEdition) {
  // 20 single rows 駅1..駅20 in direction 1, reversed in direction 2.
  // On the heap: the tables are large, and Clang 14 crashes evaluating their default
  // initialiser for a local variable.
  auto tables = std::make_unique<data::SinkansenTables>();
  data::SinkansenTables& sin = *tables;
  sin.station_count = 20;
  for (int s = 1; s <= 20; ++s) {
    sin.station_name[1][s] = "駅" + std::to_string(s);
    sin.station_name[2][21 - s] = "駅" + std::to_string(s);
  }
  auto refused = [&](int ed, int b, int a) {
    return check_station_pair(sin, ed, "駅" + std::to_string(b), "駅" + std::to_string(a)).err_flg;
  };
  EXPECT_EQ(refused(1, 18, 20), 0);
  EXPECT_EQ(refused(2, 18, 20), 1);  // direction 1, boarding 17..22, alighting after 16
  EXPECT_EQ(refused(2, 15, 20), 0);
  EXPECT_EQ(refused(2, 20, 2), 1);   // direction 2: rows 1 and 19
  EXPECT_EQ(refused(2, 20, 10), 0);  // direction 2: rows 1 and 11
  EXPECT_EQ(refused(3, 10, 13), 1);  // direction 1: 8..12 to after 12
  EXPECT_EQ(refused(3, 10, 12), 0);
  EXPECT_EQ(refused(3, 16, 17), 1);
  EXPECT_EQ(refused(3, 18, 15), 1);  // direction 2: rows 3 and 6
  EXPECT_EQ(refused(3, 19, 14), 0);  // direction 2: rows 2 and 7
  EXPECT_EQ(refused(3, 14, 9), 1);   // direction 2: rows 7 and 12
  EXPECT_EQ(check_station_pair(sin, 2, "駅18", "駅20").message,
            std::optional<std::string>("指定できない組み合わせです"));
}

ConditionForm good_form() {
  ConditionForm f;
  f.text[1] = "東京";
  f.text[2] = "8";
  f.text[3] = "30";
  f.text[4] = "10";
  f.text[5] = "";
  f.text[6] = " 新大阪";
  f.text[7] = "";
  f.text[8] = "";
  f.text[9] = "";
  f.text[10] = "";
  f.text[11] = "15";
  f.text[12] = "old message";
  f.text[13] = "2000";
  f.text[14] = "3";
  f.text[15] = "11";
  f.sort_option = 1;
  return f;
}

TEST(SearchStart, StoresEveryConditionWhenAllFieldsPass) {
  auto sin = corridor();
  calendar::HolidayList h;
  ConditionForm f = good_form();
  SearchRequest st;
  StartResult r = search_start(*sin, 1, 2000, h, f, st);
  ASSERT_EQ(r.err_flg, 0) << r.field;
  EXPECT_FALSE(r.confirm_two_transfers);
  EXPECT_EQ(st.cond.st_station, "東京");
  EXPECT_EQ(st.cond.ed_station, "新大阪");
  EXPECT_EQ(st.cond.st_time1, 830);
  EXPECT_EQ(st.cond.st_time2, 1059);
  EXPECT_EQ(st.cond.ed_time1, 600);
  EXPECT_EQ(st.cond.ed_time2, 2359);
  EXPECT_EQ(st.cond.wait_time, 15);
  EXPECT_EQ(st.cond.wait_count, 1);
  EXPECT_EQ(st.cond.sort_order, 1);
  EXPECT_EQ(st.date.weekday, 7);  // 2000/03/11 is a Saturday
  EXPECT_EQ(st.flags.plain_saturday, 1);
  EXPECT_EQ(f.text[12], "");
  EXPECT_EQ(f.text[10], "59");
  store_combination(f, st.cond);
  EXPECT_EQ(st.cond.combination_number, 1);
}

// The ends of the year: December has its 31 days like any long month, January starts
// at 1, and a short month still refuses its 31st.
TEST(FieldChecks, TravelDayAtTheEndsOfTheYear) {
  struct Case {
    int month;
    const char* day;
    int err_flg;
  };
  const Case cases[] = {{12, "31", 0}, {12, "1", 0}, {12, "32", 1}, {1, "1", 0},
                        {1, "31", 0},  {1, "0", 1},  {11, "30", 0}, {11, "31", 1}};
  for (const Case& c : cases) {
    calendar::SearchDate d;
    d.year = 2000;
    d.day = 7;
    EXPECT_EQ(check_travel_month(std::to_string(c.month), d).err_flg, 0) << c.month;
    EXPECT_EQ(check_travel_day(c.day, d).err_flg, c.err_flg) << c.month << "/" << c.day;
    EXPECT_EQ(d.day, c.err_flg == 0 ? std::stoi(c.day) : 7) << c.month << "/" << c.day;
  }

  // New Year's Eve and New Year's Day start a search with their own day number and weekday.
  auto sin = corridor();
  calendar::HolidayList h;
  for (const auto& [y, m, day, weekday] :
       {std::tuple{"2000", "12", "31", 1}, std::tuple{"2001", "1", "1", 2}}) {
    ConditionForm f = good_form();
    f.text[13] = y;
    f.text[14] = m;
    f.text[15] = day;
    SearchRequest st;
    const StartResult r = search_start(*sin, 1, 2000, h, f, st);
    EXPECT_EQ(r.err_flg, 0) << y << "/" << m << "/" << day << " " << r.field;
    EXPECT_EQ(st.date.day_number, calendar::day_number(std::stoi(y), std::stoi(m), std::stoi(day)));
    EXPECT_EQ(st.date.weekday, weekday) << y << "/" << m << "/" << day;
  }
}

TEST(SearchStart, StopsAtTheFirstRefusalKeepingEarlierStores) {
  auto sin = corridor();
  calendar::HolidayList h;
  SearchRequest st;
  ConditionForm f = good_form();
  f.text[6] = "東京";
  StartResult r = search_start(*sin, 1, 2000, h, f, st);
  EXPECT_EQ(r.field, "Text6");
  EXPECT_EQ(st.cond.st_station, "");

  f = good_form();
  f.two_transfers = true;
  f.text[4] = "11";
  r = search_start(*sin, 1, 2000, h, f, st);
  EXPECT_EQ(r.field, "Text2");
  EXPECT_EQ(f.text[12], "発車時刻の範囲を２時間以内としてください");

  f = good_form();
  f.sort_option = 2;
  f.text[15] = "31";
  f.text[14] = "4";
  r = search_start(*sin, 1, 2000, h, f, st);
  EXPECT_EQ(r.field, "Text15");
  EXPECT_EQ(st.cond.sort_order, 2);  // stored before the date checks
  EXPECT_EQ(st.date.month, 4);
  EXPECT_EQ(st.cond.st_station, "");

  f = good_form();
  f.two_transfers = true;
  r = search_start(*sin, 1, 2000, h, f, st);
  EXPECT_EQ(r.err_flg, 0);
  EXPECT_TRUE(r.confirm_two_transfers);
  EXPECT_EQ(st.cond.wait_count, 2);
}

TEST(ConditionsForm, FilledFromTheSavedConditionsAndTheDate) {
  settings::Settings saved;
  saved.st_station = "東京";
  saved.ed_station = "新大阪";
  saved.st_time1 = 600;
  saved.st_time2 = 1005;
  saved.ed_time1 = 0;
  saved.ed_time2 = 2359;
  saved.wait_time = 30;
  saved.wait_count = 2;
  saved.combination_number = 0;
  calendar::SystemTime now = calendar::make_system_time(2000, 3, 11, 9, 5, 0);
  // The first opening in a run: the sort order as the program starts leaves 乗車時間順.
  FormFill f =
      fill_conditions_form(saved, SearchConditions{}.sort_order, calendar::SearchDate{}, now);
  std::array<std::string, 16> expected = {"",  "東京", "6",  "0",  "10", "5",    "新大阪", "0",
                                          "0", "23",   "59", "30", "",   "2000", "3",      "11"};
  EXPECT_EQ(f.form.text, expected);
  EXPECT_EQ(f.weekday, "(土)");
  EXPECT_EQ(f.form.sort_option, 3);
  EXPECT_TRUE(f.form.two_transfers);
  EXPECT_FALSE(f.form.one_per_train);

  calendar::SearchDate chosen{calendar::day_number(2001, 1, 16), 2001, 1, 16, 3};
  f = fill_conditions_form(saved, 2, chosen, now);
  EXPECT_EQ(f.form.text[13] + "/" + f.form.text[14] + "/" + f.form.text[15], "2001/1/16");
  EXPECT_EQ(f.weekday, "(火)");
  EXPECT_EQ(f.form.sort_option, 2);
}

// A search refused at the day keeps the new year and month with the old day: the weekday
// shown is the one of the date shown, and none when that is no date.
TEST(ConditionsForm, WeekdayBelongsToTheDateShown) {
  settings::Settings saved;
  const calendar::SystemTime now = calendar::make_system_time(2000, 3, 11, 9, 5, 0);
  // Searched for Monday 15 May 2028, then refused at the day with 2028/2 accepted.
  calendar::SearchDate date{calendar::day_number(2028, 5, 15), 2028, 2, 15, 2};
  FormFill f = fill_conditions_form(saved, 0, date, now);
  EXPECT_EQ(f.form.text[13] + "/" + f.form.text[14] + "/" + f.form.text[15], "2028/2/15");
  EXPECT_EQ(f.weekday, "(火)");

  // 31 May, then 2028/2 accepted and the 30th refused: 2028/2/31 is no date.
  date = {calendar::day_number(2028, 5, 31), 2028, 2, 31, 4};
  f = fill_conditions_form(saved, 0, date, now);
  EXPECT_EQ(f.form.text[15], "31");
  EXPECT_EQ(f.weekday, "");

  EXPECT_EQ(weekday_label("2028", "2", "15"), "(火)");
  EXPECT_EQ(weekday_label(" 2028 ", "02", "１５"), "(火)");
  EXPECT_EQ(weekday_label("2028", "2", "30"), "");
  EXPECT_EQ(weekday_label("2028", "", "15"), "");
  EXPECT_EQ(weekday_label("2028", "13", "1"), "");
  EXPECT_EQ(weekday_label("2028", "2", "x"), "");
}

TEST(FieldChecks, FieldsOfBlanksTakeTheirDefaults) {
  std::string h1 = "  ", m1 = " ", h2 = "   ", m2 = " ", wait = "    ";
  EXPECT_EQ(check_from_hour(h1).err_flg, 0);
  EXPECT_EQ(check_from_minute(m1).err_flg, 0);
  EXPECT_EQ(check_to_hour(h2).err_flg, 0);
  EXPECT_EQ(check_to_minute(h1, m1, h2, m2).err_flg, 0);
  EXPECT_EQ(check_wait_minutes(wait).err_flg, 0);
  EXPECT_EQ(h1 + "/" + m1 + "/" + h2 + "/" + m2 + "/" + wait, "6/0/23/59/60");
}

// The messages of the checks and the weekday in English; other texts pass unchanged.
TEST(FieldChecks, MessagesAndWeekdayInEnglish) {
  const auto en = text::Language::kEnglish;
  EXPECT_EQ(check_message(kMsgInputError, en), "Input error");
  EXPECT_EQ(check_message(kMsgDepartRange, en),
            "With up to 2 transfers, keep the departure times within 2 hours");
  EXPECT_EQ(check_message(kMsgForbiddenPair, en), "This pair of stations cannot be searched");
  EXPECT_EQ(check_message(kMsgTwoTransfers, en), "With up to 2 transfers the search takes a while");
  EXPECT_EQ(check_message("", en), "");
  EXPECT_EQ(check_message(kMsgInputError, text::Language::kJapanese), kMsgInputError);
  EXPECT_EQ(weekday_label("2028", "2", "15", en), "(Tue)");
  EXPECT_EQ(weekday_label("2028", "2", "13", en), "(Sun)");
  EXPECT_EQ(weekday_label("2028", "2", "30", en), "");
}

}  // namespace
}  // namespace ravolin::search
