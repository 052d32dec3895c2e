// SPDX-License-Identifier: MIT
#include "board/board.h"
#include "board/next_train.h"

#include "board_fixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace ravolin::board {
namespace {

using testing::at;
using testing::KeiyoTables;
using testing::SinTables;

TEST(Thresholds, CarryMinutesIntoHoursPastMidnight) {
  Thresholds a = compute_thresholds(23, 50, 20, 15);
  EXPECT_EQ(a.hurry_arrival, 2405);
  EXPECT_EQ(a.hurry_hour, 24);
  EXPECT_EQ(a.normal_arrival, 2410);
  EXPECT_EQ(a.window_end, 2550);

  Thresholds b = compute_thresholds(10, 58, 5, 2);
  EXPECT_EQ(b.normal_arrival, 1103);
  EXPECT_EQ(b.hurry_arrival, 1100);
  EXPECT_EQ(b.window_end, 1258);

  Thresholds c = compute_thresholds(9, 15, 130, 0);  // more than an hour
  EXPECT_EQ(c.normal_arrival, 1125);
  EXPECT_EQ(c.hurry_arrival, 915);
  EXPECT_EQ(c.hurry_hour, 9);
}

TEST(OperationDay, EachCodeRunsOnItsDays) {
  using testing::holiday_on;
  using testing::saturday;
  using testing::sunday;
  using testing::weekday;
  const calendar::DayFlags days[] = {weekday(2), weekday(6),    saturday(),
                                     sunday(),   holiday_on(2), holiday_on(7)};
  // Expected "runs" per day above: Monday, Friday, Saturday, Sunday, Monday holiday,
  // Saturday holiday.
  struct Case {
    int code;
    std::vector<bool> runs;
  };
  const Case cases[] = {
      {11, {true, true, false, false, false, false}},
      {1, {true, true, true, false, false, false}},
      {10, {true, true, false, true, true, true}},
      {50, {false, true, false, false, false, false}},
      {51, {false, true, false, true, true, true}},
      {70, {false, false, false, true, true, true}},
      {170, {true, true, true, false, true, true}},
      {0, {true, true, true, true, true, true}},
      {99, {true, true, true, true, true, true}},
  };
  for (const auto& c : cases) {
    for (std::size_t i = 0; i < std::size(days); ++i) {
      EXPECT_EQ(!excluded_on_day(c.code, days[i]), c.runs[i]) << "code " << c.code << " day " << i;
    }
  }
}

class SinkansenBoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Down direction: 東京, 品川, 名古屋 (arrival and departure rows), 新大阪.
    t.stations(1, {{"東京", 0}, {"品川", 0}, {"名古屋", 1}, {"名古屋", 2}, {"新大阪", 0}});
    s.sinkansen_flg = 1;
    s.sinkansen_station = "品川";
    s.sinkansen_hun1 = 5;
    s.sinkansen_hun2 = 2;
  }
  SinkansenBoard run(double time, calendar::DayFlags flags = testing::weekday()) {
    edit_sinkansen(t.get(), s, flags, time, b);
    return b;
  }
  SinTables t;
  settings::Settings s;
  SinkansenBoard b;
};

TEST_F(SinkansenBoardTest, GoldenLinesWithNamesMarksLastStopsAndHurry) {
  t.train(1, "H123", {1050, 1104, 1230, 0, 0});  // ends at 名古屋 (arrival row)
  t.train(1, "N001", {1055, 1102, 1230, 1231, 1320}, 0, "N");
  t.train(1, "K640", {1050, 1059, 1300, 1302, 1400});  // already gone when hurrying
  t.train(1, "X456", {1100, 1110, 0, 0, 1400});        // unknown letter, no car type
  t.train(1, "N700", {1100, 1120, 1250, 1251, 1340}, 0, "N5");
  t.train(1, "H777", {1000, 1105, 0, 0, 0});  // ends here: not shown
  run(at(10, 58));
  EXPECT_EQ(b.caption, "新幹線（下り）  品川");
  const std::vector<std::string> want = {
      "のぞみ００１N １１：０２  新大阪 (１３：２０)  急げ!!",
      "ひかり１２３  １１：０４  名古屋 (１２：３０)",
      "４５６  １１：１０  新大阪 (１４：００)",
      "のぞみ７００n １１：２０  新大阪 (１３：４０)",
  };
  EXPECT_EQ(b.lines, want);
  EXPECT_EQ(b.train_lines, 4);
  EXPECT_EQ(b.row_map[1], 2);
  EXPECT_EQ(b.row_map[2], 1);
  EXPECT_EQ(b.row_map[3], 4);
  EXPECT_EQ(b.row_map[4], 5);
  EXPECT_EQ(b.context.direction, 1);
  EXPECT_EQ(b.context.station, 2);
}

