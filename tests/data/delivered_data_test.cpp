// SPDX-License-Identifier: MIT
// Facts of the delivered data files that the program relies on: the edition, the station
// rows that the settings and search windows test by number, train identifiers and
// service, a price for every station pair, the Keiyo station columns the station picker
// and the full schedule assume, and connections that the route search can find.
#include "data/hotel_reader.h"
#include "data/plausibility.h"
#include "data/raw_data.h"
#include "data/sources.h"
#include "search/engine.h"
#include "search/field_checks.h"
#include "state/loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <map>
#include <memory>
#include <ostream>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace ravolin {
namespace {

struct Loaded {
  data::ScheduleData d;
  hotels::DistrictNames districts;
  fares::FareTables fares;
};

// Each file is loaded once for the whole run (the tables are large).
const Loaded& load(const std::string& folder) {
  static std::map<std::string, std::unique_ptr<Loaded>> cache;
  auto& slot = cache[folder];
  if (!slot) {
    slot = std::make_unique<Loaded>();
    std::string path = std::string(RAVOLIN_PROGRAM_DIR) + "/" + folder + "/ravolinh.dat";
    data::DataError err;
    bool ok = data::load_sections(path, 1, slot->d, slot->districts, slot->fares, {}, err);
    EXPECT_TRUE(ok) << path << ": " << err.message();
  }
  return *slot;
}

struct Edition {
  const char* folder;
  int code;
  const char* letters;  // type letters of the corridor's trains
  std::set<std::string> cars;
};
void PrintTo(const Edition& e, std::ostream* os) { *os << e.folder; }

const Edition kEditions[] = {
    {"tokaido", 1, "NHK", {"", "N", "G", "W", "N5", "N7", "F", "RS"}},
    {"tohoku", 2, "YMTO", {"", "M"}},
    {"joetsu", 3, "ASG", {"", "M"}},
};

// Stations of the corridor as the pickers list them: direction-1 rows with flag 0 or 1.
std::vector<std::string> corridor_stations(const data::SinkansenTables& sin) {
  std::vector<std::string> out;
  for (int s = 1; s <= sin.station_count; ++s)
    if (sin.station_flag[1][s] != data::kFlagDeparture) out.push_back(sin.station_name[1][s]);
  return out;
}

class DeliveredEdition : public ::testing::TestWithParam<Edition> {
 protected:
  const Loaded& L() { return load(GetParam().folder); }
};

TEST_P(DeliveredEdition, StationRowsListEveryStationOnceInEachDirection) {
  const auto& sin = L().d.sin;
  ASSERT_EQ(L().d.edition->code, GetParam().code);
  ASSERT_GT(sin.station_count, 1);
  ASSERT_LE(sin.station_count, data::kMaxSinStations);
  std::multiset<std::string> seen[3];
  for (int d = 1; d <= 2; ++d)
    for (int s = 1; s <= sin.station_count; ++s) {
      const auto& name = sin.station_name[d][s];
      int flag = sin.station_flag[d][s];
      ASSERT_FALSE(name.empty()) << "direction " << d << " row " << s;
      if (flag == data::kFlagDeparture) {
        // a departure row directly follows the arrival row of the same station
        ASSERT_GT(s, 1);
        EXPECT_EQ(sin.station_flag[d][s - 1], data::kFlagArrival) << name;
        EXPECT_EQ(sin.station_name[d][s - 1], name);
      } else {
        seen[d].insert(name);
      }
      if (flag == data::kFlagArrival) {
        EXPECT_EQ(sin.station_flag[d][s + 1], data::kFlagDeparture) << name;
      }
    }
  EXPECT_EQ(seen[1], seen[2]);
  for (const auto& n : seen[1]) EXPECT_EQ(seen[1].count(n), 1u) << n;
}

TEST_P(DeliveredEdition, TrainsHaveWellFormedIdentifiersAndServeTheDay) {
  const auto& sin = L().d.sin;
  for (int d = 1; d <= 2; ++d) {
    int n = sin.train_count[d];
    EXPECT_GT(n, 0);
    EXPECT_LE(n, data::kMaxSinTrains);
    if (GetParam().code == 1) {
      EXPECT_GE(n, 200) << "direction " << d;
    }
    std::set<std::string> ids;
    for (int t = 1; t <= n; ++t) {
      const std::string& id = sin.train_id[d][t];
      ASSERT_EQ(id.size(), 4u) << id;
      EXPECT_NE(std::string(GetParam().letters).find(id[0]), std::string::npos) << id;
      ASSERT_TRUE(std::all_of(id.begin() + 1, id.end(), [](char c) { return std::isdigit(c); }))
          << id;
      EXPECT_EQ((id[3] - '0') % 2, d == 1 ? 1 : 0) << id << ": down odd, up even";
      EXPECT_TRUE(ids.insert(id).second) << "duplicate " << id;
      EXPECT_TRUE(GetParam().cars.count(sin.car_type[d][t])) << id << " " << sin.car_type[d][t];

      int first = 0, last = 0;
      for (int s = 1; s <= sin.station_count; ++s) {
        int tm = sin.time(d, s, t);
        if (tm == 0) continue;
        if (!first) first = tm;
        last = tm;
        // an arrival row with a later stop goes on from the departure row below it
        if (sin.station_flag[d][s] == data::kFlagDeparture && sin.time(d, s - 1, t)) {
          EXPECT_GE(tm, sin.time(d, s - 1, t)) << id;
        }
        if (sin.station_flag[d][s] == data::kFlagArrival && !sin.time(d, s + 1, t)) {
          for (int c = s + 1; c <= sin.station_count; ++c)
            EXPECT_EQ(sin.time(d, c, t), 0)
                << id << " leaves " << sin.station_name[d][s] << " without a departure time";
        }
      }
      EXPECT_GE(first, 500) << id;
      EXPECT_LE(first, 2359) << id;
      EXPECT_LT(last, 2500) << id;
      EXPECT_GT(last, first) << id;
    }
  }
}

// The board keeps at most 200 candidates: no station may have more trains leaving it
// (with a later stop) in one day and direction.
TEST_P(DeliveredEdition, NoStationHasMoreDeparturesThanTheBoardCanHold) {
  const auto& sin = L().d.sin;
  for (int d = 1; d <= 2; ++d)
    for (int j = 1; j <= sin.station_count; ++j) {
      if (sin.station_flag[d][j] == data::kFlagArrival) continue;
      int count = 0;
      for (int t = 1; t <= sin.train_count[d]; ++t) {
        if (!sin.time(d, j, t)) continue;
        for (int c = j + 1; c <= sin.station_count; ++c)
          if (sin.time(d, c, t)) {
            ++count;
            break;
          }
      }
      EXPECT_LE(count, 200) << sin.station_name[d][j];
    }
}

TEST_P(DeliveredEdition, EveryStationPairIsPricedOnce) {
  const auto& f = L().fares;
  auto stations = corridor_stations(L().d.sin);
  std::map<std::pair<std::string, std::string>, int> rows;
  for (int i = 1; i <= f.pair_count; ++i) {
    const auto& p = f.pair_fare_table[i];
    auto key = std::minmax(p.station_a, p.station_b);
    ++rows[{key.first, key.second}];
    EXPECT_GT(p.fare, 0);
    EXPECT_GT(p.express_fee, 0);
    EXPECT_GT(p.free_seat_fee, 0) << "every pair states its unreserved surcharge";
    EXPECT_LT(p.free_seat_fee, p.express_fee);
  }
  for (size_t i = 0; i < stations.size(); ++i)
    for (size_t j = i + 1; j < stations.size(); ++j) {
      auto key = std::minmax(stations[i], stations[j]);
      int priced = rows[std::make_pair(key.first, key.second)];
      EXPECT_EQ(priced, 1) << stations[i] << "–" << stations[j];
    }
  EXPECT_EQ(f.pair_count, static_cast<int>(stations.size() * (stations.size() - 1) / 2));

  std::set<std::string> kilo;
  double longest = 0;
  for (int i = 1; i <= f.kilo_count; ++i) {
    kilo.insert(f.kilo_table[i].station_name);
    longest = std::max(longest, f.kilo_table[i].kilo);
  }
  for (const auto& s : stations) EXPECT_TRUE(kilo.count(s)) << s;
  ASSERT_GT(f.green_count, 0);
  for (int i = 2; i <= f.green_count; ++i)
    EXPECT_GT(f.green_table[i].upper_kilo, f.green_table[i - 1].upper_kilo);
  EXPECT_GE(f.green_table[f.green_count].upper_kilo, longest);

  for (int i = 1; i <= f.ticket_count; ++i) {
    const auto& t = f.ticket_table[i];
    auto key = std::minmax(t.station_a, t.station_b);
    int priced = rows[std::make_pair(key.first, key.second)];
    EXPECT_EQ(priced, 1) << t.station_a << "–" << t.station_b;
    EXPECT_GT(t.sheets, 0);
    EXPECT_GE(t.ticket_type, 1);
    EXPECT_LE(t.ticket_type, 14);
  }
}

// Every pair of stops of a のぞみ has its Nozomi surcharge.
TEST(DeliveredTokaido, EveryNozomiStopPairHasItsSurcharge) {
  const auto& L1 = load("tokaido");
  const auto& sin = L1.d.sin;
  std::set<std::pair<std::string, std::string>> rows;
  for (int i = 1; i <= L1.fares.nozomi_count; ++i) {
    const auto& r = L1.fares.nozomi_table[i];
    rows.insert(std::minmax(r.station_a, r.station_b));
    EXPECT_GT(r.nozomi_fee, 0);
    EXPECT_GT(r.transfer_fee, 0);
  }
  int checked = 0;
  for (int t = 1; t <= sin.train_count[1]; ++t) {
    if (sin.train_id[1][t][0] != 'N') continue;
    std::vector<std::string> stops;
    for (int s = 1; s <= sin.station_count; ++s)
      if (sin.time(1, s, t) && sin.station_flag[1][s] != data::kFlagDeparture)
        stops.push_back(sin.station_name[1][s]);
    for (size_t i = 0; i < stops.size(); ++i)
      for (size_t j = i + 1; j < stops.size(); ++j, ++checked)
        EXPECT_TRUE(rows.count(std::minmax(stops[i], stops[j])))
            << sin.train_id[1][t] << " " << stops[i] << "–" << stops[j];
  }
  EXPECT_GT(checked, 0);
}

TEST_P(DeliveredEdition, KeiyoColumnsFitThePickerAndTheFullSchedule) {
  const auto& k = L().d.keiyo;
  // the picker offers stations 1..11 of the weekday down list without 8
  ASSERT_EQ(k.station_count[1], 11);
  EXPECT_EQ(k.station_name[1][8], "新習志野");
  std::set<std::string> picker;
  for (int s = 1; s <= 11; ++s)
    if (s != 8) {
      EXPECT_FALSE(k.station_name[1][s].empty()) << s;
      picker.insert(k.station_name[1][s]);
    }
  EXPECT_TRUE(picker.count("海浜幕張"));
  for (int v = 1; v <= 4; ++v) {
    int count = k.station_count[v];
    ASSERT_EQ(count, 11) << v;
    ASSERT_GT(k.train_count[v], 0);
    ASSERT_LE(k.train_count[v], data::kMaxKeiyoTrains);
    // down and up lists carry the same stations, in opposite order
    for (int s = 1; s <= count; ++s) {
      int mirror = (v % 2 == 1) ? s : count + 1 - s;
      EXPECT_EQ(k.station_name[v][s], k.station_name[1][mirror]) << v;
    }
    int rapid = 0, short_trains = 0;
    for (int t = 1; t <= k.train_count[v]; ++t) {
      const std::string& id = k.train_id[v][t];
      ASSERT_EQ(id.size(), 5u) << id;
      EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(id[4]))) << id;
      if (id[4] == 'A') ++rapid;
      // the row after the count is where the board looks when a station is not found
      for (int c = count + 1; c <= data::kKeiyoTimeColumns; ++c) EXPECT_EQ(k.time(v, c, t), 0);
      int first = 0, last = 0;
      for (int c = 1; c <= count; ++c)
        if (k.time(v, c, t)) {
          if (!first) first = c;
          last = c;
        }
      // trains that do not run the whole line start or end at 新習志野
      bool down = v % 2 == 1;
      if (down && last != count) {
        ++short_trains;
        EXPECT_EQ(k.station_name[v][last], "新習志野") << id;
      }
      if (!down && first != 1) {
        ++short_trains;
        EXPECT_EQ(k.station_name[v][first], "新習志野") << id;
      }
      if (down) {
        EXPECT_EQ(first, 1) << id;
      } else {
        EXPECT_EQ(last, count) << id;
      }
    }
    EXPECT_GT(rapid, 0) << v;
    EXPECT_GT(short_trains, 0) << v;
  }
  // weekdays run more trains than Saturdays, Sundays and holidays
  EXPECT_GT(k.train_count[1], k.train_count[3]);
  EXPECT_GT(k.train_count[2], k.train_count[4]);
}

