// SPDX-License-Identifier: MIT
// The route search against the plain scan on the delivered data of each edition: every
// pair of stations in both directions, with one transfer, and a spread of pairs with two.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "search/engine.h"
#include "search/reference_engine.h"
#include "state/loader.h"

namespace ravolin::search {
namespace {

struct Loaded {
  data::ScheduleData data;
  hotels::DistrictNames districts;
  fares::FareTables fares;
};

void compare_edition(const char* edition) {
  const std::string path = std::string(RAVOLIN_PROGRAM_DIR) + "/" + edition + "/ravolinh.dat";
  auto loaded = std::make_unique<Loaded>();
  data::DataError err;
  ASSERT_TRUE(data::load_sections(
      path, 0, loaded->data, loaded->districts, loaded->fares, [](int) {}, err))
      << err.message();
  const data::SinkansenTables& t = loaded->data.sin;
  std::vector<std::string> names;
  for (int s = 1; s <= t.station_count; ++s) {
    if (t.station_flag[1][s] != data::kFlagDeparture) names.push_back(t.station_name[1][s]);
  }
  ASSERT_GE(names.size(), 2u);

  RouteSearch engine;
  auto want = std::make_unique<SearchResult>();
  auto got = std::make_unique<SearchResult>();
  const calendar::DayFlags days[] = {{0, 0, 0, 6}, {1, 1, 0, 1}, {1, 0, 1, 7}};
  int pairs = 0, found = 0, two = 0;
  for (std::size_t a = 0; a < names.size(); ++a) {
    for (std::size_t b = 0; b < names.size(); ++b) {
      if (a == b) continue;
      ++pairs;
      for (int wait_count = 1; wait_count <= 2; ++wait_count) {
        // Two transfers for every other pair (the plain scan is slow).
        if (wait_count == 2 && (a + b) % 2 != 0) continue;
        SearchConditions c;
        c.st_station = names[a];
        c.ed_station = names[b];
        c.st_time1 = 600;
        c.st_time2 = 2359;
        c.ed_time1 = 600;
        c.ed_time2 = 2359;
        c.wait_time = wait_count == 2 ? 60 : 120;
        c.wait_count = wait_count;
        c.sort_order = static_cast<int>((a + b) % 3) + 1;
        const calendar::DayFlags& f = days[(a + 2 * b) % 3];
        reference::ReferenceSearch(t, c, f).run(*want);
        engine.search(t, c, f, *got);
        ASSERT_EQ(want->direction, got->direction) << names[a] << " -> " << names[b];
        ASSERT_EQ(want->count, got->count) << names[a] << " -> " << names[b];
        for (int i = 1; i <= want->count; ++i) {
          ASSERT_EQ(want->entries[i], got->entries[i])
              << names[a] << " -> " << names[b] << ", " << wait_count << " transfers, entry " << i;
          if (got->entries[i].third_train != 0) ++two;
        }
        if (got->count > 0) ++found;
      }
    }
  }
  EXPECT_GT(found, pairs / 4) << edition;  // not every pair connects (branch lines)
  EXPECT_GT(two, 0) << edition;
}

TEST(RouteSearchDeliveredData, Tokaido) { compare_edition("tokaido"); }
TEST(RouteSearchDeliveredData, Tohoku) { compare_edition("tohoku"); }
TEST(RouteSearchDeliveredData, Joetsu) { compare_edition("joetsu"); }

}  // namespace
}  // namespace ravolin::search