TEST_F(SinkansenBoardTest, EnglishLinesLineUpWithNamesFromTheNamesList) {
  t.train(1, "H123", {1050, 1104, 1230, 0, 0});
  t.train(1, "N001", {1055, 1102, 1230, 1231, 1320}, 0, "N");
  t.train(1, "X456", {1100, 1110, 0, 0, 1400});
  t.train(1, "N029", {1100, 1120, 1250, 1251, 1340}, 0, "N5");
  t.train(1, "Y123", {1100, 1125, 0, 0, 1400});
  data::PlaceNames names;
  names.add("品川", "Shinagawa");
  names.add("新大阪", "Shin-Osaka");  // 名古屋 has none: shown as it stands
  edit_sinkansen(t.get(), s, testing::weekday(), at(10, 58), b, text::Language::kEnglish, names);
  EXPECT_EQ(b.caption, "Shinkansen (down)  Shinagawa");
  const std::vector<std::string> want = {
      "Nozomi 1    N 11:02  Shin-Osaka (13:20)  Hurry!", "Hikari 123    11:04  名古屋 (12:30)",
      "456           11:10  Shin-Osaka (14:00)",         "Nozomi 29   n 11:20  Shin-Osaka (13:40)",
      "Yamabiko 123  11:25  Shin-Osaka (14:00)",
  };
  EXPECT_EQ(b.lines, want);
  EXPECT_EQ(b.row_map[1], 2);  // the same trains in the same order as in Japanese
  EXPECT_EQ(b.row_map[4], 4);

  // the messages of an empty list, and the Japanese board unchanged by the names
  t.get().train_count[1] = 0;
  edit_sinkansen(t.get(), s, testing::weekday(), at(5, 0), b, text::Language::kEnglish, names);
  EXPECT_EQ(b.lines, std::vector<std::string>{"Service has not started yet"});
  edit_sinkansen(t.get(), s, testing::weekday(), at(23, 0), b, text::Language::kEnglish, names);
  EXPECT_EQ(b.lines, std::vector<std::string>{"Service has ended for today"});
  edit_sinkansen(t.get(), s, testing::weekday(), at(23, 0), b, text::Language::kJapanese, names);
  EXPECT_EQ(b.caption, "新幹線（下り）  品川");
  s.sinkansen_flg = 2;
  edit_sinkansen(t.get(), s, testing::weekday(), at(23, 0), b, text::Language::kEnglish, names);
  EXPECT_EQ(b.caption, "Shinkansen (up)  Shinagawa");
}

TEST(HurryWatch, EnglishLinesGainingTheHurryMarkAreNoticed) {
  SinkansenBoard sin;
  KeiyoBoard keiyo;
  sin.context.direction = 1;
  sin.caption = "Shinkansen (down)";
  sin.lines = {"Nozomi 1      11:02  Shin-Osaka (13:20)"};
  sin.train_lines = 1;
  sin.row_map[1] = 7;
  HurryWatch watch;
  EXPECT_TRUE(watch.update(sin, keiyo, false).empty());
  sin.lines[0] += "  Hurry!";
  EXPECT_EQ(watch.update(sin, keiyo, false),
            std::vector<std::string>{"Nozomi 1      11:02  Shin-Osaka (13:20)  Hurry!"});
  EXPECT_EQ(tray_tooltip(sin, keiyo, false, text::Language::kEnglish),
            "Ravolin\nShinkansen (down)\nNozomi 1      11:02  Shin-Osaka (13:20)  Hurry!");
}