// Areas cover every region of the area picker, the hotel search window's default area
// exists, and the hotels' telephone numbers cannot reach anybody: the part after the area
// code starts with 0, which no subscriber number does.
TEST_P(DeliveredEdition, AreasAndHotelsAreUsableAndInvented) {
  const auto& L1 = L();
  std::set<int> regions;
  std::set<std::string> areas;
  for (int a = 1; a <= L1.d.areas.count; ++a) {
    regions.insert(L1.d.areas.region[a]);
    areas.insert(hotels::normalise_area(L1.d.areas.name[a]));
    EXPECT_GE(L1.d.areas.region[a], 1);
    EXPECT_LE(L1.d.areas.region[a], 9);
  }
  EXPECT_EQ(regions.size(), 9u);
  bool default_area = false;
  for (int a = 1; a <= L1.d.areas.count; ++a) default_area |= L1.d.areas.name[a] == "東京／羽田";
  EXPECT_TRUE(default_area);

  auto table = std::make_unique<hotels::HotelTable>();
  data::DataError err;
  std::string path = std::string(RAVOLIN_PROGRAM_DIR) + "/" + GetParam().folder + "/ravolinh.dat";
  ASSERT_TRUE(hotels::load_hotels(path, L1.d.directory, L1.d.areas, L1.districts, *table, err))
      << err.message();
  ASSERT_GT(table->file_hotel_count, 0);
  const std::regex invented("0[0-9]{1,4}-0[0-9]{1,3}-[0-9]{4} *");
  std::set<std::string> with_hotels;
  for (int i = 1; i <= table->total(); ++i) {
    const auto& h = table->entry[i];
    EXPECT_TRUE(std::regex_match(h.phone, invented)) << h.name << " " << h.phone;
    EXPECT_TRUE(areas.count(h.area)) << h.area;
    EXPECT_FALSE(h.district.empty()) << h.name;
    EXPECT_GT(h.rooms, 0) << h.name;
    with_hotels.insert(h.area);
  }
  // the hotels of the corridor's own big cities are there
  for (const char* city : {"東京", "大阪", "名古屋", "仙台", "新潟", "長野", "幕張"})
    EXPECT_TRUE(with_hotels.count(city)) << city;
}

