// SPDX-License-Identifier: MIT
// The route search against the plain nested scan on random tables and conditions: the
// result lists must be identical, entry for entry, including what the limits cut off and
// the order the exchange sort leaves among equal keys.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <sstream>
#include <string>

#include "search/engine.h"
#include "search/random_tables.h"
#include "search/reference_engine.h"

namespace ravolin::search {
namespace {

using testing::TableShape;

std::string describe(const SearchConditions& c, const calendar::DayFlags& f) {
  std::ostringstream o;
  o << c.st_station << "->" << c.ed_station << " dep " << c.st_time1 << "-" << c.st_time2 << " arr "
    << c.ed_time1 << "-" << c.ed_time2 << " wait " << c.wait_time << " count " << c.wait_count
    << " sort " << c.sort_order << " weekday " << f.weekday << " flags " << f.day_off
    << f.sunday_or_holiday << f.plain_saturday;
  return o.str();
}

// First difference between two result lists, or "" when they are identical.
std::string difference(const SearchResult& want, const SearchResult& got) {
  std::ostringstream o;
  if (want.direction != got.direction || want.boarding_row != got.boarding_row ||
      want.alighting_row != got.alighting_row) {
    o << "rows: want " << want.direction << "/" << want.boarding_row << "/" << want.alighting_row
      << " got " << got.direction << "/" << got.boarding_row << "/" << got.alighting_row;
    return o.str();
  }
  if (want.count != got.count) {
    o << "count: want " << want.count << " got " << got.count;
    return o.str();
  }
  for (int i = 1; i <= kMaxResults; ++i) {
    const ResultEntry& a = want.entries[i];
    const ResultEntry& b = got.entries[i];
    if (a == b) continue;
    o << "entry " << i << ": want (" << a.first_train << "," << a.second_train << ","
      << a.third_train << " rows " << a.first_transfer_row << "," << a.second_transfer_row
      << " ride " << a.ride_minutes << " key " << a.sort_key << ") got (" << b.first_train << ","
      << b.second_train << "," << b.third_train << " rows " << b.first_transfer_row << ","
      << b.second_transfer_row << " ride " << b.ride_minutes << " key " << b.sort_key << ")";
    return o.str();
  }
  return "";
}

struct Coverage {
  int cases = 0, with_results = 0, two_transfer_results = 0;
  int result_cuts = 0, transfer_cuts = 0, second_cuts = 0;
  int by_sort[4] = {0, 0, 0, 0};
  int direction2 = 0, after_midnight = 0, via_departure_row = 0, skipped_days = 0;
};

// Runs `cases` random searches of one family of tables, all through one RouteSearch
// object (so its kept orders must follow every change of the table).
void compare_family(std::uint32_t seed, int cases, const TableShape& base,
                    void (*vary)(TableShape&, std::mt19937&), Coverage& cov,
                    void (*tweak)(SearchConditions&, std::mt19937&) = nullptr) {
  struct Report {
    Coverage& c;
    ~Report() {
      std::printf(
          "  %d searches, %d with results (sort %d/%d/%d), %d in direction 2; "
          "%d two-transfer results, %d after midnight, %d via departure rows; "
          "cuts: results %d, transfer lists %d, second lists %d; day skips %d\n",
          c.cases, c.with_results, c.by_sort[1], c.by_sort[2], c.by_sort[3], c.direction2,
          c.two_transfer_results, c.after_midnight, c.via_departure_row, c.result_cuts,
          c.transfer_cuts, c.second_cuts, c.skipped_days);
    }
  } report{cov};
  std::mt19937 rng(seed);
  auto tables = std::make_unique<data::SinkansenTables>();
  auto want = std::make_unique<SearchResult>();
  auto got = std::make_unique<SearchResult>();
  RouteSearch engine;
  for (int n = 0; n < cases; ++n) {
    TableShape shape = base;
    vary(shape, rng);
    testing::fill_tables(*tables, shape, rng);
    // Now and then search the same table twice with different conditions, or after a
    // single time has changed in place.
    const int searches = testing::chance(rng, 20) ? 2 : 1;
    for (int k = 0; k < searches; ++k) {
      if (k == 1 && testing::chance(rng, 50) && tables->train_count[1] > 0 &&
          tables->station_count > 0) {
        const int s = testing::rand_int(rng, 1, tables->station_count);
        const int t = testing::rand_int(rng, 1, tables->train_count[1]);
        tables->times[1][s][t] = tables->times[1][s][t] == 0 ? 1000 : 0;
        tables->times[2][s][t] = tables->times[2][s][t] == 0 ? 1005 : 0;
      }
      SearchConditions cond = testing::random_conditions(*tables, rng);
      if (tweak != nullptr) tweak(cond, rng);
      const calendar::DayFlags flags = testing::random_day(rng);
      reference::ReferenceSearch ref(*tables, cond, flags);
      int ref_events = 0, events = 0;
      ref.run(*want, [&] { ++ref_events; });
      // The engine's own result object is left dirty from the last search on purpose.
      engine.search(*tables, cond, flags, *got, [&] { ++events; });
      const std::string diff = difference(*want, *got);
      ASSERT_EQ(diff, "") << "seed " << seed << " case " << n << "." << k << ": "
                          << describe(cond, flags);
      ASSERT_EQ(ref_events, events);

      ++cov.cases;
      cov.result_cuts += ref.result_list_cut;
      cov.transfer_cuts += ref.transfer_list_cuts > 0 ? 1 : 0;
      cov.second_cuts += ref.second_list_cuts > 0 ? 1 : 0;
      if (want->count > 0) {
        ++cov.with_results;
        ++cov.by_sort[cond.sort_order];
      }
      if (want->direction == 2 && want->count > 0) ++cov.direction2;
      for (int i = 1; i <= want->count; ++i) {
        const ResultEntry& e = want->entries[i];
        if (e.third_train != 0) ++cov.two_transfer_results;
        if (arrival_time(*tables, *want, i) >= 2400) ++cov.after_midnight;
        if (e.first_transfer_row != 0 &&
            tables->station_flag[want->direction][e.first_transfer_row] == data::kFlagDeparture) {
          ++cov.via_departure_row;
        }
      }
      for (int t = 1; t <= tables->train_count[1]; ++t) {
        if (!runs_on(tables->op_day[1][t], flags)) {
          ++cov.skipped_days;
          break;
        }
      }
    }
  }
}

TEST(RouteSearchDifferential, SmallAndMediumTablesGiveIdenticalLists) {
  Coverage cov;
  TableShape base;
  compare_family(
      1001u, 2500, base,
      [](TableShape& s, std::mt19937& rng) {
        s.stations = testing::rand_int(rng, 2, 14);
        s.trains = testing::rand_int(rng, 0, 60);
        s.doubled_pct = testing::rand_int(rng, 0, 60);
        s.stop_pct = testing::rand_int(rng, 30, 100);
        s.span = testing::rand_int(rng, 30, 1000);
        s.max_hop = testing::rand_int(rng, 0, 40);
        s.padded_names = testing::chance(rng, 20);
        s.noise = testing::chance(rng, 10);
      },
      cov);
  EXPECT_GT(cov.with_results, 1500);
  EXPECT_GT(cov.two_transfer_results, 5000);
  EXPECT_GT(cov.direction2, 700);
  EXPECT_GT(cov.after_midnight, 300);
  EXPECT_GT(cov.via_departure_row, 3000);
  EXPECT_GT(cov.skipped_days, 1500);
  for (int s = 1; s <= 3; ++s) EXPECT_GT(cov.by_sort[s], 450) << "sort order " << s;
}

// Many trains close together: the 100-entry lists and the 1000-result list fill up.
TEST(RouteSearchDifferential, DenseTablesHitEveryLimitIdentically) {
  Coverage cov;
  TableShape base;
  compare_family(
      2002u, 600, base,
      [](TableShape& s, std::mt19937& rng) {
        s.stations = testing::rand_int(rng, 4, 12);
        s.trains = testing::rand_int(rng, 60, 250);
        s.doubled_pct = testing::rand_int(rng, 0, 50);
        s.stop_pct = testing::rand_int(rng, 60, 100);
        s.first_minute = testing::rand_int(rng, 360, 1300);
        s.span = testing::rand_int(rng, 10, 180);
        s.max_hop = testing::rand_int(rng, 0, 15);
        s.whole_line_pct = testing::rand_int(rng, 0, 60);
      },
      cov);
  // Crowded: up to 250 trains within minutes of each other and long waits, so that one
  // second train has more than 100 continuations.
  compare_family(
      2003u, 300, base,
      [](TableShape& s, std::mt19937& rng) {
        s.stations = testing::rand_int(rng, 4, 10);
        s.trains = testing::rand_int(rng, 120, 250);
        s.doubled_pct = testing::rand_int(rng, 0, 50);
        s.stop_pct = testing::rand_int(rng, 85, 100);
        s.span = testing::rand_int(rng, 5, 40);
        s.whole_line_pct = testing::rand_int(rng, 50, 100);
        s.max_hop = testing::rand_int(rng, 0, 10);
      },
      cov,
      [](SearchConditions& c, std::mt19937& rng) {
        c.wait_time = testing::rand_int(rng, 30, 180);
        c.wait_count = testing::chance(rng, 80) ? 2 : 1;
      });
  EXPECT_GT(cov.result_cuts, 200);
  EXPECT_GT(cov.transfer_cuts, 250);
  EXPECT_GT(cov.second_cuts, 50);
  for (int s = 1; s <= 3; ++s) EXPECT_GT(cov.by_sort[s], 200) << "sort order " << s;
}

// Long lines of up to 50 rows with full train counts.
TEST(RouteSearchDifferential, FullSizeTablesGiveIdenticalLists) {
  Coverage cov;
  TableShape base;
  compare_family(
      3003u, 300, base,
      [](TableShape& s, std::mt19937& rng) {
        s.stations = testing::rand_int(rng, 20, 40);
        s.trains = testing::rand_int(rng, 150, 250);
        s.doubled_pct = testing::rand_int(rng, 20, 70);
        s.span = testing::rand_int(rng, 200, 1000);
        s.max_hop = testing::rand_int(rng, 2, 12);
        s.whole_line_pct = testing::rand_int(rng, 0, 80);
      },
      cov);
  EXPECT_GT(cov.with_results, 200);
  EXPECT_GT(cov.result_cuts, 30);
}

}  // namespace
}  // namespace ravolin::search