TEST_F(SinkansenBoardTest, UpDirectionAndDepartureRowAsUserStation) {
  // In direction 2 the user's station is listed with arrival and departure rows; the
  // arrival row never counts as the user's station.
  t.stations(2, {{"新大阪", 0}, {"名古屋", 1}, {"名古屋", 2}, {"東京", 0}});
  t.train(2, "H200", {1000, 1048, 1050, 1230});
  t.train(2, "H201", {1000, 1049, 0, 0});  // arrives but does not leave 名古屋
  s.sinkansen_flg = 2;
  s.sinkansen_station = " 名古屋 ";  // not equal: the caption trims, the match does not
  run(at(10, 0));
  EXPECT_EQ(b.caption, "新幹線（上り）  名古屋");
  EXPECT_EQ(b.lines, std::vector<std::string>{"本日の運行は終了しました"});
  s.sinkansen_station = "名古屋";
  run(at(10, 0));
  EXPECT_EQ(b.context.station, 3);
  EXPECT_EQ(b.lines, std::vector<std::string>{"ひかり２００  １０：５０  東京 (１２：３０)"});
}

TEST_F(SinkansenBoardTest, LastStopAtLastStationNeedsNoFlagButEarlierOnesDo) {
  t.stations(1, {{"A", 0}, {"B", 0}, {"C", 1}, {"C", 2}, {"D", 2}});
  t.train(1, "H001", {0, 1000, 0, 1050, 1100});  // time at the last row (flag 2) counts
  t.train(1, "H002", {0, 1010, 0, 1050, 0});     // a departure row is no last stop
  t.train(1, "H003", {0, 1020, 1045, 1050, 0});
  s.sinkansen_station = "B";
  run(at(9, 0));
  const std::vector<std::string> want = {
      "ひかり００１  １０：００  D (１１：００)",
      "ひかり００２  １０：１０  B (１０：１０)",
      "ひかり００３  １０：２０  C (１０：４５)",
  };
  EXPECT_EQ(b.lines, want);
}

TEST_F(SinkansenBoardTest, LateNightTimesAndTheTwoHourWindow) {
  t.train(1, "H001", {0, 2404, 2500, 0, 0});
  t.train(1, "H002", {0, 2405, 2500, 0, 0});
  t.train(1, "H003", {0, 2549, 2600, 0, 0});
  t.train(1, "H004", {0, 2550, 2600, 0, 0});
  s.sinkansen_hun1 = 20;
  s.sinkansen_hun2 = 15;
  s.sinkansen_hyouji = 0;
  run(at(23, 50));
  ASSERT_EQ(b.train_lines, 2);
  EXPECT_EQ(b.lines[0], "ひかり００２  ２４：０５  名古屋 (２５：００)  急げ!!");
  EXPECT_EQ(b.row_map[2], 3);
  // With a display count the window end does not apply.
  s.sinkansen_hyouji = 5;
  run(at(23, 50));
  EXPECT_EQ(b.train_lines, 3);
}

TEST_F(SinkansenBoardTest, DisplayCountShowsTheEarliestAndOperationDaysFilter) {
  for (int i = 0; i < 10; ++i) t.train(1, "H" + std::to_string(100 + i), {0, 1300 - i, 1400, 0, 0});
  t.train(1, "N050", {0, 1100, 1200, 0, 0}, 50);   // Fridays only
  t.train(1, "N170", {0, 1101, 1200, 0, 0}, 170);  // not on Sundays
  s.sinkansen_hyouji = 3;
  run(at(10, 0), testing::weekday(6));
  ASSERT_EQ(b.train_lines, 3);
  EXPECT_EQ(b.row_map[1], 11);
  EXPECT_EQ(b.row_map[2], 12);
  EXPECT_EQ(b.row_map[3], 10);  // H109 at 12:51
  run(at(10, 0), testing::weekday(5));
  EXPECT_EQ(b.row_map[1], 12);
  run(at(10, 0), testing::sunday());
  EXPECT_EQ(b.row_map[1], 10);
}

