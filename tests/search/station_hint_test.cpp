// SPDX-License-Identifier: MIT
// The English refusal of a station box: the field, what was typed and the nearest names.
#include "search/station_hint.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace ravolin::search {
namespace {

TEST(StationHint, NamesTheFieldAndSuggestsTheNearestStations) {
  auto sin = std::make_unique<data::SinkansenTables>();
  const char* rows[] = {"東京", "名古屋", "名古屋", "京都", "新大阪", "新神戸", "小倉"};
  const int flags[] = {0, 1, 2, 0, 0, 0, 0};
  sin->station_count = 7;
  for (int s = 1; s <= 7; ++s) {
    sin->station_name[1][s] = rows[s - 1];
    sin->station_flag[1][s] = flags[s - 1];
  }
  data::PlaceNames names;
  for (const auto& [jp, en] : {std::pair{"東京", "Tokyo"},
                               {"名古屋", "Nagoya"},
                               {"京都", "Kyoto"},
                               {"新大阪", "Shin-Osaka"},
                               {"新神戸", "Shin-Kobe"}})
    names.add(jp, en);

  using Names = std::vector<std::string>;
  EXPECT_EQ(nearest_stations(*sin, "Osaka", names), Names{"Shin-Osaka"});
  EXPECT_EQ(nearest_stations(*sin, "shin", names), (Names{"Shin-Kobe", "Shin-Osaka"}));
  EXPECT_EQ(nearest_stations(*sin, "Nagoja", names), Names{"Nagoya"});  // one letter wrong
  EXPECT_EQ(nearest_stations(*sin, "Kyōto Stn", names), Names{});       // too far as typed
  EXPECT_EQ(nearest_stations(*sin, "Sapporo", names), Names{});
  EXPECT_EQ(nearest_stations(*sin, "京", names), Names{});  // no Latin letters to go by

  EXPECT_EQ(station_refusal(*sin, "Departure station", " Osaka ", names),
            "Departure station: \"Osaka\" is not a station of this line. Did you mean "
            "Shin-Osaka?");
  EXPECT_EQ(station_refusal(*sin, "Arrival station", "shin", names),
            "Arrival station: \"shin\" is not a station of this line. Did you mean Shin-Kobe or "
            "Shin-Osaka?");
  EXPECT_EQ(station_refusal(*sin, "Arrival station", "Sapporo", names),
            "Arrival station: \"Sapporo\" is not a station of this line.");
  EXPECT_EQ(station_refusal(*sin, "Departure station", "  ", names),
            "Departure station: enter a station");
}

}  // namespace
}  // namespace ravolin::search
