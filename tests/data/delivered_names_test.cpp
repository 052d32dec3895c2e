// SPDX-License-Identifier: MIT
// The English names built into each delivered program folder: every station of both lines,
// every hotel area and every hotel district of the edition has one, written in Latin letters.
#include "data/place_names.h"
#include "state/loader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>

namespace ravolin {
namespace {

class DeliveredNames : public ::testing::TestWithParam<const char*> {
 protected:
  void SetUp() override {
    folder_ = std::string(RAVOLIN_PROGRAM_DIR) + "/" + GetParam();
    if (!std::filesystem::exists(folder_ + "/" + data::kDataFileName))
      GTEST_SKIP() << "no delivered data in " << folder_;
  }
  std::string folder_;
};

TEST_P(DeliveredNames, EveryStationAreaAndDistrictHasAnEnglishName) {
  data::PlaceNames names;
  data::PlaceNamesError error;
  const std::string names_path = folder_ + "/" + data::kPlaceNamesFileName;
  ASSERT_TRUE(std::filesystem::exists(names_path)) << names_path << " is built from datasets/";
  ASSERT_TRUE(data::load_place_names(names_path, names, error)) << error.message();

  auto d = std::make_unique<data::ScheduleData>();
  auto districts = std::make_unique<hotels::DistrictNames>();
  auto fares = std::make_unique<fares::FareTables>();
  data::DataError err;
  ASSERT_TRUE(
      data::load_sections(folder_ + "/" + data::kDataFileName, 1, *d, *districts, *fares, {}, err))
      << err.message();

  std::set<std::string> places;
  for (int dir = 1; dir <= 2; ++dir)
    for (int s = 1; s <= d->sin.station_count; ++s) places.insert(d->sin.station_name[dir][s]);
  for (int v = 1; v <= data::kKeiyoSchedules; ++v)
    for (int s = 1; s <= d->keiyo.station_count[v]; ++s) places.insert(d->keiyo.station_name[v][s]);
  for (int a = 1; a <= d->areas.count; ++a) places.insert(d->areas.name[a]);
  ASSERT_GT(districts->count, 100);
  for (int k = 1; k <= districts->count; ++k) places.insert(districts->name[k]);
  places.erase("");
  ASSERT_GT(places.size(), 170u);

  for (const std::string& place : places) {
    const std::string* english = names.english(place);
    ASSERT_NE(english, nullptr) << place << " has no English name";
    for (char c : *english)
      EXPECT_TRUE(c >= 0x20 && c < 0x7F) << place << " → " << *english << " is not plain Latin";
  }
}

INSTANTIATE_TEST_SUITE_P(Editions, DeliveredNames,
                         ::testing::Values("tokaido", "tohoku", "joetsu"));

}  // namespace
}  // namespace ravolin