TEST_F(SinkansenBoardTest, EqualTimesFollowTheExchangeSort) {
  // Two trains at 11:30 before one at 11:00: the exchange sort moves the first 11:30
  // train behind the second one.
  t.train(1, "H001", {0, 1130, 1300, 0, 0});
  t.train(1, "H002", {0, 1130, 1300, 0, 0});
  t.train(1, "H003", {0, 1100, 1300, 0, 0});
  // Equal times that are already in order stay so.
  t.train(1, "H004", {0, 1140, 1300, 0, 0});
  t.train(1, "H005", {0, 1140, 1300, 0, 0});
  run(at(10, 0));
  const int want[] = {3, 2, 1, 4, 5};
  for (int r = 1; r <= 5; ++r) EXPECT_EQ(b.row_map[r], want[r - 1]) << "line " << r;
}

TEST_F(SinkansenBoardTest, EmptyListMessagesAndStaleRowsCleared) {
  t.train(1, "H001", {0, 700, 800, 0, 0});
  t.train(1, "H002", {0, 710, 800, 0, 0});
  t.train(1, "H003", {0, 720, 800, 0, 0});
  run(at(6, 30));
  ASSERT_EQ(b.train_lines, 3);
  run(at(7, 9));
  ASSERT_EQ(b.train_lines, 1);
  EXPECT_EQ(b.row_map[1], 3);
  EXPECT_EQ(b.row_map[2], 0);
  EXPECT_EQ(b.row_map[3], 0);

  s.sinkansen_hun2 = 10;
  t.get().train_count[1] = 0;
  run(at(5, 30));
  EXPECT_EQ(b.lines, std::vector<std::string>{"この時間は運行していません"});
  EXPECT_EQ(b.train_lines, 0);
  EXPECT_EQ(b.row_map[1], 0);
  run(at(6, 50));  // hurry arrival 07:00: hour 7
  EXPECT_EQ(b.lines, std::vector<std::string>{"本日の運行は終了しました"});
  run(at(6, 49));  // hurry arrival 06:59
  EXPECT_EQ(b.lines, std::vector<std::string>{"この時間は運行していません"});
  run(at(23, 30));
  EXPECT_EQ(b.lines, std::vector<std::string>{"本日の運行は終了しました"});
}

TEST_F(SinkansenBoardTest, MoreThanTwoHundredCandidatesAreCutInTrainOrder) {
  // 250 trains, later indices earlier in the day: only trains 1..200 are listed.
  for (int m = 1; m <= 250; ++m) t.train(1, "H001", {0, 2300 - m * 2, 2400, 0, 0});
  s.sinkansen_hyouji = 250;
  run(at(0, 0));
  ASSERT_EQ(b.train_lines, 200);
  EXPECT_EQ(b.row_map[1], 200);
  EXPECT_EQ(b.row_map[200], 1);
  EXPECT_EQ(b.row_map[201], 0);
}

class KeiyoBoardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int v = 1; v <= 4; ++v) t.stations(v, {"東京", "八丁堀", "舞浜", "新習志野", "蘇我"});
    s.keiyo_use = 1;
    s.keiyo_flg = 1;
    s.keiyo_station = "舞浜";
    s.keiyo_hun1 = 10;
    s.keiyo_hun2 = 5;
  }
  void run(double time, calendar::DayFlags flags = testing::weekday()) {
    edit_keiyo(t.get(), s, flags, time, b);
  }
  KeiyoTables t;
  settings::Settings s;
  KeiyoBoard b;
};

