// SPDX-License-Identifier: MIT
// Random Shinkansen tables and search conditions for comparing the route search with
// the plain scan, and the full-size table of the search benchmark.
#pragma once

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "calendar/dates.h"
#include "data/tables.h"
#include "search/engine.h"

namespace ravolin::search::testing {

struct TableShape {
  int stations = 10;       // physical stations (a doubled one takes two rows)
  int trains = 50;         // per direction
  int doubled_pct = 30;    // stations listed as arrival + departure rows
  int stop_pct = 70;       // chance that a train stops at a single row
  int first_minute = 360;  // first departures
  int span = 900;          // minutes over which first departures spread
  int max_hop = 25;        // minutes between consecutive rows
  int op_day_pct = 20;     // trains with an operation-day code other than "every day"
  int missing_pct = 5;     // a doubled station with only one of its two times
  int whole_line_pct = 0;  // trains that run from the first row to the last
  bool noise = false;      // times anywhere, no order along the rows
  bool padded_names = false;
};

inline int rand_int(std::mt19937& rng, int lo, int hi) {
  return std::uniform_int_distribution<int>(lo, hi)(rng);
}
inline bool chance(std::mt19937& rng, int pct) { return rand_int(rng, 0, 99) < pct; }

inline std::string station_name(int i) { return "ST" + std::to_string(100 + i).substr(1); }

// Fills `t` (all of it: stale values from an earlier fill are cleared).
inline void fill_tables(data::SinkansenTables& t, const TableShape& shape, std::mt19937& rng) {
  for (auto& d : t.times)
    for (auto& row : d) row.fill(0);
  for (auto& d : t.station_name) d.fill(std::string());
  for (auto& d : t.station_flag) d.fill(0);
  for (auto& d : t.op_day) d.fill(0);
  for (auto& d : t.train_id) d.fill(std::string());
  t.train_count.fill(0);

  // Physical stations and whether each is listed twice; the rows never exceed 50.
  std::vector<int> doubled;
  int rows = 0;
  for (int i = 0; i < shape.stations; ++i) {
    const bool two = chance(rng, shape.doubled_pct) && rows + 2 <= data::kMaxSinStations;
    if (rows + (two ? 2 : 1) > data::kMaxSinStations) break;
    doubled.push_back(two ? 1 : 0);
    rows += two ? 2 : 1;
  }
  const int n_st = static_cast<int>(doubled.size());
  t.station_count = rows;
  for (int d = 1; d <= 2; ++d) {
    int r = 0;
    for (int k = 0; k < n_st; ++k) {
      const int i = d == 1 ? k : n_st - 1 - k;
      std::string name = station_name(i);
      if (shape.padded_names && chance(rng, 30)) name += "  ";
      if (doubled[i] != 0) {
        t.station_name[d][++r] = name;
        t.station_flag[d][r] = data::kFlagArrival;
        t.station_name[d][++r] = name;
        t.station_flag[d][r] = data::kFlagDeparture;
      } else {
        t.station_name[d][++r] = name;
        t.station_flag[d][r] = data::kFlagSingle;
      }
    }
  }

  static constexpr int kCodes[] = {11, 1, 10, 50, 51, 70, 170, 99};
  for (int d = 1; d <= 2; ++d) {
    const int n = std::min(shape.trains, data::kMaxSinTrains);
    t.train_count[d] = n;
    for (int k = 1; k <= n; ++k) {
      t.train_id[d][k] = "H" + std::to_string(1000 + k).substr(1);
      if (chance(rng, shape.op_day_pct))
        t.op_day[d][k] = static_cast<std::uint8_t>(kCodes[rand_int(rng, 0, 7)]);
      if (rows == 0) continue;
      if (shape.noise) {
        for (int s = 1; s <= rows; ++s) {
          if (chance(rng, shape.stop_pct)) t.times[d][s][k] = rand_int(rng, 0, 2999);
        }
        continue;
      }
      const bool whole = chance(rng, shape.whole_line_pct);
      const int r0 = whole ? 1 : rand_int(rng, 1, rows);
      const int r1 = whole ? rows : rand_int(rng, r0, rows);
      int m = shape.first_minute + rand_int(rng, 0, shape.span);
      for (int s = r0; s <= r1; ++s) {
        const int f = t.station_flag[d][s];
        if (f == data::kFlagArrival && s + 1 <= rows) {
          if (s == r1) {  // ends here: only the arrival row has a time
            t.times[d][s][k] = hhmm_from_minutes(m);
            break;
          }
          const int dwell = rand_int(rng, 0, 3);
          const bool drop_arr = chance(rng, shape.missing_pct);
          const bool drop_dep = !drop_arr && chance(rng, shape.missing_pct);
          if (chance(rng, shape.stop_pct) || s == r0) {
            if (!drop_arr && s != r0) t.times[d][s][k] = hhmm_from_minutes(m);
            if (!drop_dep) t.times[d][s + 1][k] = hhmm_from_minutes(m + dwell);
          }
          m += dwell;
          ++s;
        } else if (chance(rng, shape.stop_pct) || s == r0 || s == r1) {
          t.times[d][s][k] = hhmm_from_minutes(m);
        }
        m += rand_int(rng, 0, shape.max_hop);
      }
    }
  }
}

inline calendar::DayFlags random_day(std::mt19937& rng) {
  calendar::DayFlags f;
  f.weekday = rand_int(rng, 1, 7);
  const bool holiday = chance(rng, 25);
  f.day_off = (f.weekday == 1 || f.weekday == 7 || holiday) ? 1 : 0;
  f.sunday_or_holiday = (f.weekday == 1 || holiday) ? 1 : 0;
  f.plain_saturday = (f.weekday == 7 && !holiday) ? 1 : 0;
  return f;
}

inline SearchConditions random_conditions(const data::SinkansenTables& t, std::mt19937& rng) {
  SearchConditions c;
  // Names as the station picker offers them: direction 1 rows with flag 0 or 1.
  std::vector<std::string> names;
  for (int s = 1; s <= t.station_count; ++s) {
    if (t.station_flag[1][s] != data::kFlagDeparture) names.push_back(t.station_name[1][s]);
  }
  if (names.empty()) names.push_back("NONE");
  const int n = static_cast<int>(names.size());
  int a = rand_int(rng, 0, n - 1);
  int b = rand_int(rng, 0, n - 1);
  if (n > 1) {
    while (b == a) b = rand_int(rng, 0, n - 1);
  }
  c.st_station = names[a];
  c.ed_station = chance(rng, 2) ? std::string("NOWHERE") : names[b];
  // Windows: the whole day, the hours the conditions window admits, or around the times
  // of a random train at the boarding and alighting rows.
  SearchResult rows;
  set_search_rows(t, c, rows);
  auto around = [&](int row, int& lo, int& hi, int late_end) {
    const int mode = rand_int(rng, 0, 9);
    if (mode < 2) {
      lo = 0;
      hi = late_end;
      return;
    }
    if (mode < 4 || rows.direction == 0 || t.train_count[rows.direction] == 0) {
      lo = 600;
      hi = 2359;
      return;
    }
    int tm = 0;
    for (int tries = 0; tries < 8 && tm == 0; ++tries) {
      tm = t.times[rows.direction][row][rand_int(rng, 1, t.train_count[rows.direction])];
    }
    if (tm == 0) tm = 1200;
    const int m = minutes_of(tm);
    lo = hhmm_from_minutes(std::max(0, m - rand_int(rng, 0, 240)));
    hi = hhmm_from_minutes(m + rand_int(rng, 0, 240));
  };
  around(rows.boarding_row, c.st_time1, c.st_time2, 2359);
  around(rows.alighting_row, c.ed_time1, c.ed_time2, 2959);
  const int w = rand_int(rng, 0, 9);
  c.wait_time = w == 0 ? 0 : (w == 1 ? 120 : rand_int(rng, 1, 90));
  c.wait_count = rand_int(rng, 1, 2);
  c.combination_number = rand_int(rng, 0, 1);
  c.sort_order = rand_int(rng, 1, 3);
  return c;
}

// The benchmark's full-size table: 250 trains over 48 rows in each direction (30
// stations, 18 of them listed twice), trains every few minutes from 06:00 with stops that
// vary from train to train. Deterministic.
inline void fill_full_size(data::SinkansenTables& t) {
  std::mt19937 rng(20000311u);
  TableShape shape;
  shape.stations = 30;
  shape.trains = 250;
  shape.doubled_pct = 0;
  shape.op_day_pct = 10;
  shape.missing_pct = 0;
  fill_tables(t, shape, rng);  // clears everything, names the stations
  // Fixed layout: stations 0..29, every station but the first 6 and last 6 doubled.
  int r = 0;
  for (int d = 1; d <= 2; ++d) {
    r = 0;
    for (int k = 0; k < 30; ++k) {
      const int i = d == 1 ? k : 29 - k;
      const bool two = i >= 6 && i < 24;
      if (two) {
        t.station_name[d][++r] = station_name(i);
        t.station_flag[d][r] = data::kFlagArrival;
        t.station_name[d][++r] = station_name(i);
        t.station_flag[d][r] = data::kFlagDeparture;
      } else {
        t.station_name[d][++r] = station_name(i);
        t.station_flag[d][r] = data::kFlagSingle;
      }
    }
  }
  t.station_count = r;  // 48
  for (auto& d : t.times)
    for (auto& row : d) row.fill(0);
  for (int d = 1; d <= 2; ++d) {
    for (int k = 1; k <= 250; ++k) {
      int m = 360 + (k - 1) * 4 + rand_int(rng, 0, 3);  // 06:00 .. about 22:40
      const int kind = rand_int(rng, 0, 2);             // 0 fast, 1 semi-fast, 2 all stops
      for (int s = 1; s <= r; ++s) {
        const int f = t.station_flag[d][s];
        const bool ends = s == 1 || s == r;
        const bool stop = ends || kind == 2 || (kind == 1 && chance(rng, 60)) || chance(rng, 25);
        if (f == data::kFlagArrival) {
          if (stop) {
            t.times[d][s][k] = hhmm_from_minutes(m);
            m += rand_int(rng, 1, 2);
            t.times[d][s + 1][k] = hhmm_from_minutes(m);
          }
          ++s;
        } else if (stop) {
          t.times[d][s][k] = hhmm_from_minutes(m);
        }
        m += rand_int(rng, 4, 12);
      }
    }
  }
}

}  // namespace ravolin::search::testing
