// SPDX-License-Identifier: MIT
// The English names built into each delivered program folder: every station of both lines,
// every hotel area and every hotel district of the edition has one, written in Latin letters;
// the English timetables they give tell every last stop apart.
#include "board/full_schedule.h"
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
  // The folder's English names and its data file.
  void load(data::PlaceNames& names, data::ScheduleData& d, hotels::DistrictNames& districts) {
    data::PlaceNamesError error;
    const std::string names_path = folder_ + "/" + data::kPlaceNamesFileName;
    ASSERT_TRUE(std::filesystem::exists(names_path)) << names_path << " is built from datasets/";
    ASSERT_TRUE(data::load_place_names(names_path, names, error)) << error.message();
    auto fares = std::make_unique<fares::FareTables>();
    data::DataError err;
    ASSERT_TRUE(
        data::load_sections(folder_ + "/" + data::kDataFileName, 1, d, districts, *fares, {}, err))
        << err.message();
  }
  std::string folder_;
};

TEST_P(DeliveredNames, EveryStationAreaAndDistrictHasAnEnglishName) {
  data::PlaceNames names;
  auto d = std::make_unique<data::ScheduleData>();
  auto districts = std::make_unique<hotels::DistrictNames>();
  ASSERT_NO_FATAL_FAILURE(load(names, *d, *districts));

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

// Every English timetable of the edition (each station, direction and kind of day) gives
// each last stop a two-column mark of its own, names each stop once in its key, and starts
// every entry with a mark of the key.
TEST_P(DeliveredNames, EnglishTimetableMarksAreUniqueAtEveryStation) {
  data::PlaceNames names;
  auto d = std::make_unique<data::ScheduleData>();
  auto districts = std::make_unique<hotels::DistrictNames>();
  ASSERT_NO_FATAL_FAILURE(load(names, *d, *districts));
  const calendar::DayFlags days[] = {{0, 0, 0, 2}, {1, 0, 1, 7}, {1, 1, 0, 1}};
  int tables = 0;
  for (int dir = 1; dir <= 2; ++dir) {
    for (int row = 1; row <= d->sin.station_count; ++row) {
      if (d->sin.station_flag[dir][row] == data::kFlagArrival) continue;
      settings::Settings s;
      s.sinkansen_flg = dir;
      s.sinkansen_station = d->sin.station_name[dir][row];
      for (const calendar::DayFlags& day : days) {
        const board::FullSchedule fs = board::full_schedule_sinkansen(
            d->sin, s, day, d->edition->code, text::Language::kEnglish, names);
        const std::string where = fs.caption + " day " + std::to_string(day.weekday);
        std::set<std::string> marks, stops;
        for (const board::DestinationMark& k : fs.key) {
          EXPECT_EQ(k.mark.size(), 2u) << where << ": " << k.mark << " for " << k.name;
          EXPECT_TRUE(marks.insert(k.mark).second) << where << ": " << k.mark << " twice";
          EXPECT_TRUE(stops.insert(k.name).second) << where << ": " << k.name << " twice";
        }
        // Each entry: the mark, then a bracket or a blank, two digits, a closing mark.
        std::set<std::string> used;
        for (std::size_t row_start = 0; row_start < fs.text.size();) {
          std::size_t end = fs.text.find("\r\n", row_start);
          if (end == std::string::npos) end = fs.text.size();
          const std::string line = fs.text.substr(row_start, end - row_start);
          ASSERT_EQ((line.size() - 3) % 7, 0u) << where << ": " << line;
          for (std::size_t p = 3; p < line.size(); p += 7) used.insert(line.substr(p, 2));
          row_start = end + 2;
        }
        EXPECT_EQ(used, marks) << where;
        if (!fs.text.empty()) ++tables;
      }
    }
  }
  EXPECT_GT(tables, 60);
}

INSTANTIATE_TEST_SUITE_P(Editions, DeliveredNames,
                         ::testing::Values("tokaido", "tohoku", "joetsu"));

}  // namespace
}  // namespace ravolin