TEST_F(KeiyoBoardTest, GoldenLinesRapidAndLastStops) {
  t.train(1, "1001A", {900, 910, 920, 930, 940});
  t.train(1, "1002B", {905, 915, 925, 935, 0});  // ends at 新習志野
  t.train(1, "1003B", {0, 0, 935, 0, 0});        // ends here: shown, last stop 舞浜
  run(at(9, 10));
  EXPECT_EQ(b.caption, "京葉線（平日下り）  舞浜");
  const std::vector<std::string> want = {
      "快速 ０９：２０  蘇我 (０９：４０)  急げ!!",
      "普通 ０９：２５  新習志野 (０９：３５)",
      "普通 ０９：３５  舞浜 (０９：３５)",
  };
  EXPECT_EQ(b.lines, want);
  EXPECT_EQ(b.context.schedule, 1);
  EXPECT_EQ(b.context.station, 3);
}

TEST_F(KeiyoBoardTest, ScheduleFollowsDayOffFlagAndDirection) {
  t.train(4, "2001B", {0, 0, 1000, 1010, 1020});
  s.keiyo_flg = 2;
  s.keiyo_hyouji = 1;
  run(at(9, 0), testing::saturday());
  EXPECT_EQ(b.caption, "京葉線（土休日上り）  舞浜");
  EXPECT_EQ(b.lines, std::vector<std::string>{"普通 １０：００  蘇我 (１０：２０)"});
  run(at(9, 0), testing::weekday());
  EXPECT_EQ(b.caption, "京葉線（平日上り）  舞浜");
  EXPECT_EQ(b.lines, std::vector<std::string>{"本日の運行は終了しました"});
  s.keiyo_flg = 1;
  run(at(9, 0), testing::holiday_on(3));
  EXPECT_EQ(b.caption, "京葉線（土休日下り）  舞浜");
}

TEST_F(KeiyoBoardTest, NotBuiltUnlessInUseAndNoTrainWithoutAStopHere) {
  t.train(1, "1001B", {0, 0, 0, 30, 40});  // does not stop at 舞浜
  s.keiyo_hun1 = 0;
  s.keiyo_hun2 = 0;
  run(at(0, 0));
  EXPECT_EQ(b.lines, std::vector<std::string>{"この時間は運行していません"});
  s.keiyo_use = 0;
  b.caption = "untouched";
  run(at(0, 0));
  EXPECT_EQ(b.caption, "untouched");
}

TEST_F(KeiyoBoardTest, EnglishLinesRapidLocalAndCaptions) {
  t.train(1, "1001A", {900, 910, 920, 930, 940});
  t.train(1, "1002B", {905, 915, 925, 935, 0});
  data::PlaceNames names;
  names.add("舞浜", "Maihama");
  names.add("蘇我", "Soga");
  names.add("新習志野", "Shin-Narashino");
  edit_keiyo(t.get(), s, testing::weekday(), at(9, 10), b, text::Language::kEnglish, names);
  EXPECT_EQ(b.caption, "Keiyo Line (weekdays, down)  Maihama");
  const std::vector<std::string> want = {
      "Rapid 09:20  Soga (09:40)  Hurry!",
      "Local 09:25  Shin-Narashino (09:35)",
  };
  EXPECT_EQ(b.lines, want);
  s.keiyo_flg = 2;
  edit_keiyo(t.get(), s, testing::sunday(), at(9, 10), b, text::Language::kEnglish, names);
  EXPECT_EQ(b.caption, "Keiyo Line (weekends & holidays, up)  Maihama");
  EXPECT_EQ(b.lines, std::vector<std::string>{"Service has ended for today"});
}

TEST(KeiyoRapid, IdentifierFieldsPaddedWithBlanksKeepTheirKind) {
  // identifiers are kept as their 5-character fields, so a short one ends in blanks
  EXPECT_TRUE(is_keiyo_rapid("101A "));
  EXPECT_TRUE(is_keiyo_rapid("  9A "));
  EXPECT_TRUE(is_keiyo_rapid("1234A"));
  EXPECT_FALSE(is_keiyo_rapid("101Y "));
  EXPECT_FALSE(is_keiyo_rapid("     "));
}

}  // namespace
}  // namespace ravolin::board