TEST_P(DeliveredEdition, TimetablesArePlausible) {
  // no impossible speed, no overtaking on the open line, nothing after midnight
  data::SourceFiles files;
  std::string error;
  ASSERT_TRUE(data::read_source_dir(
      std::string(RAVOLIN_SOURCE_DIR) + "/datasets/" + GetParam().folder, files, error))
      << error;
  auto raw = std::make_unique<data::RawData>();
  std::vector<data::SourceError> errors;
  ASSERT_TRUE(data::parse_sources(files, *raw, errors));
  auto findings = data::check_plausibility(*raw);
  std::string first;
  for (std::size_t i = 0; i < findings.size() && i < 5; ++i) first += findings[i].text + "\n";
  EXPECT_TRUE(findings.empty()) << findings.size() << " findings, first:\n" << first;
}

INSTANTIATE_TEST_SUITE_P(Editions, DeliveredEdition, ::testing::ValuesIn(kEditions),
                         [](const auto& info) { return std::string(info.param.folder); });

// ---- the route search over the delivered tables --------------------------------------

calendar::DayFlags a_monday() {
  calendar::DayFlags f;
  f.weekday = 2;
  return f;
}

int connections(const data::SinkansenTables& sin, const std::string& from, const std::string& to,
                int transfers, search::SearchResult& result, int depart_from = 600,
                int depart_to = 2359) {
  static search::RouteSearch engine;
  search::SearchConditions c;
  c.st_station = from;
  c.ed_station = to;
  c.st_time1 = depart_from;
  c.st_time2 = depart_to;
  c.ed_time1 = 600;
  c.ed_time2 = 2459;
  c.wait_time = 60;
  c.wait_count = transfers;
  c.sort_order = search::kSortByDeparture;
  return engine.search(sin, c, a_monday(), result);
}

