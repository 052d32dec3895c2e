// SPDX-License-Identifier: MIT
// The readers of the schedule sections against files compiled from small sources, and
// against byte patches of them.
#include "data/readers.h"
#include "data/hotel_reader.h"
#include "data/raw_data.h"
#include "data/sources.h"
#include "state/loader.h"
#include "support/data_builder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace ravolin::data {
namespace {

using test_support::as_file;
using test_support::at_block;
using test_support::build_data;
using test_support::get_slot;
using test_support::put_u32;
using test_support::set_slot;
using test_support::small_sources;

TEST(FloatCount, RoundsTiesToEvenAndRejectsOutOfRange) {
  EXPECT_EQ(float_count(3.0f), 3);
  EXPECT_EQ(float_count(0.5f), 0);
  EXPECT_EQ(float_count(16777216.0f), 0);
  EXPECT_EQ(float_count(-3.0f), -3);
  EXPECT_EQ(float_count(2.5f), 2);
  EXPECT_EQ(float_count(3.5f), 4);
  EXPECT_EQ(float_count(0.0f), 0);
  EXPECT_EQ(float_count(std::nanf("")), 0);
  EXPECT_EQ(float_count(INFINITY), 0);
  EXPECT_EQ(float_count(16777215.0f), 16777215);
}

TEST(Directory, ReadsTheFirst96BytesOfTheLastBlock) {
  auto bytes = build_data(small_sources());
  // Bytes 96..1023 of the last block have no effect.
  for (std::size_t i = bytes.size() - 1024 + 96; i < bytes.size(); ++i) bytes[i] = 0xFF;
  set_slot(bytes, 1, 77);
  set_slot(bytes, 24, 32767);
  auto file = as_file(bytes);
  Directory dir;
  DataError err;
  ASSERT_TRUE(load_directory(file, dir, err)) << err.message();
  EXPECT_EQ(dir.slot[1], 77);
  EXPECT_EQ(dir.slot[24], 32767);
  EXPECT_EQ(dir.edition_code(), 1);
  EXPECT_EQ(dir.slot[2], 2);  // districts follow the two area blocks
}

TEST(Directory, RefusesSlotsOutsideSixteenBitsAndShortFiles) {
  auto bytes = build_data(small_sources());
  set_slot(bytes, 6, 32768);
  Directory dir;
  DataError err;
  EXPECT_FALSE(load_directory(as_file(bytes), dir, err));
  EXPECT_NE(err.reason.in(text::Language::kJapanese).find("スロット 6"), std::string::npos)
      << err.message();
  EXPECT_NE(err.message().find("ravolinh.dat"), std::string::npos);
  EXPECT_EQ(err.message(text::Language::kEnglish),
            "Data file ravolinh.dat: the table of contents is damaged: slot 6 holds 32768, "
            "outside 0..32767");

  set_slot(bytes, 6, -1);
  EXPECT_FALSE(load_directory(as_file(bytes), dir, err));

  EXPECT_FALSE(load_directory(as_file(std::vector<std::uint8_t>(1023, 0)), dir, err));
  EXPECT_NE(err.reason.in(text::Language::kJapanese).find("1024"), std::string::npos);
}

TEST(Editions, CodeSelectsCaptionAndSettingsFile) {
  ASSERT_NE(find_edition(2), nullptr);
  EXPECT_STREQ(find_edition(2)->caption, "東北・山形・秋田新幹線");
  EXPECT_STREQ(find_edition(2)->settings_file, "ravolin3.ini");
  EXPECT_EQ(find_edition(3)->number, 5058);
  EXPECT_EQ(find_edition(0), nullptr);
  EXPECT_EQ(find_edition(4), nullptr);
}

TEST(AreaList, NamesAndCodes) {
  auto file = as_file(build_data(small_sources()));
  AreaTable areas;
  DataError err;
  ASSERT_TRUE(load_areas(file, areas, err)) << err.message();
  ASSERT_EQ(areas.count, 4);
  EXPECT_EQ(areas.name[1], "東京／羽田");
  EXPECT_EQ(areas.name[4], "新大阪");
  EXPECT_EQ(areas.region[3], 5);
  EXPECT_EQ(areas.second[4], 1);
  EXPECT_EQ(areas.name[5], "");
}

TEST(AreaList, CountsAreFloatCodedAndBounded) {
  auto bytes = build_data(small_sources());
  AreaTable areas;
  DataError err;
  test_support::put_f32(bytes, 0, 2.5f);  // rounds to 2
  ASSERT_TRUE(load_areas(as_file(bytes), areas, err)) << err.message();
  EXPECT_EQ(areas.count, 2);
  test_support::put_f32(bytes, 0, 0.5f);  // reads as 0
  ASSERT_TRUE(load_areas(as_file(bytes), areas, err));
  EXPECT_EQ(areas.count, 0);
  test_support::put_f32(bytes, 0, 101.0f);
  EXPECT_FALSE(load_areas(as_file(bytes), areas, err));
  EXPECT_EQ(areas.count, 0) << "a refused section leaves the table as it was";
  test_support::put_f32(bytes, 0, -3.0f);
  EXPECT_FALSE(load_areas(as_file(bytes), areas, err));
}

TEST(AreaList, RefusedCountsSayWhy) {
  auto bytes = build_data(small_sources());
  AreaTable areas;
  DataError err;
  test_support::put_f32(bytes, 0, 101.0f);
  ASSERT_FALSE(load_areas(as_file(bytes), areas, err));
  EXPECT_NE(err.message().find("地域が 101 件あり、上限 100 を超えています"), std::string::npos)
      << err.message();
  test_support::put_f32(bytes, 0, -3.0f);
  ASSERT_FALSE(load_areas(as_file(bytes), areas, err));
  EXPECT_NE(err.message().find("件数が負です (-3)"), std::string::npos) << err.message();
}

struct Loaded {
  ScheduleData data;
  hotels::DistrictNames districts;
  fares::FareTables fares;
};

TEST(Keiyo, IdentifiersTimesAndStationsBeyondTheCount) {
  auto file = as_file(build_data(small_sources()));
  Directory dir;
  DataError err;
  ASSERT_TRUE(load_directory(file, dir, err));
  auto k = std::make_unique<KeiyoTables>();
  ASSERT_TRUE(load_keiyo_stations(file, dir, *k, err)) << err.message();
  ASSERT_TRUE(load_keiyo_trains(file, dir, *k, err)) << err.message();
  EXPECT_EQ(k->station_count[1], 12);
  EXPECT_EQ(k->station_name[1][13], "海浜幕張") << "names beyond the count are kept";
  EXPECT_EQ(k->station_count[2], 12);
  EXPECT_EQ(k->train_count[1], 2);
  EXPECT_EQ(k->train_id[1][1], "1501A");
  EXPECT_EQ(k->time(1, 12, 1), 540);
  EXPECT_EQ(k->train_id[1][2], "503B ") << "identifiers are kept as their fields";
  EXPECT_EQ(k->time(1, 2, 2), 522);
  EXPECT_EQ(k->time(1, 3, 2), 0);
  EXPECT_EQ(k->time(1, 7, 2), 534);
  EXPECT_EQ(k->time(1, 8, 2), 0);
  EXPECT_EQ(k->time(2, 5, 2), 2402);
  EXPECT_EQ(k->train_count[3], 0);
}

TEST(Keiyo, ANoStopFieldHoldsTheTrainNumberAlone) {
  auto src = small_sources();
  src["keiyo.txt"] = "schedule 1\nstations 東京 八丁堀 越中島\ntrain 1234A - - 10:00\n";
  auto bytes = build_data(src);
  auto file = as_file(bytes);
  std::int32_t b = get_slot(bytes, 4);
  // The first record of schedule 1: both fields hold 1234 alone.
  EXPECT_EQ(test_support::get_u32(bytes, at_block(b + 4)), 1234u * 8192 + 1234);
  Directory dir;
  DataError err;
  ASSERT_TRUE(load_directory(file, dir, err));
  auto k = std::make_unique<KeiyoTables>();
  ASSERT_TRUE(load_keiyo_trains(file, dir, *k, err)) << err.message();
  EXPECT_EQ(k->time(1, 1, 1), 0);
  EXPECT_EQ(k->time(1, 2, 1), 0);
  EXPECT_EQ(k->time(1, 3, 1), 1000);
}

TEST(Keiyo, RecordsEndingAtThe255thOfABlockContinueInTheNextBlock) {
  // 85 trains = 510 records = two full blocks; the zero record opens the third block.
  std::string keiyo = "schedule 1\nstations 東京\n";
  for (int t = 1; t <= 85; ++t)
    keiyo += "train " + std::to_string(100 + t) + "B 05:00 - - - - - - - - - - 0" +
             std::to_string(t % 10) + ":" + std::to_string(10 + t % 50) + "\n";
  keiyo += "schedule 2\nstations 蘇我\ntrain 9A 06:00 06:01\n";
  auto src = small_sources();
  src["keiyo.txt"] = keiyo;
  auto bytes = build_data(src);
  std::int32_t b = get_slot(bytes, 4);
  EXPECT_NE(test_support::get_u32(bytes, at_block(b + 5, 1016)), 0u);
  EXPECT_EQ(test_support::get_u32(bytes, at_block(b + 6, 0)), 0u);
  EXPECT_EQ(test_support::get_u32(bytes, at_block(b + 7, 0)), (600u + 9) * 8192 + (601 + 9));

  auto file = as_file(bytes);
  Directory dir;
  DataError err;
  ASSERT_TRUE(load_directory(file, dir, err));
  auto k = std::make_unique<KeiyoTables>();
  ASSERT_TRUE(load_keiyo_trains(file, dir, *k, err)) << err.message();
  EXPECT_EQ(k->train_count[1], 85);
  EXPECT_EQ(k->time(1, 12, 85), 5 * 100 + 10 + 85 % 50);
  EXPECT_EQ(k->time(1, 1, 85), 500);
  EXPECT_EQ(k->time(2, 2, 1), 601);
}

TEST(Keiyo, DamagedSectionsAreRefused) {
  auto bytes = build_data(small_sources());
  std::int32_t b = get_slot(bytes, 4);
  Directory dir;
  DataError err;
  auto k = std::make_unique<KeiyoTables>();
  {
    auto bad = bytes;
    put_u32(bad, at_block(b, 1020), 201);  // more than 200 trains
    ASSERT_TRUE(load_directory(as_file(bad), dir, err));
    EXPECT_FALSE(load_keiyo_trains(as_file(bad), dir, *k, err));
    EXPECT_NE(err.section.in(text::Language::kJapanese).find("目次の 4 番"), std::string::npos);
  }
  {
    auto bad = bytes;
    put_u32(bad, at_block(b + 4), 0x80000001u);  // top byte 128 or more
    EXPECT_FALSE(load_keiyo_trains(as_file(bad), dir, *k, err));
  }
  {
    auto bad = bytes;
    put_u32(bad, at_block(b + 4), 5u * 8192 + 5);  // below the train number 1501
    EXPECT_FALSE(load_keiyo_trains(as_file(bad), dir, *k, err));
  }
  {
    auto bad = bytes;
    bad.resize(at_block(b + 4, 100));  // time records cut off
    std::vector<std::uint8_t> tail(1024, 0);
    put_u32(tail, 4 * 5, static_cast<std::uint32_t>(b));  // directory: slot 6 etc. unused
    bad.insert(bad.end(), tail.begin(), tail.end());
    Directory d2 = dir;
    EXPECT_FALSE(load_keiyo_trains(as_file(bad), d2, *k, err)) << "a record past the end";
  }
  {
    auto bad = bytes;
    std::int32_t s = get_slot(bytes, 3);
    put_u32(bad, at_block(s), 16);  // station count above 15
    EXPECT_FALSE(load_keiyo_stations(as_file(bad), dir, *k, err));
  }
}

TEST(Shinkansen, StationsTrainsCodesAndCarTypes) {
  auto file = as_file(build_data(small_sources()));
  Directory dir;
  DataError err;
  ASSERT_TRUE(load_directory(file, dir, err));
  auto s = std::make_unique<SinkansenTables>();
  ASSERT_TRUE(load_sinkansen_stations(file, dir, *s, err)) << err.message();
  ASSERT_TRUE(load_sinkansen_trains(file, dir, *s, err)) << err.message();
  EXPECT_EQ(s->station_count, 5);
  EXPECT_EQ(s->station_name[1][3], "名古屋");
  EXPECT_EQ(s->station_flag[1][3], kFlagArrival);
  EXPECT_EQ(s->station_flag[1][4], kFlagDeparture);
  EXPECT_EQ(s->station_name[2][1], "新大阪");
  EXPECT_EQ(s->train_count[1], 3);
  EXPECT_EQ(s->train_count[2], 2);
  EXPECT_EQ(s->train_id[1][2], "H101");
  EXPECT_EQ(s->time(1, 3, 1), 736);
  EXPECT_EQ(s->time(1, 4, 1), 737);
  EXPECT_EQ(s->time(1, 2, 2), 0);
  EXPECT_EQ(s->time(1, 5, 3), 2410);
  EXPECT_EQ(s->op_day[1][2], 11);
  EXPECT_EQ(s->op_day[2][2], 70);
  EXPECT_EQ(s->car_type[1][1], "N7");
  EXPECT_EQ(s->car_type[1][2], "");
  EXPECT_EQ(s->car_type[2][1], "RS");
}

TEST(Shinkansen, SelfDescribingRecordsAndCarTypeCodes) {
  std::string down;
  for (int t = 1; t <= 20; ++t) down += "train K" + std::to_string(100 + t) + "\n東京 06:00\n";
  std::string stations = "direction 1\n";
  for (int r = 1; r <= 8; ++r) stations += "駅" + std::to_string(r) + "\n";
  stations += "direction 2\n";
  for (int r = 8; r >= 1; --r) stations += "駅" + std::to_string(r) + "\n";
  auto src = test_support::empty_sources(1);
  src["stations.txt"] = stations;
  src["trains-down.txt"] = "";
  for (int t = 1; t <= 20; ++t)
    src["trains-down.txt"] += "train K" + std::to_string(100 + t) + "\n駅1 06:00\n";
  auto bytes = build_data(src);
  std::int32_t b = get_slot(bytes, 6);
  // Replace the down records with the single record of train 12 at station 7, 10:35,
  // and give trains 17 and 3 a car type.
  put_u32(bytes, at_block(b + 2, 0), (12u * 64 + 7) * 5678 + 1035);
  put_u32(bytes, at_block(b + 2, 4), 0);
  put_u32(bytes, at_block(b + 4, 0), 3017);
  put_u32(bytes, at_block(b + 4, 4), 1003);
  put_u32(bytes, at_block(b + 4, 8), 0);
  Directory dir;
  DataError err;
  auto s = std::make_unique<SinkansenTables>();
  ASSERT_TRUE(load_directory(as_file(bytes), dir, err));
  ASSERT_TRUE(load_sinkansen_trains(as_file(bytes), dir, *s, err)) << err.message();
  EXPECT_EQ(s->time(1, 7, 12), 1035);
  EXPECT_EQ(s->time(1, 1, 12), 0);
  EXPECT_EQ(s->time(1, 1, 1), 0);
  EXPECT_EQ(s->car_type[1][17], "N5");
  EXPECT_EQ(s->car_type[1][3], "G");
  EXPECT_EQ(s->train_count[2], 0) << "a blank first identifier: no trains";

  // In editions 2 and 3 every car-type record marks the train of its low byte "M".
  set_slot(bytes, 23, 2);
  put_u32(bytes, at_block(b + 4, 0), 17);
  ASSERT_TRUE(load_directory(as_file(bytes), dir, err));
  ASSERT_TRUE(load_sinkansen_trains(as_file(bytes), dir, *s, err)) << err.message();
  EXPECT_EQ(s->car_type[1][17], "M");
  EXPECT_EQ(s->car_type[1][0xEB], "M") << "1003 = 0x3EB: the low byte names train 235";
}

TEST(Shinkansen, RecordsOutsideTheTablesAreRefused) {
  auto bytes = build_data(small_sources());
  std::int32_t b = get_slot(bytes, 6);
  Directory dir;
  DataError err;
  auto s = std::make_unique<SinkansenTables>();
  ASSERT_TRUE(load_directory(as_file(bytes), dir, err));
  auto bad = bytes;
  put_u32(bad, at_block(b + 2), (1u * 64 + 51) * 5678 + 600);  // station 51
  EXPECT_FALSE(load_sinkansen_trains(as_file(bad), dir, *s, err));
  EXPECT_NE(err.reason.in(text::Language::kJapanese).find("51"), std::string::npos);
  bad = bytes;
  put_u32(bad, at_block(b + 2), (251u * 64 + 1) * 5678 + 600);  // train 251
  EXPECT_FALSE(load_sinkansen_trains(as_file(bad), dir, *s, err));
  bad = bytes;
  put_u32(bad, at_block(b + 4), 1000);  // edition 1: "N" for train 1000
  EXPECT_FALSE(load_sinkansen_trains(as_file(bad), dir, *s, err));
  bad = bytes;
  std::int32_t st = get_slot(bytes, 5);
  put_u32(bad, at_block(st, 2), 0xFFFF);  // the first name's length runs past the end
  EXPECT_FALSE(load_sinkansen_stations(as_file(bad), dir, *s, err));
}

TEST(Loader, RunsTheStepsInOrderAndSkipsKeiyoWhenUnused) {
  auto src = small_sources();
  std::string path = ::testing::TempDir() + "/loader_test.dat";
  ASSERT_TRUE(test_support::write_data_file(path, src));
  auto l = std::make_unique<Loaded>();
  DataError err;
  std::vector<int> steps;
  int blocks = 0;
  ASSERT_TRUE(load_sections(
      path, 1, l->data, l->districts, l->fares, [&](int s) { steps.push_back(s); }, err,
      [&] { ++blocks; }))
      << err.message();
  EXPECT_EQ(steps, (std::vector<int>{1, 2, 3, 4, 5, 6, 7}));
  EXPECT_GT(blocks, 10);
  EXPECT_STREQ(l->data.edition->caption, "東海道・山陽新幹線");
  EXPECT_EQ(l->districts.count, 3);
  EXPECT_EQ(l->data.keiyo.train_count[1], 2);
  EXPECT_EQ(l->fares.pair_count, 2);

  auto l2 = std::make_unique<Loaded>();
  steps.clear();
  ASSERT_TRUE(load_sections(
      path, 0, l2->data, l2->districts, l2->fares, [&](int s) { steps.push_back(s); }, err));
  EXPECT_EQ(steps, (std::vector<int>{1, 2, 5, 6, 7}));
  EXPECT_EQ(l2->data.keiyo.train_count[1], 0);
}

TEST(Loader, MissingFileAndWrongEditionAreErrors) {
  auto l = std::make_unique<Loaded>();
  DataError err;
  EXPECT_FALSE(
      load_sections("/nonexistent/ravolinh.dat", 1, l->data, l->districts, l->fares, {}, err));
  EXPECT_NE(err.message().find("/nonexistent/ravolinh.dat"), std::string::npos);
  // A folder in place of the file opens but cannot be read: an error, not an exception.
  const std::string folder = ::testing::TempDir();
  DataFile f;
  EXPECT_FALSE(f.open(folder, err));
  EXPECT_EQ(err.file, folder);
  EXPECT_FALSE(err.reason.empty());

  auto bytes = build_data(small_sources());
  set_slot(bytes, 23, 4);
  std::string path = ::testing::TempDir() + "/loader_edition4.dat";
  std::string e;
  ASSERT_TRUE(write_file_atomic(path, std::string(bytes.begin(), bytes.end()), e));
  EXPECT_FALSE(load_sections(path, 1, l->data, l->districts, l->fares, {}, err));
  EXPECT_NE(err.reason.in(text::Language::kJapanese).find("目次の 23 番"), std::string::npos);
  Directory dir;
  const Edition* ed = nullptr;
  EXPECT_FALSE(load_edition(path, dir, ed, err));
}

TEST(Loader, EveryTruncationOfAFileIsAnErrorNotACrash) {
  auto bytes = build_data(small_sources());
  const std::size_t fares_at = at_block(get_slot(bytes, 11));
  auto l = std::make_unique<Loaded>();
  std::string path = ::testing::TempDir() + "/loader_cut.dat";
  for (std::size_t cut = 0; cut < bytes.size(); cut += 100) {
    for (bool keep_directory : {false, true}) {
      std::vector<std::uint8_t> cutb(bytes.begin(), bytes.begin() + static_cast<long>(cut));
      if (keep_directory) cutb.insert(cutb.end(), bytes.end() - 1024, bytes.end());
      std::string e;
      ASSERT_TRUE(write_file_atomic(path, std::string(cutb.begin(), cutb.end()), e));
      DataError err;
      bool ok = load_sections(path, 1, l->data, l->districts, l->fares, {}, err);
      if (!ok) {
        EXPECT_FALSE(err.reason.empty());
      }
      // With the directory kept, the fare sections lie past the end of a file cut before them.
      if ((keep_directory && cut + 1024 <= fares_at) || (!keep_directory && cut < 1024)) {
        EXPECT_FALSE(ok) << "cut at " << cut;
      }
    }
  }
}

TEST(Loader, RandomlyDamagedFilesAreReadSafely) {
  // Byte flips anywhere in a valid file: every reader either succeeds or names a reason.
  auto good = build_data(small_sources());
  auto l = std::make_unique<Loaded>();
  auto raw = std::make_unique<RawData>();
  auto hotels_table = std::make_unique<hotels::HotelTable>();
  std::uint32_t seed = 12345;
  auto next = [&] {
    seed = seed * 1103515245u + 12345u;
    return seed >> 8;
  };
  std::string path = ::testing::TempDir() + "/loader_flip.dat";
  int refused = 0;
  for (int round = 0; round < 400; ++round) {
    auto bytes = good;
    for (int k = 0; k < 4; ++k) bytes[next() % bytes.size()] = static_cast<std::uint8_t>(next());
    std::string e;
    ASSERT_TRUE(write_file_atomic(path, std::string(bytes.begin(), bytes.end()), e));
    DataError err;
    if (!load_sections(path, 1, l->data, l->districts, l->fares, {}, err)) {
      ++refused;
      EXPECT_FALSE(err.reason.empty());
    } else {
      DataError herr;
      if (!hotels::load_hotels(path, l->data.directory, l->data.areas, l->districts, *hotels_table,
                               herr)) {
        EXPECT_FALSE(herr.reason.empty());
      }
    }
    DataError rerr;
    if (!read_image(as_file(bytes), *raw, rerr)) {
      EXPECT_FALSE(rerr.reason.empty());
    }
  }
  EXPECT_GT(refused, 0);
}

TEST(Keiyo, TheLargestStationCountIsRead) {
  auto src = small_sources();
  std::string names;
  for (int i = 1; i <= kKeiyoStations; ++i) names += " 駅" + std::to_string(i);
  src["keiyo.txt"] = "schedule 1\nstations" + names + "\nstation-count " +
                     std::to_string(kKeiyoStations) + "\ntrain 0501Y 05:10 05:12\n";
  auto file = as_file(build_data(src));
  Directory dir;
  DataError err;
  ASSERT_TRUE(load_directory(file, dir, err));
  auto k = std::make_unique<KeiyoTables>();
  ASSERT_TRUE(load_keiyo_stations(file, dir, *k, err)) << err.message();
  EXPECT_EQ(k->station_count[1], kKeiyoStations);
  EXPECT_EQ(k->station_name[1][kKeiyoStations], "駅15");
}

}  // namespace
}  // namespace ravolin::data
