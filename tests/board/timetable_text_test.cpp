// SPDX-License-Identifier: MIT
#include "board/full_schedule.h"
#include "board/passing_stations.h"

#include "board_fixture.h"

#include <gtest/gtest.h>

#include <utility>

namespace ravolin::board {
namespace {

using testing::at;
using testing::KeiyoTables;
using testing::SinTables;

class SinTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t.stations(1, {{"東京", 0}, {"品川", 0}, {"名古屋", 1}, {"名古屋", 2}, {"博多", 0}});
    s.sinkansen_flg = 1;
    s.sinkansen_station = "品川";
  }
  SinTables t;
  settings::Settings s;
};

TEST_F(SinTextTest, FullScheduleRowsMarksAndInitials) {
  t.train(1, "H001", {0, 558, 700, 701, 900});
  t.train(1, "N002", {0, 559, 700, 701, 900});
  t.train(1, "K003", {0, 601, 800, 0, 0});  // ends at 名古屋
  t.train(1, "X004", {0, 610, 0, 0, 900});  // unknown letter: the initial alone
  t.train(1, "M005", {0, 2405, 2500, 0, 0});
  t.train(1, "N006", {0, 30, 200, 0, 0}, 11);  // not on a day off
  t.train(1, "N007", {0, 640, 0, 0, 0});       // ends here
  FullSchedule fs = full_schedule_sinkansen(t.get(), s, testing::weekday(), 1);
  EXPECT_EQ(fs.caption, "新幹線（下り）  品川");
  EXPECT_EQ(fs.text,
            "00|名[30] \r\n"
            "05|博 58  博[59] \r\n"
            "06|名(01) 博\r\n"
            "24|名<05> ");
  EXPECT_EQ(fs.note, "（注）無印はひかり  [　］はのぞみ　（　）はこだま");

  fs = full_schedule_sinkansen(t.get(), s, testing::saturday(), 2);
  EXPECT_EQ(fs.text.substr(0, 6), "05|博");
  EXPECT_EQ(fs.note, "（注）無印はやまびこ  ［　］はつばさ　＜　＞はこまち　（　）はなすの");
  EXPECT_EQ(full_schedule_sinkansen(t.get(), s, testing::saturday(), 3).note,
            "（注）無印はあさひ ［　］はあさま　（　）はたにがわ");
}

TEST_F(SinTextTest, EnglishFullScheduleInitialsAndNotes) {
  t.train(1, "H001", {0, 558, 700, 701, 900});
  t.train(1, "N002", {0, 559, 700, 701, 900});
  t.train(1, "K003", {0, 601, 800, 0, 0});  // ends at 名古屋, which has no English name
  t.train(1, "M005", {0, 2405, 2500, 0, 0});
  data::PlaceNames names;
  names.add("品川", "Shinagawa");
  names.add("博多", "Hakata");
  const auto en = text::Language::kEnglish;
  FullSchedule fs = full_schedule_sinkansen(t.get(), s, testing::weekday(), 1, en, names);
  EXPECT_EQ(fs.caption, "Shinkansen (down)  Shinagawa");
  EXPECT_EQ(fs.text,
            "05|Hk 58  Hk[59] \r\n"
            "06|名(01) \r\n"
            "24|名<05> ");
  EXPECT_EQ(destination_key_text(fs.key), "Last stop:  名 = 名古屋  Hk = Hakata");
  EXPECT_EQ(fs.note, "Note: plain = Hikari  [ ] = Nozomi  ( ) = Kodama");
  EXPECT_EQ(full_schedule_sinkansen(t.get(), s, testing::weekday(), 2, en, names).note,
            "Note: plain = Yamabiko  [ ] = Tsubasa  < > = Komachi  ( ) = Nasuno");
  EXPECT_EQ(full_schedule_sinkansen(t.get(), s, testing::weekday(), 3, en, names).note,
            "Note: plain = Asahi  [ ] = Asama  ( ) = Tanigawa");
}

