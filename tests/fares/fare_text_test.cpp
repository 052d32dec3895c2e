// SPDX-License-Identifier: MIT
#include "fares/fare_text.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ravolin::fares {
namespace {

using calendar::HolidayList;
using calendar::SearchDate;

SearchDate date_of(int y, int m, int d) {
  SearchDate s;
  s.day_number = calendar::day_number(y, m, d);
  s.year = y;
  s.month = m;
  s.day = d;
  s.weekday = calendar::weekday_of(s.day_number);
  return s;
}

HolidayList holidays(std::vector<std::pair<int, int>> md) {
  HolidayList h;
  for (auto [m, d] : md) {
    ++h.count;
    h.month[h.count] = static_cast<std::int16_t>(m);
    h.day[h.count] = static_cast<std::int16_t>(d);
  }
  return h;
}

// A small corridor: 東京 1, 品川 2, 新横浜 3, 名古屋 4 (arrival) and 5 (departure),
// 京都 6, 新大阪 7.
struct Corridor {
  std::unique_ptr<data::SinkansenTables> sin = std::make_unique<data::SinkansenTables>();
  std::unique_ptr<FareTables> t = std::make_unique<FareTables>();

  Corridor() {
    const char* names[] = {"東京", "品川", "新横浜", "名古屋", "名古屋", "京都", "新大阪"};
    int flags[] = {0, 0, 0, 1, 2, 0, 0};
    sin->station_count = 7;
    for (int s = 1; s <= 7; ++s) {
      sin->station_name[1][s] = names[s - 1];
      sin->station_flag[1][s] = flags[s - 1];
      sin->station_name[2][8 - s] = names[s - 1];
    }
    kilo("東京", 0.0);
    kilo("品川", 6.8);
    kilo("新横浜", 28.8);
    kilo("名古屋", 366.0);
    kilo("京都", 513.6);
    kilo("新大阪", 552.6);
    pair("東京", "新大阪", 8510, 5540, 0, 0);
    pair("名古屋", "東京", 6090, 4920, 0, 60000);
    pair("品川", "新大阪", 8510, 5540, 4700, 0);
    green(100, 1000, 0, 0);
    green(200, 2000, 0, 0);
    green(400, 4000, 8000, 6000);
    green(600, 5000, 12000, 9000);
    nozomi("東京", "新大阪", 6490, 950);
    nozomi("東京", "名古屋", 5950, 760);
    nozomi("品川", "京都", 6100, 600);
  }
  void kilo(const char* n, double k) {
    auto& r = t->kilo_table[++t->kilo_count];
    r.station_name = n;
    r.kilo = k;
  }
  void pair(const char* a, const char* b, int fare, int express, int free_fee, int coupon) {
    auto& r = t->pair_fare_table[++t->pair_count];
    r = {a,
         b,
         static_cast<std::int16_t>(free_fee),
         static_cast<std::int16_t>(fare),
         static_cast<std::int16_t>(express),
         coupon};
  }
  void green(int upper, int fee, int r2, int r4) {
    auto& r = t->green_table[++t->green_count];
    r = {static_cast<std::int16_t>(upper), static_cast<std::int16_t>(fee),
         static_cast<std::int16_t>(r2), static_cast<std::int16_t>(r4)};
  }
  void nozomi(const char* a, const char* b, int fee, int transfer) {
    auto& r = t->nozomi_table[++t->nozomi_count];
    r = {a, b, 0, static_cast<std::int16_t>(fee), static_cast<std::int16_t>(transfer)};
  }
  void ticket(const char* a, const char* b, int type, int sheets, int term, int price) {
    auto& r = t->ticket_table[++t->ticket_count];
    r = {a,
         b,
         static_cast<std::int16_t>(sheets),
         static_cast<std::int16_t>(term),
         static_cast<std::int16_t>(type),
         price};
  }
  std::string text(const char* from, const char* to, SearchDate d, int edition = 1,
                   const HolidayList& h = {}, const data::PlaceNames* english = nullptr) const {
    FareJourney j{from, to, d, edition, fare_season(h, d, 2000)};
    if (english) {
      j.language = text::Language::kEnglish;
      j.names = english;
    }
    return fare_text(*t, *sin, h, 2000, j);
  }
};

// 2000/03/11 is a Saturday in the regular season.
TEST(FareText, FullTextOfANozomiCorridorJourney) {
  Corridor c;
  c.ticket("新大阪", "東京", 1, 6, 3, 67500);
  c.ticket("東京", "新大阪", 11, 4, 2, 40000);
  c.ticket("東京", "新大阪", 12, 4, 3, 38000);
  c.ticket("東京", "新大阪", 5, 0, 3, 30000);
  c.ticket("東京", "名古屋", 1, 6, 3, 50000);
  c.ticket("東京", "新大阪", 7, 11, 10, 10000);
  EXPECT_EQ(c.text("東京", "新大阪", date_of(2000, 3, 11)),
            "運賃\t\t\t\t\t：８，５１０円（有効期間：４日）\r\n"
            "普通車指定席特急料金\t\t\t：５，５４０円\r\n"
            "グリーン車料金\t\t\t\t：５，０００円\r\n"
            "グリーン車個室料金（１～２人用；１人分）：１２，０００円\r\n"
            "グリーン車個室料金（３～４人用；１人分）：９，０００円\r\n"
            "\t※グリーン車利用の場合､普通車指定席特急料金は､５，０３０円となります\r\n"
            "のぞみ特急料金\t\t\t\t：６，４９０円\r\n"
            "全区間自由席利用時の特急料金\t\t：５，０３０円\r\n"
            "\r\n"
            "＜＜交通費の合計＞＞\r\n"
            "\t普通席指定席利用時\t\t：１４，０５０円\r\n"
            "\tグリーン車指定席利用時\t\t：１８，５４０円\r\n"
            "\tのぞみ指定席利用時\t\t：１５，０００円\r\n"
            "\tのぞみグリーン車指定席利用時\t：１９，４９０円\r\n"
            "\t全区間自由席利用時\t\t：１３，５４０円\r\n"
            "\r\n"
            "＜＜新幹線のトクトクきっぷ＞＞\r\n"
            "のぞみ指定席特急回数券（普通車用）\t：１１，２５０円／１枚あたりの料金"
            "（６枚綴り、３ヶ月、ねだん：６７，５００円）\r\n"
            "新幹線ウィークエンド回数券（普通車自由席）：１０，０００円／１枚あたりの料金"
            "（４枚綴り、２ヶ月、ねだん：４０，０００円）\r\n"
            "なすのきっぷ（往復割引きっぷ：普通車自由席）：９０９円／１枚あたりの料金"
            "（１１枚綴り、１０日、ねだん：１０，０００円）\r\n"
            "\r\n"
            "＜＜のぞみとひかり・こだまを乗り継ぐ場合の普通車指定席特急料金の加算料金＞＞\r\n"
            "\t東京～新大阪間乗車時\t\t：９５０円\r\n"
            "\t東京～名古屋間乗車時\t\t：７６０円\r\n"
            "\t品川～京都間乗車時\t\t：６００円\r\n");
}

TEST(FareText, PeakSeasonRaisesReservedButNotTheGreenCase) {
  Corridor c;
  std::string s = c.text("新大阪", "東京", date_of(2000, 8, 15));  // a Tuesday in August
  EXPECT_NE(s.find("普通車指定席特急料金\t\t\t：５，７４０円\r\n"), std::string::npos) << s;
  EXPECT_NE(s.find("普通車指定席特急料金は､５，０３０円となります"), std::string::npos);
  EXPECT_NE(s.find("のぞみ特急料金\t\t\t\t：６，６９０円\r\n"), std::string::npos);
  // 11-20 August sells no discount tickets; the transfer list starts at the boarding
  // station's position, so an up journey from 新大阪 (7) lists none.
  EXPECT_EQ(s.find("トクトク"), std::string::npos);
  EXPECT_EQ(s.find("加算料金"), std::string::npos);

  std::string off = c.text("東京", "新大阪", date_of(2001, 2, 6));  // Tuesday, off-peak
  EXPECT_NE(off.find("普通車指定席特急料金\t\t\t：５，３４０円\r\n"), std::string::npos);
  EXPECT_NE(off.find("のぞみ特急料金\t\t\t\t：６，２９０円\r\n"), std::string::npos);
}

TEST(FareText, CouponPriceFreeSeatFeeAndTransferRowsFromTheBoardingStation) {
  Corridor c;
  std::string s = c.text("東京", "名古屋", date_of(2000, 3, 14));
  EXPECT_NE(s.find("新幹線自由席特急回数券\t\t\t：１０，０００円／１枚あたりの料金"
                   "（６枚綴り、３ヶ月、ねだん：６０，０００円）\r\n"),
            std::string::npos)
      << s;
  EXPECT_NE(s.find("\t東京～名古屋間乗車時\t\t：７６０円\r\n"), std::string::npos);
  EXPECT_EQ(s.find("東京～新大阪間"), std::string::npos);  // ends after 名古屋
  EXPECT_EQ(s.find("品川～京都間"), std::string::npos);

  std::string p = c.text("品川", "新大阪", date_of(2000, 3, 14));
  EXPECT_NE(p.find("全区間自由席利用時の特急料金\t\t：４，７００円\r\n"), std::string::npos);
  EXPECT_EQ(p.find("東京～"), std::string::npos);  // starts before 品川
  EXPECT_NE(p.find("\t品川～京都間乗車時\t\t：６００円\r\n"), std::string::npos);
  EXPECT_NE(p.find("　　　　新幹線のトクトクきっぷは設定されていません\r\n"), std::string::npos);
}

TEST(FareText, ValidityDaysAtTheDistanceBounds) {
  Corridor c;
  auto at = [&](double km) {
    c.t->kilo_table[2].kilo = 352.6;
    c.t->kilo_table[3].kilo = 352.6 + km;
    c.pair("品川", "新横浜", 1000, 1000, 0, 0);
    std::string s = c.text("品川", "新横浜", date_of(2000, 3, 14));
    return s.substr(0, s.find("\r\n"));
  };
  EXPECT_EQ(at(100.0), "運賃\t\t\t\t\t：１，０００円（有効期間：１日）");
  EXPECT_EQ(at(100.1), "運賃\t\t\t\t\t：１，０００円（有効期間：２日）");
  EXPECT_EQ(at(200.0), "運賃\t\t\t\t\t：１，０００円（有効期間：２日）");
  EXPECT_EQ(at(200.1), "運賃\t\t\t\t\t：１，０００円（有効期間：３日）");
  EXPECT_EQ(validity_days(400.0), 3);
  EXPECT_EQ(validity_days(400.1), 4);
}

TEST(FareText, MissingStationOrPairShowsNoAmountsOfAnotherJourney) {
  Corridor c;
  c.sin->station_name[1][8] = "岐阜羽島";
  c.sin->station_count = 8;
  std::string s = c.text("東京", "岐阜羽島", date_of(2000, 3, 14));
  EXPECT_EQ(s,
            "運賃\t\t\t\t\t：円（有効期間：日）\r\n"
            "普通車指定席特急料金\t\t\t：円\r\n"
            "グリーン車料金\t\t\t\t：円\r\n"
            "グリーン車個室料金（１～２人用；１人分）：円\r\n"
            "グリーン車個室料金（３～４人用；１人分）：円\r\n"
            "\t※グリーン車利用の場合､普通車指定席特急料金は､円となります\r\n"
            "のぞみ特急料金\t\t\t\t：円\r\n"
            "全区間自由席利用時の特急料金\t\t：円\r\n"
            "\r\n"
            "＜＜交通費の合計＞＞\r\n"
            "\t普通席指定席利用時\t\t：円\r\n"
            "\tグリーン車指定席利用時\t\t：円\r\n"
            "\t全区間自由席利用時\t\t：円\r\n"
            "\r\n"
            "＜＜新幹線のトクトクきっぷ＞＞\r\n"
            "　　　　新幹線のトクトクきっぷは設定されていません\r\n"
            "\r\n"
            "＜＜のぞみとひかり・こだまを乗り継ぐ場合の普通車指定席特急料金の加算料金＞＞\r\n"
            "\t東京～新大阪間乗車時\t\t：９５０円\r\n"
            "\t東京～名古屋間乗車時\t\t：７６０円\r\n"
            "\t品川～京都間乗車時\t\t：６００円\r\n");

  // Beyond the last Green band: no Green amounts, the rest stands.
  c.t->kilo_table[6].kilo = 700.0;
  std::string far = c.text("東京", "新大阪", date_of(2000, 3, 14));
  EXPECT_NE(far.find("グリーン車料金\t\t\t\t：円\r\n"), std::string::npos);
  EXPECT_NE(far.find("\tグリーン車指定席利用時\t\t：１３，５４０円\r\n"), std::string::npos);
}

TEST(FareText, TicketDateRules) {
  Corridor c;
  c.ticket("東京", "新大阪", 11, 10, 2, 100000);
  c.ticket("東京", "新大阪", 12, 10, 3, 90000);
  auto has = [&](SearchDate d, const char* what, const HolidayList& h = {}) {
    return c.text("東京", "新大阪", d, 1, h).find(what) != std::string::npos;
  };
  const char* weekend = "新幹線ウィークエンド回数券";
  const char* weekday = "新幹線オフピーク回数券";
  EXPECT_FALSE(has(date_of(2000, 4, 30), "トクトク"));  // no block at all, heading included
  EXPECT_TRUE(has(date_of(2000, 3, 11), weekend));      // Saturday
  EXPECT_FALSE(has(date_of(2000, 3, 11), weekday));
  EXPECT_FALSE(has(date_of(2000, 3, 14), weekend));  // Tuesday
  EXPECT_TRUE(has(date_of(2000, 3, 14), weekday));
  // A listed holiday on a Tuesday is neither weekend nor weekday.
  HolidayList h = holidays({{3, 14}});
  EXPECT_FALSE(has(date_of(2000, 3, 14), weekend, h));
  EXPECT_FALSE(has(date_of(2000, 3, 14), weekday, h));
  EXPECT_TRUE(has(date_of(2000, 3, 14), "設定されていません", h));
  // The holidays are placed in the system year (2000): in 2001 the same day is a weekday.
  EXPECT_TRUE(has(date_of(2001, 3, 14), weekday, h));
}

TEST(FareText, OtherEditionsHaveNoNozomiLinesAndTohokuClasses) {
  Corridor c;
  std::string j = c.text("東京", "新大阪", date_of(2000, 3, 14), kEditionJoetsu);
  EXPECT_EQ(j.find("のぞみ"), std::string::npos);
  EXPECT_EQ(j.find("加算料金"), std::string::npos);

  // A Tohoku-like list of 16 stations: boarding at 5, alighting at 13 is a through
  // journey (class 1); boarding at 9 has the free-seat class 2; 14 to 3 has class 0.
  Corridor t;
  t.sin->station_count = 16;
  for (int s = 1; s <= 16; ++s) t.sin->station_name[1][s] = "駅" + std::to_string(s);
  t.pair("駅5", "駅13", 3000, 5000, 0, 0);
  t.pair("駅9", "駅13", 2000, 4000, 0, 0);
  t.pair("駅14", "駅3", 2000, 4000, 0, 0);
  SearchDate peak = date_of(2000, 8, 8);
  std::string a = t.text("駅5", "駅13", peak, kEditionTohoku);
  EXPECT_NE(a.find("普通車指定席特急料金\t\t\t：５，３４０円\r\n"), std::string::npos) << a;
  EXPECT_NE(a.find("特急料金は､４，１３０円となります"), std::string::npos);
  EXPECT_NE(a.find("全区間自由席利用時の特急料金\t\t：４，１３０円\r\n"), std::string::npos);
  std::string b = t.text("駅9", "駅13", peak, kEditionTohoku);
  EXPECT_NE(b.find("普通車指定席特急料金\t\t\t：４，３４０円\r\n"), std::string::npos) << b;
  EXPECT_NE(b.find("全区間自由席利用時の特急料金\t\t：２，１８０円\r\n"), std::string::npos);
  std::string r = t.text("駅14", "駅3", peak, kEditionTohoku);
  EXPECT_NE(r.find("普通車指定席特急料金\t\t\t：４，２００円\r\n"), std::string::npos) << r;
  EXPECT_NE(r.find("全区間自由席利用時の特急料金\t\t：３，４９０円\r\n"), std::string::npos);
}

TEST(FareSeason, PeriodsWeekdaysAndHolidayEves) {
  EXPECT_EQ(fare_season(8, 8, 1, 0), kSeasonPeak);
  EXPECT_EQ(fare_season(8, 8, 3, 0), kSeasonPeak);
  EXPECT_EQ(fare_season(1, 10, 3, 0), kSeasonPeak);
  EXPECT_EQ(fare_season(12, 25, 3, 0), kSeasonPeak);
  EXPECT_EQ(fare_season(12, 20, 3, 0), kSeasonOffPeak);
  for (int wd = 2; wd <= 5; ++wd) EXPECT_EQ(fare_season(1, 16, wd, 0), kSeasonOffPeak) << wd;
  for (int wd : {1, 6, 7}) EXPECT_EQ(fare_season(1, 16, wd, 0), kSeasonRegular) << wd;
  EXPECT_EQ(fare_season(1, 16, 3, 1), kSeasonRegular);
  EXPECT_EQ(fare_season(1, 11, 3, 0), kSeasonRegular);
  EXPECT_EQ(fare_season(1, 15, 3, 0), kSeasonRegular);
  // 2001/01/16 is a Tuesday: the eve of a listed 17 January, or the Monday-after rule.
  EXPECT_EQ(fare_season(holidays({}), date_of(2001, 1, 16), 2001), kSeasonOffPeak);
  EXPECT_EQ(fare_season(holidays({{1, 17}}), date_of(2001, 1, 16), 2001), kSeasonRegular);
  EXPECT_EQ(fare_season(holidays({{1, 17}}), date_of(2001, 1, 16), 2000), kSeasonOffPeak);
  EXPECT_STREQ(season_label(1), "　通常期");
  EXPECT_STREQ(season_label(2), "　繁忙期");
  EXPECT_STREQ(season_label(7), "　閑散期");
}

TEST(FareLayout, AmountsCountsAndTabFill) {
  EXPECT_EQ(amount_text(0), "");
  EXPECT_EQ(amount_text(10000.0 / 11), "９０９");
  EXPECT_EQ(amount_text(1234567), "１，２３４，５６７");
  EXPECT_EQ(amount_text(2.5), "３");
  EXPECT_EQ(amount_text(-510), "－５１０");
  EXPECT_EQ(count_text(0), "");
  EXPECT_EQ(count_text(11), "１１");
  EXPECT_EQ(tab_fill("運賃", 5), "\t\t\t\t\t");
  EXPECT_EQ(tab_fill("ABCD", 4), "\t\t\t");  // every character counts two columns
  EXPECT_EQ(tab_fill("１２３４５６７８９０１２３４５６", 4), "");  // 32 columns: 4 - 4
}

TEST(FareSeason, FirstDayOfEachPeriodAndTheDayBefore) {
  // (month, day of the first day, season from that day on, season of the day before),
  // all on a Tuesday that is no holiday eve
  struct Edge {
    int month, day, from, before;
  };
  const Edge edges[] = {
      {1, 1, kSeasonPeak, kSeasonRegular},  // 12/31 is peak too: see below
      {1, 11, kSeasonRegular, kSeasonPeak},    {1, 16, kSeasonOffPeak, kSeasonRegular},
      {3, 1, kSeasonRegular, kSeasonOffPeak},  {3, 21, kSeasonPeak, kSeasonRegular},
      {4, 6, kSeasonRegular, kSeasonPeak},     {4, 28, kSeasonPeak, kSeasonRegular},
      {5, 7, kSeasonRegular, kSeasonPeak},     {6, 1, kSeasonOffPeak, kSeasonRegular},
      {7, 1, kSeasonRegular, kSeasonOffPeak},  {7, 21, kSeasonPeak, kSeasonRegular},
      {9, 1, kSeasonOffPeak, kSeasonPeak},     {10, 1, kSeasonRegular, kSeasonOffPeak},
      {11, 1, kSeasonOffPeak, kSeasonRegular}, {12, 21, kSeasonRegular, kSeasonOffPeak},
      {12, 25, kSeasonPeak, kSeasonRegular},
  };
  const int last_day[] = {0, 31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  for (const Edge& e : edges) {
    EXPECT_EQ(fare_season(e.month, e.day, 3, 0), e.from) << e.month << "/" << e.day;
    if (e.month == 1 && e.day == 1) {
      EXPECT_EQ(fare_season(12, 31, 3, 0), kSeasonPeak);
      continue;
    }
    int m = e.day > 1 ? e.month : e.month - 1;
    int d = e.day > 1 ? e.day - 1 : last_day[m];
    EXPECT_EQ(fare_season(m, d, 3, 0), e.before) << m << "/" << d;
  }
}

TEST(FareText, AJourneyOfExactlyABandsUpperDistanceTakesThatBand) {
  Corridor c;
  c.t->kilo_table[3].kilo = 100.0;  // 東京–新横浜 exactly 100 km: the first Green band
  const std::string t = c.text("東京", "新横浜", date_of(2000, 3, 11));
  EXPECT_NE(t.find("グリーン車料金\t\t\t\t：１，０００円\r\n"), std::string::npos) << t;
}

// The English text: the same amounts and tab stops, amounts right-aligned, the station
// pairs of the transfer charges in English (a name without one as in the data).
TEST(FareText, EnglishTextOfTheSameJourney) {
  Corridor c;
  c.ticket("新大阪", "東京", 1, 6, 3, 67500);
  c.ticket("東京", "新大阪", 7, 11, 1, 10000);
  data::PlaceNames names;
  names.add("東京", "Tokyo");
  names.add("新大阪", "Shin-Osaka");
  names.add("名古屋", "Nagoya");
  EXPECT_EQ(c.text("東京", "新大阪", date_of(2000, 3, 11), 1, {}, &names),
            "Fare\t\t\t\t\t:   8,510 yen (valid 4 days)\r\n"
            "Limited express charge, reserved seat\t:   5,540 yen\r\n"
            "Green Car charge\t\t\t:   5,000 yen\r\n"
            "Green Car room for 1-2, per person\t:  12,000 yen\r\n"
            "Green Car room for 3-4, per person\t:   9,000 yen\r\n"
            "\t* With a Green Car seat the limited express charge is 5,030 yen\r\n"
            "Nozomi limited express charge\t\t:   6,490 yen\r\n"
            "Limited express charge, non-reserved\t:   5,030 yen\r\n"
            "\r\n"
            "<< Totals >>\r\n"
            "\tReserved seat\t\t\t:  14,050 yen\r\n"
            "\tGreen Car\t\t\t:  18,540 yen\r\n"
            "\tNozomi, reserved seat\t\t:  15,000 yen\r\n"
            "\tNozomi, Green Car\t\t:  19,490 yen\r\n"
            "\tNon-reserved\t\t\t:  13,540 yen\r\n"
            "\r\n"
            "<< Shinkansen discount tickets >>\r\n"
            "Nozomi coupons, reserved seat\t\t:  11,250 yen each (6 tickets, valid 3 months, "
            "67,500 yen)\r\n"
            "Nasuno return ticket, non-reserved\t:     909 yen each (11 tickets, valid 1 day, "
            "10,000 yen)\r\n"
            "\r\n"
            "<< Extra limited express charge, Nozomi with Hikari or Kodama >>\r\n"
            "\tTokyo - Shin-Osaka\t\t:     950 yen\r\n"
            "\tTokyo - Nagoya\t\t\t:     760 yen\r\n"
            "\t品川 - 京都\t\t\t:     600 yen\r\n");
  // Amounts of a station missing from the tables, and no discount ticket.
  std::string s = c.text("品川", "新大阪", date_of(2000, 3, 14), 1, {}, &names);
  EXPECT_NE(s.find("        No discount tickets for this journey\r\n"), std::string::npos) << s;
  c.sin->station_name[1][8] = "岐阜羽島";
  s = c.text("岐阜羽島", "東京", date_of(2000, 3, 14), 1, {}, &names);
  EXPECT_EQ(s.substr(0, s.find("\r\n")), "Fare\t\t\t\t\t:       -");
  EXPECT_STREQ(season_label(3, text::Language::kEnglish), "  Season: off-peak");
}

}  // namespace
}  // namespace ravolin::fares