// Pairs that no train pair of one direction can serve: the journey would have to turn
// back at a junction.
bool needs_turning_back(int edition, const std::string& a, const std::string& b) {
  static const std::set<std::string> yamagata = {
      "米沢", "高畠",           "赤湯", "かみのやま温泉", "山形",
      "天童", "さくらんぼ東根", "村山", "大石田",         "新庄"};
  static const std::set<std::string> north = {
      "白石蔵王", "仙台", "古川", "くりこま高原", "一ノ関", "水沢江刺", "北上",
      "新花巻",   "盛岡", "雫石", "田沢湖",       "角館",   "大曲",     "秋田"};
  static const std::set<std::string> nagano = {"安中榛名", "軽井沢", "佐久平", "上田", "長野"};
  static const std::set<std::string> niigata = {"上毛高原", "越後湯沢", "浦佐",      "長岡",
                                                "燕三条",   "新潟",     "ガーラ湯沢"};
  static const std::set<std::string> beyond = {"浦佐", "長岡", "燕三条", "新潟"};
  auto across = [&](const auto& x, const auto& y) {
    return (x.count(a) && y.count(b)) || (y.count(a) && x.count(b));
  };
  if (edition == 2) return across(yamagata, north);
  if (edition == 3)
    return across(nagano, niigata) || (a == "ガーラ湯沢" && beyond.count(b)) ||
           (b == "ガーラ湯沢" && beyond.count(a));
  return false;
}