// English initials collide where Japanese ones do not (浜, 広, 博 are all "H"; 仙, 新 both
// "S"): each last stop gets its own mark, and the key names them in order along the line.
TEST(EnglishTimetableKey, LastStopsWithOneInitialGetMarksOfTheirOwn) {
  SinTables t;
  t.stations(
      1,
      {{"東京", 0}, {"浜松", 0}, {"仙台", 1}, {"仙台", 2}, {"新庄", 0}, {"広島", 0}, {"博多", 0}});
  settings::Settings s;
  s.sinkansen_flg = 1;
  s.sinkansen_station = "東京";
  t.train(1, "H001", {600, 700, 800, 801, 900, 1000, 1100});
  t.train(1, "N002", {605, 700, 800, 801, 900, 1000, 0});
  t.train(1, "K003", {610, 700, 0, 0, 0, 0, 0});
  t.train(1, "K004", {620, 700, 800, 0, 0, 0, 0});  // ends at 仙台's arrival row
  t.train(1, "M005", {705, 0, 0, 0, 900, 0, 0});
  data::PlaceNames names;
  for (const auto& [jp, en] : {std::pair{"浜松", "Hamamatsu"},
                               {"仙台", "Sendai"},
                               {"新庄", "Shinjo"},
                               {"広島", "Hiroshima"},
                               {"博多", "Hakata"}})
    names.add(jp, en);
  const FullSchedule fs =
      full_schedule_sinkansen(t.get(), s, testing::weekday(), 1, text::Language::kEnglish, names);
  EXPECT_EQ(fs.text,
            "06|Hk 00  Hr[05] Hm(10) Sn(20) \r\n"
            "07|Sj<05> ");
  EXPECT_EQ(destination_key_text(fs.key),
            "Last stop:  Hm = Hamamatsu  Sn = Sendai  Sj = Shinjo  Hr = Hiroshima  Hk = Hakata");
  EXPECT_EQ(destination_key_text(fs.key, "\u00a0").substr(0, 22), "Last stop:  Hm\u00a0=\u00a0Ham");
  // The Japanese table keeps its one-character initials and has no key.
  const FullSchedule jp = full_schedule_sinkansen(t.get(), s, testing::weekday(), 1);
  EXPECT_EQ(jp.text, "06|博 00  広[05] 浜(10) 仙(20) \r\n07|新<05> ");
  EXPECT_TRUE(jp.key.empty());
}

TEST_F(SinTextTest, EnglishPassingStationsAndCarNote) {
  t.train(1, "N001", {0, 1000, 1130, 1131, 1330}, 0, "N7");
  data::PlaceNames names;
  names.add("品川", "Shinagawa");
  names.add("博多", "Hakata");
  SinkansenBoard b;
  edit_sinkansen(t.get(), s, testing::weekday(), at(9, 0), b);
  EXPECT_EQ(passing_stations_sinkansen(t.get(), b, 0, text::Language::kEnglish, names),
            "Shinagawa (10:00) → 名古屋 (11:30) → Hakata (13:30)  [Nozomi, Series 700]");
  EXPECT_EQ(passing_stations_sinkansen(t.get(), b, 0),
            "品川(10:00) → 名古屋(11:30) → 博多(13:30)　【のぞみ７００系】");
}

TEST_F(SinTextTest, FullScheduleListsEveryTrainOfTheDay) {
  // A busy station may have more trains in a day than the board's candidate limit.
  for (int m = 1; m <= 250; ++m) t.train(1, "H001", {0, 600 + m % 60 + (m / 60) * 100, 2400, 0, 0});
  FullSchedule fs = full_schedule_sinkansen(t.get(), s, testing::weekday(), 1);
  std::size_t entries = 0;
  for (std::size_t p = fs.text.find("名 "); p != std::string::npos; p = fs.text.find("名 ", p + 1))
    ++entries;
  EXPECT_EQ(entries, 250u);
}

TEST_F(SinTextTest, PassingStationsFromDepartureRowWithCarNote) {
  t.stations(2, {{"博多", 0}, {"名古屋", 1}, {"名古屋", 2}, {"品川", 0}, {"東京", 0}});
  t.train(2, "N001", {900, 1130, 1131, 1220, 1227}, 0, "N7");
  t.train(2, "H002", {0, 1140, 1145, 1235, 0});
  s.sinkansen_flg = 2;
  s.sinkansen_station = "名古屋";
  SinkansenBoard b;
  edit_sinkansen(t.get(), s, testing::weekday(), at(11, 0), b);
  ASSERT_EQ(b.train_lines, 2);
  EXPECT_EQ(passing_stations_sinkansen(t.get(), b, 0),
            "名古屋(11:31) → 品川(12:20) → 東京(12:27)　【のぞみ７００系】");
  EXPECT_EQ(passing_stations_sinkansen(t.get(), b, 1), "名古屋(11:45) → 品川(12:35)");
  EXPECT_EQ(passing_stations_sinkansen(t.get(), b, 2), "");  // no such line
  EXPECT_EQ(passing_stations_sinkansen(t.get(), b, -1), "");

  // A line that holds an empty-list message leads to no train.
  edit_sinkansen(t.get(), s, testing::weekday(), at(23, 0), b);
  ASSERT_EQ(b.lines.size(), 1u);
  EXPECT_EQ(passing_stations_sinkansen(t.get(), b, 0), "");

  data::ScheduleData d;
  d.sin = t.get();
  edit_sinkansen(d.sin, s, testing::weekday(), at(11, 0), b);
  KeiyoBoard k;
  EXPECT_EQ(passing_stations(kModeSinkansen, d, b, k, 1), "名古屋(11:45) → 品川(12:35)");
  EXPECT_EQ(passing_stations(3, d, b, k, 1), "");
  EXPECT_TRUE(full_schedule(0, d, s, testing::weekday()).text.empty());
}

class KeiyoTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int v = 1; v <= 4; ++v) t.stations(v, {"東京", "舞浜", "新習志野", "蘇我"});
    s.keiyo_use = 1;
    s.keiyo_flg = 1;
    s.keiyo_station = "舞浜";
  }
  KeiyoTables t;
  settings::Settings s;
};

TEST_F(KeiyoTextTest, FullScheduleRapidAndShortTrains) {
  t.train(1, "1001A", {540, 555, 605, 620});
  t.train(1, "1002B", {545, 600, 610, 0});  // ends at 新習志野
  t.train(1, "1003B", {0, 0, 700, 720});    // does not stop here
  t.train(1, "1004B", {2350, 2405, 2415, 2430});
  t.train(3, "3001B", {600, 615, 625, 640});
  FullSchedule fs = full_schedule_keiyo(t.get(), s, testing::weekday());
  EXPECT_EQ(fs.caption, "京葉線（平日下り）  舞浜");
  EXPECT_EQ(fs.text, "05|快 55 \r\n06|  (00)\r\n24|   05 ");
  EXPECT_EQ(fs.note, "（注）（　）内は新習志野駅とまり");
  fs = full_schedule_keiyo(t.get(), s, testing::sunday());
  EXPECT_EQ(fs.caption, "京葉線（土休日下り）  舞浜");
  EXPECT_EQ(fs.text, "06|   15 ");
}

TEST_F(KeiyoTextTest, EnglishFullScheduleAndStops) {
  t.train(1, "1001A", {540, 555, 605, 620});
  t.train(1, "1002B", {545, 600, 610, 0});
  data::PlaceNames names;
  names.add("舞浜", "Maihama");
  names.add("新習志野", "Shin-Narashino");
  names.add("蘇我", "Soga");
  const auto en = text::Language::kEnglish;
  FullSchedule fs = full_schedule_keiyo(t.get(), s, testing::weekday(), en, names);
  EXPECT_EQ(fs.caption, "Keiyo Line (weekdays, down)  Maihama");
  EXPECT_EQ(fs.text, "05|R  55 \r\n06|  (00)");
  EXPECT_EQ(fs.note, "Note: ( ) = terminates at Shin-Narashino");
  KeiyoBoard b;
  edit_keiyo(t.get(), s, testing::weekday(), at(5, 50), b, en, names);
  EXPECT_EQ(passing_stations_keiyo(t.get(), b, 0, en, names),
            "Maihama (05:55) → Shin-Narashino (06:05) → Soga (06:20)");
}

TEST_F(KeiyoTextTest, PassingStationsStartAtTheUserStation) {
  t.train(1, "1001A", {900, 915, 0, 940});
  KeiyoBoard b;
  edit_keiyo(t.get(), s, testing::weekday(), at(9, 0), b);
  ASSERT_EQ(b.train_lines, 1);
  EXPECT_EQ(passing_stations_keiyo(t.get(), b, 0), "舞浜(09:15) → 蘇我(09:40)");
  EXPECT_EQ(passing_stations_keiyo(t.get(), b, 1), "");
}

TEST_F(SinTextTest, PassingStationsEndAtTheLastMappableListLine) {
  // List lines 0..249 map to trains; line 250 is one past the row map. The board's
  // train_lines field follows the row map in memory and names a real train here, so a
  // bound that let line 250 through would show that train's stops.
  t.train(1, "H001", {0, 900, 0, 1000, 1100});
  SinkansenBoard b;
  b.context = {1, 2};
  b.row_map[kSinRowMapSize] = 1;
  b.train_lines = 1;
  EXPECT_EQ(passing_stations_sinkansen(t.get(), b, kSinRowMapSize - 1),
            "品川(09:00) → 博多(11:00)");
  EXPECT_EQ(passing_stations_sinkansen(t.get(), b, kSinRowMapSize), "");

  KeiyoTables k;
  k.stations(1, {"東京", "舞浜", "蘇我"});
  k.train(1, "0501Y", {900, 915, 940});
  KeiyoBoard kb;
  kb.context = {1, 2};
  kb.row_map[kKeiyoRowMapSize] = 1;
  kb.train_lines = 1;
  EXPECT_EQ(passing_stations_keiyo(k.get(), kb, kKeiyoRowMapSize - 1), "舞浜(09:15) → 蘇我(09:40)");
  EXPECT_EQ(passing_stations_keiyo(k.get(), kb, kKeiyoRowMapSize), "");
}

}  // namespace
}  // namespace ravolin::board
