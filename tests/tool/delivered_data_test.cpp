// SPDX-License-Identifier: MIT
// The delivered data files: each edition's sources compile, load, list and survive
// export -> build unchanged, and their timetables run forwards.
#include "data/hotel_reader.h"
#include "data/raw_data.h"
#include "data/sources.h"
#include "state/loader.h"
#include "support/data_builder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

namespace ravolin {
namespace {

namespace fs = std::filesystem;

struct Edition {
  const char* folder;
  int code;
};
constexpr Edition kEditions[] = {{"tokaido", 1}, {"tohoku", 2}, {"joetsu", 3}};

std::vector<std::uint8_t> slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class DeliveredData : public ::testing::TestWithParam<Edition> {
 protected:
  void SetUp() override {
    src_ = std::string(RAVOLIN_SOURCE_DIR) + "/datasets/" + GetParam().folder;
    dat_ = std::string(RAVOLIN_PROGRAM_DIR) + "/" + GetParam().folder + "/ravolinh.dat";
    if (!fs::exists(src_)) GTEST_SKIP() << "no sources in " << src_;
  }
  std::string src_, dat_;
};

TEST_P(DeliveredData, BuiltFileMatchesItsSourcesAndSurvivesExport) {
  ASSERT_TRUE(fs::exists(dat_)) << dat_ << " is built from " << src_;
  auto bytes = slurp(dat_);
  data::SourceFiles files;
  std::string error;
  ASSERT_TRUE(data::read_source_dir(src_, files, error)) << error;
  EXPECT_EQ(test_support::build_data(files), bytes) << "the delivered file is out of date";

  auto raw = std::make_unique<data::RawData>();
  data::DataError err;
  ASSERT_TRUE(data::read_image(test_support::as_file(bytes), *raw, err)) << err.message();
  EXPECT_EQ(raw->edition, GetParam().code);
  EXPECT_EQ(test_support::build_data(data::write_sources(*raw)), bytes);
}

TEST_P(DeliveredData, LoadsCompletelyAndTimesRunForwards) {
  auto d = std::make_unique<data::ScheduleData>();
  auto districts = std::make_unique<hotels::DistrictNames>();
  auto fares = std::make_unique<fares::FareTables>();
  data::DataError err;
  ASSERT_TRUE(data::load_sections(dat_, 1, *d, *districts, *fares, {}, err)) << err.message();
  EXPECT_EQ(d->edition->code, GetParam().code);
  EXPECT_GT(d->areas.count, 0);
  EXPECT_GT(districts->count, 0);
  EXPECT_GT(d->sin.station_count, 1);
  EXPECT_GT(fares->pair_count, 0);
  EXPECT_GT(fares->kilo_count, 0);
  EXPECT_EQ(fares->nozomi_count > 0, GetParam().code == 1);

  data::DataFile file;
  auto hotel_table = std::make_unique<hotels::HotelTable>();
  ASSERT_TRUE(file.open(dat_, err));
  ASSERT_TRUE(hotels::load_hotels(file, d->directory, d->areas, *districts, *hotel_table, err))
      << err.message();
  EXPECT_GT(hotel_table->file_hotel_count, 0);

  for (int dir = 1; dir <= 2; ++dir) {
    EXPECT_GT(d->sin.train_count[dir], 0);
    for (int t = 1; t <= d->sin.train_count[dir]; ++t) {
      int last = 0, stops = 0;
      for (int s = 1; s <= d->sin.station_count; ++s) {
        int tm = d->sin.time(dir, s, t);
        if (tm == 0) continue;
        ++stops;
        EXPECT_GE(tm, last) << "direction " << dir << " train " << d->sin.train_id[dir][t]
                            << " row " << s;
        EXPECT_LT(tm % 100, 60);
        last = tm;
      }
      EXPECT_GE(stops, 2) << "direction " << dir << " train " << d->sin.train_id[dir][t];
    }
  }
  for (int v = 1; v <= 4; ++v)
    for (int t = 1; t <= d->keiyo.train_count[v]; ++t) {
      int last = 0;
      for (int c = 1; c <= data::kKeiyoTimeColumns; ++c) {
        int tm = d->keiyo.time(v, c, t);
        if (tm == 0) continue;
        EXPECT_GE(tm, last) << "Keiyo schedule " << v << " train " << d->keiyo.train_id[v][t];
        last = tm;
      }
    }
}

INSTANTIATE_TEST_SUITE_P(Editions, DeliveredData, ::testing::ValuesIn(kEditions),
                         [](const auto& info) { return std::string(info.param.folder); });

}  // namespace
}  // namespace ravolin
