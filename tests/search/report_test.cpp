// SPDX-License-Identifier: MIT
#include "search/report.h"

#include "text/print_columns.h"

#include <gtest/gtest.h>

#include <memory>

namespace ravolin::search {
namespace {

// Direction 1: 東京 1, 名古屋 2 (arrival) 3 (departure), 米原 4, 新大阪 5.
struct Fixture {
  std::unique_ptr<data::SinkansenTables> sin = std::make_unique<data::SinkansenTables>();
  std::unique_ptr<SearchResult> res = std::make_unique<SearchResult>();
  SearchConditions cond;

  Fixture() {
    const char* names[] = {"東京", "名古屋", "名古屋", "米原", "新大阪"};
    int flags[] = {0, 1, 2, 0, 0};
    sin->station_count = 5;
    for (int s = 1; s <= 5; ++s) {
      sin->station_name[1][s] = names[s - 1];
      sin->station_flag[1][s] = flags[s - 1];
    }
    train(1, "H005", "G", {600, 750, 752, 820, 855});
    train(2, "K101", "", {0, 0, 755, 825, 0});
    train(3, "N001", "N", {0, 0, 0, 830, 858});
    train(4, "Z123", "", {600, 0, 0, 0, 605});
    train(5, "H005 ", "G", {700, 850, 852, 920, 955});  // same identifier as train 1
    train(6, "K200", "N5", {700, 0, 800, 0, 0});        // no time in 名古屋's arrival row
    train(7, "H300", "RS", {0, 0, 805, 0, 930});
    sin->train_count[1] = 7;
    res->direction = 1;
    res->boarding_row = 1;
    res->alighting_row = 5;
    cond.st_station = "東京";
    cond.ed_station = "新大阪";
    cond.st_time1 = 600;
    cond.st_time2 = 1000;
    cond.ed_time1 = 600;
    cond.ed_time2 = 2359;
    cond.wait_time = 5;
    cond.combination_number = 1;
    cond.sort_order = kSortByDeparture;
  }
  void train(int t, const char* id, const char* car, std::initializer_list<int> times) {
    sin->train_id[1][t] = id;
    sin->car_type[1][t] = car;
    int s = 1;
    for (int v : times) sin->times[1][s++][t] = v;
  }
  void add(int t1, int t2, int row1, int t3, int row2, int ride) {
    ResultEntry& e = res->entries[++res->count];
    e.first_train = t1;
    e.second_train = t2;
    e.first_transfer_row = row1;
    e.third_train = t3;
    e.second_transfer_row = row2;
    e.ride_minutes = ride;
  }
};

TEST(ResultsText, LegsOfDirectOneAndTwoTransferConnections) {
  Fixture f;
  f.add(1, 0, 0, 0, 0, 175);
  f.add(1, 2, 3, 3, 4, 178);
  f.add(4, 0, 0, 0, 0, 5);
  f.add(6, 7, 3, 0, 0, 150);
  f.add(5, 0, 0, 0, 0, 175);
  const std::string expected_all =
      "[175分]ひかり005G 東京(06:00発)→新大阪(08:55着) \r\n\r\n"
      "[178分]ひかり005G 東京(06:00発)→名古屋(07:50着) \r\n"
      "\t\t～ こだま101  名古屋(07:55発)→米原(08:25着) \r\n"
      "\t\t\t～ のぞみ001N 米原(08:30発)→新大阪(08:58着) \r\n\r\n"
      "[005分]123  東京(06:00発)→新大阪(06:05着) \r\n\r\n"
      // The first train has no time in the arrival row: its leg ends at the
      // departure-row time instead of disappearing.
      "[150分]こだま200n 東京(07:00発)→名古屋(08:00着) \r\n"
      "\t\t～ ひかり300R 名古屋(08:05発)→新大阪(09:30着) \r\n\r\n"
      "[175分]ひかり005G 東京(07:00発)→新大阪(09:55着) \r\n\r\n";
  f.cond.combination_number = 0;
  EXPECT_EQ(edit_data(*f.sin, f.cond, *f.res), expected_all);

  // One per train: the second connection of train 1 and train 5 (the same identifier)
  // are left out.
  f.cond.combination_number = 1;
  EXPECT_EQ(edit_data(*f.sin, f.cond, *f.res),
            "[175分]ひかり005G 東京(06:00発)→新大阪(08:55着) \r\n\r\n"
            "[005分]123  東京(06:00発)→新大阪(06:05着) \r\n\r\n"
            "[150分]こだま200n 東京(07:00発)→名古屋(08:00着) \r\n"
            "\t\t～ ひかり300R 名古屋(08:05発)→新大阪(09:30着) \r\n\r\n");
}

TEST(ResultsText, EntryAtLineFollowsTheLinesOfTheReport) {
  Fixture f;
  f.add(1, 0, 0, 0, 0, 175);  // lines 0, 1 blank
  f.add(1, 2, 3, 3, 4, 178);  // lines 2-4, 5 blank (left out with one per train)
  f.add(4, 0, 0, 0, 0, 5);    // lines 6, 7 blank
  f.add(6, 7, 3, 0, 0, 150);  // lines 8-9
  f.cond.combination_number = 0;
  const int all[] = {1, 0, 2, 2, 2, 0, 3, 0, 4, 4, 0, 0};
  for (int line = 0; line < 12; ++line)
    EXPECT_EQ(entry_at_line(*f.sin, f.cond, *f.res, line), all[line]) << line;
  // One per train: the second connection of train 1 has no lines; train 4's is entry 3.
  f.cond.combination_number = 1;
  const int one[] = {1, 0, 3, 0, 4, 4, 0};
  for (int line = 0; line < 7; ++line)
    EXPECT_EQ(entry_at_line(*f.sin, f.cond, *f.res, line), one[line]) << line;
  EXPECT_EQ(entry_at_line(*f.sin, f.cond, *f.res, -1), 0);
}

TEST(ResultsText, EmptyResultShowsTheConditions) {
  Fixture f;
  const char* expected =
      "条件にあう新幹線を検索できませんでした\r\n"
      "乗車条件：東京   \t600 -> 1000\r\n"
      "下車条件：新大阪   \t600 -> 2359\r\n";
  EXPECT_EQ(edit_data(*f.sin, f.cond, *f.res), expected);
  f.res->direction = 0;  // a station the search did not find
  f.res->count = 0;
  EXPECT_EQ(edit_data(*f.sin, f.cond, *f.res), expected);
}

TEST(ResultsText, TrainLabelPadsTheNumberAndMapsTheCarCode) {
  Fixture f;
  f.train(1, "M7", "N7", {});
  std::string s = "x";
  append_train_label(*f.sin, 1, 1, 1, s);
  EXPECT_EQ(s, "xこまち007E ");
  // A number padded with blanks inside its field still reads as a number.
  f.train(2, "K 12", "", {});
  s.clear();
  append_train_label(*f.sin, 1, 1, 2, s);
  EXPECT_EQ(s, "こだま012  ");
}

TEST(ResultsWindowTexts, CaptionLegendAndPrintedPage) {
  Fixture f;
  calendar::SearchDate d{calendar::day_number(2000, 3, 11), 2000, 3, 11, 7};
  EXPECT_EQ(frame1_caption(f.cond, d, 1),
            "東京 → 新大阪  【2000/03/11（土）　通常期】　表示順序：発車時刻順");
  f.cond.sort_order = kSortByRide;
  EXPECT_EQ(frame1_caption(f.cond, d, 3),
            "東京 → 新大阪  【2000/03/11（土）　閑散期】　表示順序：乗車時間順");
  EXPECT_EQ(legend_text(1),
            "列車名の[N]:のぞみ型 [n]:のぞみ500系 [E]:のぞみ700系 [G]:ｸﾞﾗﾝﾄﾞひかり "
            "[W]:ｳｴｽﾄひかり [R]:Rail Star");
  EXPECT_EQ(legend_text(2), "列車名の[M]は「オール２階建て車両」で運行しています");
  EXPECT_EQ(legend_text(3), legend_text(2));
  EXPECT_EQ(legend_text(4), "");

  PrintPage p;
  p.corridor_caption = "東海道・山陽新幹線";
  p.program_version = "1.59";
  p.edition_code = 1;
  p.cond = f.cond;
  p.cond.sort_order = kSortByArrival;
  p.cond.wait_count = 2;
  p.date = d;
  p.season = 2;
  p.results_text = "R\r\n";
  p.fare_text = "F\r\n";
  std::vector<std::string> lines = print_lines(p);
  std::vector<std::string> expected = {
      " ",
      "ラボリン（東海道・山陽新幹線編）＆ホテル情報　(Version 1.59)",
      std::string(89, '='),
      "　検索条件　　乗車駅　：東京　下車駅：新大阪",
      "              乗車時間：06:00 ～ 10:00",
      "              下車時間：06:00 ～ 23:59",
      "　　　　　　　乗換条件：２回乗り換え　　［乗り換え時間：5分］",
      "　　　　　　　表示順　：到着時刻順",
      "              日付　　：2000/03/11（土）　繁忙期",
      std::string(89, '='),
      "R\r\n",
      std::string(89, '-'),
      "F\r\n",
      std::string(89, '='),
      legend_text(1),
  };
  EXPECT_EQ(lines, expected);
  p.edition_code = 0;
  EXPECT_EQ(print_lines(p).size(), expected.size() - 1);  // no legend line
}

// English: the same connections, the stations through their English names (a name
// without one stays as in the data), the header's values in the Japanese columns.
struct EnglishNames {
  data::PlaceNames names;
  EnglishNames() {
    names.add("東京", "Tokyo");
    names.add("名古屋", "Nagoya");
    names.add("新大阪", "Shin-Osaka");
  }
  Wording wording() const { return {text::Language::kEnglish, &names}; }
};

TEST(EnglishResults, ReportCaptionLegendAndEmptyResult) {
  Fixture f;
  const EnglishNames en;
  f.add(1, 2, 3, 3, 4, 178);
  f.add(4, 0, 0, 0, 0, 5);
  f.cond.combination_number = 0;
  EXPECT_EQ(edit_data(*f.sin, f.cond, *f.res, en.wording()),
            "[178 min] Hikari 5 G Tokyo (dep 06:00) -> Nagoya (arr 07:50) \r\n"
            "\t\t~ Kodama 101   Nagoya (dep 07:55) -> 米原 (arr 08:25) \r\n"
            "\t\t\t~ Nozomi 1 N 米原 (dep 08:30) -> Shin-Osaka (arr 08:58) \r\n\r\n"
            "[5 min] 123   Tokyo (dep 06:00) -> Shin-Osaka (arr 06:05) \r\n\r\n");
  f.res->count = 0;
  EXPECT_EQ(edit_data(*f.sin, f.cond, *f.res, en.wording()),
            "No Shinkansen found for these conditions\r\n"
            "Departure: Tokyo   \t06:00 -> 10:00\r\n"
            "Arrival:   Shin-Osaka   \t06:00 -> 23:59\r\n");

  calendar::SearchDate d{calendar::day_number(2000, 3, 11), 2000, 3, 11, 7};
  EXPECT_EQ(frame1_caption(f.cond, d, 1, en.wording()),
            "Tokyo → Shin-Osaka  [Sat 11 Mar 2000  Season: regular]  Order: by departure");
  f.cond.sort_order = kSortByRide;
  EXPECT_EQ(frame1_caption(f.cond, d, 3, en.wording()),
            "Tokyo → Shin-Osaka  [Sat 11 Mar 2000  Season: off-peak]  Order: by ride time");
  EXPECT_EQ(legend_text(1, text::Language::kEnglish),
            "[N] Nozomi type [n] Nozomi 500 [E] Nozomi 700 [G] Grand Hikari [W] West Hikari "
            "[R] Rail Star");
  EXPECT_EQ(legend_text(2, text::Language::kEnglish),
            "[M] after the train: all double-decker cars");
  EXPECT_EQ(legend_text(4, text::Language::kEnglish), "");
}

TEST(EnglishResults, PrintedHeaderLinesUpAsTheJapaneseOne) {
  Fixture f;
  const EnglishNames en;
  PrintPage p;
  p.corridor_caption = "東海道・山陽新幹線";
  p.program_version = "1.59";
  p.edition_code = 1;
  p.cond = f.cond;
  p.cond.wait_count = 2;
  p.date = {calendar::day_number(2000, 3, 11), 2000, 3, 11, 7};
  p.season = 2;
  p.results_text = "R\r\n";
  p.fare_text = "F\r\n";
  const std::vector<std::string> japanese = print_lines(p);
  p.wording = en.wording();
  const std::vector<std::string> lines = print_lines(p);
  const std::vector<std::string> expected = {
      " ",
      "Ravolin & Hotel Guide: Tokaido and Sanyo Shinkansen  (Version 1.59)",
      std::string(89, '='),
      "  Conditions  From    : Tokyo   To: Shin-Osaka",
      "              Depart  : 06:00 - 10:00",
      "              Arrive  : 06:00 - 23:59",
      "              Transfer: up to 2 transfers   [Wait at most: 5 min]",
      "              Order   : by departure",
      "              Date    : Sat 11 Mar 2000  Season: peak",
      std::string(89, '='),
      "R\r\n",
      std::string(89, '-'),
      "F\r\n",
      std::string(89, '='),
      legend_text(1, text::Language::kEnglish),
  };
  EXPECT_EQ(lines, expected);
  // Each condition's value starts in the column where the Japanese one does.
  for (std::size_t i = 3; i <= 8; ++i) {
    const std::string& ja = japanese[i];
    const std::size_t ja_colon = ja.find("：");
    EXPECT_EQ(text::text_columns(lines[i].substr(0, lines[i].find(": ") + 2)),
              text::text_columns(ja.substr(0, ja_colon + std::string("：").size())))
        << lines[i];
  }
}

TEST(EnglishResults, DatesAtBothEndsOfTheYearInTheCaptionAndThePrintedHeader) {
  Fixture f;
  const EnglishNames en;
  PrintPage p;
  p.corridor_caption = "東海道・山陽新幹線";
  p.edition_code = 1;
  p.cond = f.cond;
  p.wording = en.wording();
  const struct {
    calendar::SearchDate date;
    const char* shown;
  } cases[] = {
      {{calendar::day_number(2000, 12, 31), 2000, 12, 31, 1}, "Sun 31 Dec 2000"},
      {{calendar::day_number(2000, 1, 1), 2000, 1, 1, 7}, "Sat 1 Jan 2000"},
  };
  for (const auto& c : cases) {
    const std::string caption = frame1_caption(f.cond, c.date, 1, en.wording());
    EXPECT_NE(caption.find(std::string("[") + c.shown + "  "), std::string::npos) << caption;
    p.date = c.date;
    const std::vector<std::string> lines = print_lines(p);
    ASSERT_GT(lines.size(), 8u);
    EXPECT_EQ(lines[8].substr(lines[8].find(": ") + 2, std::string(c.shown).size()), c.shown)
        << lines[8];
  }
}

}  // namespace
}  // namespace ravolin::search