// Every journey that trains can make is found with at most one change, and the search
// window refuses only the combinations its row rules name. The refusals of real
// journeys listed here come from those row rules (see docs/data-format.md).
TEST_P(DeliveredEdition, RouteSearchFindsEveryJourneyTheWindowAccepts) {
  const auto& sin = L().d.sin;
  const int ed = GetParam().code;
  const std::set<std::pair<std::string, std::string>> known_refusals = {
      {"天童", "さくらんぼ東根"}, {"天童", "村山"},           {"天童", "大石田"},
      {"天童", "新庄"},           {"さくらんぼ東根", "村山"}, {"さくらんぼ東根", "大石田"},
      {"さくらんぼ東根", "新庄"}, {"村山", "大石田"},         {"村山", "新庄"},
      {"大石田", "新庄"},         {"上毛高原", "越後湯沢"},   {"上毛高原", "浦佐"},
      {"上毛高原", "長岡"},       {"上毛高原", "燕三条"},     {"上毛高原", "新潟"},
      {"上毛高原", "ガーラ湯沢"}, {"燕三条", "新潟"}};
  auto stations = corridor_stations(sin);
  auto result = std::make_unique<search::SearchResult>();
  int found = 0;
  for (const auto& a : stations)
    for (const auto& b : stations) {
      if (a == b) continue;
      bool refused = search::check_station_pair(sin, ed, a, b).err_flg == 1;
      bool impossible = needs_turning_back(ed, a, b);
      if (refused) {
        EXPECT_TRUE(impossible || known_refusals.count({a, b})) << a << " → " << b << " refused";
        continue;
      }
      int n = connections(sin, a, b, 1, *result);
      if (impossible) {
        EXPECT_EQ(n, 0) << a << " → " << b;
      } else {
        EXPECT_GT(n, 0) << a << " → " << b;
        ++found;
      }
    }
  EXPECT_GT(found, 0);
}

// The こだま run three an hour by day in both directions: down they leave 東京 at :10, :26
// and :42; up they start at 新大阪, 名古屋 or 静岡, so they are counted by the hour they
// leave their first station. From 17:00 the faster up trains coming off the 山陽 line
// leave the 三島–熱海–小田原 stretch (no passing tracks at 熱海) too few gaps for all of them.
TEST(DeliveredTokaido, KodamaToTokyoRunThreeAnHourByDay) {
  const auto& sin = load("tokaido").d.sin;
  // up, the evening is crowded on 三島–小田原 with the faster trains from the 山陽 line
  const int last_hour = 18;
  for (int d = 1; d <= 2; ++d) {
    int tokyo = 0;
    for (int s = 1; s <= sin.station_count; ++s)
      if (sin.station_name[d][s] == "東京") tokyo = s;
    ASSERT_GT(tokyo, 0);
    std::map<int, int> per_hour;
    for (int t = 1; t <= sin.train_count[d]; ++t) {
      if (sin.train_id[d][t][0] != 'K' || !sin.time(d, tokyo, t)) continue;
      int first = 0;
      for (int s = 1; s <= sin.station_count && !first; ++s) first = sin.time(d, s, t);
      if (first >= 700 && first < (last_hour + 1) * 100) ++per_hour[first / 100];
    }
    // the up ones leave 名古屋 or 静岡 at :36 / :39 of alternate hours: two or four an hour,
    // three on average
    int total = 0;
    for (int h = 7; h <= last_hour; ++h) {
      if (h == 17) {
        EXPECT_EQ(total, 3 * 10) << "direction " << d;
      }
      total += per_hour[h];
      EXPECT_GE(per_hour[h], 2) << "direction " << d << ", " << h << ":00";
    }
    // (down, the 17:42 has no room)
    if (d == 2) {
      EXPECT_EQ(total, 3 * (last_hour - 6));
    }
  }
}

// Up, every evening こだま bound for 東京 runs: one that finds no room through 三島–熱海–小田原
// (no passing tracks at 熱海, the faster trains from the 山陽 line close behind each other)
// ends at 三島 or 静岡 instead, as the late down ones end midway.
TEST(DeliveredTokaido, EveryEveningUpKodamaRunsAtLeastToShizuoka) {
  const auto& sin = load("tokaido").d.sin;
  const int d = 2;
  int shizuoka = 0;  // the first row of 静岡; the rows after it lead to 東京
  for (int s = 1; s <= sin.station_count && !shizuoka; ++s)
    if (sin.station_name[d][s] == "静岡") shizuoka = s;
  ASSERT_GT(shizuoka, 0);
  std::map<int, int> per_hour;
  std::map<std::string, int> ends;
  for (int t = 1; t <= sin.train_count[d]; ++t) {
    if (sin.train_id[d][t][0] != 'K') continue;
    int first = 0, last_row = 0;
    for (int s = 1; s <= sin.station_count; ++s) {
      if (!sin.time(d, s, t)) continue;
      if (!first) first = sin.time(d, s, t);
      last_row = s;
    }
    if (last_row < shizuoka || first < 1900) continue;
    ++per_hour[first / 100];
    ++ends[sin.station_name[d][last_row]];
  }
  // by the hour they leave their first station: the :10 and :42 from 新大阪 or 名古屋, in even
  // hours also the ones of :36 from 名古屋 and :39 from 静岡, and the late ones from 名古屋,
  // 静岡, 浜松, 三島 and 小田原; the 21:42 from 静岡 waits there for a faster train until 22:28,
  // and the 22:30 from 三島 has nothing to cut and finds no room before midnight
  EXPECT_EQ(per_hour, (std::map<int, int>{{19, 2}, {20, 4}, {21, 2}, {22, 3}}));
  for (const auto& [end, n] : ends)
    EXPECT_TRUE(end == "東京" || end == "三島" || end == "静岡") << n << " end at " << end;
}

TEST(DeliveredTokaido, KodamaConnectsToAFasterTrainAtNagoya) {
  const auto& sin = load("tokaido").d.sin;
  auto result = std::make_unique<search::SearchResult>();
  ASSERT_GT(connections(sin, "掛川", "姫路", 1, *result), 0);
  bool changed_at_nagoya = false;
  for (int i = 1; i <= result->count; ++i) {
    const auto& e = result->entry(i);
    if (e.second_train == 0) continue;
    const std::string& first = sin.train_id[result->direction][e.first_train];
    const std::string& second = sin.train_id[result->direction][e.second_train];
    if (sin.station_name[result->direction][e.first_transfer_row] == "名古屋" && first[0] == 'K' &&
        second[0] != 'K')
      changed_at_nagoya = true;
  }
  EXPECT_TRUE(changed_at_nagoya);
  // two changes: こだま, a faster train, and a こだま again for the small station
  ASSERT_GT(connections(sin, "新富士", "厚狭", 2, *result, 800, 1000), 0);
  bool two = false;
  for (int i = 1; i <= result->count; ++i)
    two = two || search::transfer_count(result->entry(i)) == 2;
  EXPECT_TRUE(two);
}

}  // namespace
}  // namespace ravolin
