// SPDX-License-Identifier: MIT
// A data file is accepted when its exported sources build into a file that the program
// reads the same: real faults are refused, padding and bytes no reader looks at are not.
#include "data/raw_data.h"
#include "data/readers.h"
#include "data/sources.h"

#include "support/data_builder.h"
#include "text/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace ravolin::data {
namespace {

using namespace test_support;

struct Refusal {
  std::string section;
  std::string reason;
};

Refusal refusal_of(const std::vector<std::uint8_t>& bytes) {
  auto raw = std::make_unique<RawData>();
  DataError err;
  if (read_image(as_file(bytes), *raw, err)) return {"accepted", ""};
  return {err.section.in(text::Language::kJapanese), err.reason.in(text::Language::kJapanese)};
}

void replace_text(std::vector<std::uint8_t>& bytes, std::string_view from, std::string_view to) {
  auto it = std::search(bytes.begin(), bytes.end(), from.begin(), from.end());
  ASSERT_NE(it, bytes.end()) << from;
  std::copy(to.begin(), to.end(), it);
}

TEST(StrictImage, WhatTheCompilerWouldNotWriteIsRefusedWithItsPlace) {
  const std::vector<std::uint8_t> good = build_data(small_sources(1));
  ASSERT_FALSE(good.empty());
  EXPECT_EQ(refusal_of(good).section, "accepted");
  const std::int32_t keiyo = get_slot(good, 4);

  // A Keiyo time of 05:64 (train 1501A, first station pair).
  auto bad_time = good;
  put_u32(bad_time, at_block(keiyo + 4), (564 + 1501) * 8192u + (512 + 1501));
  Refusal r = refusal_of(bad_time);
  EXPECT_EQ(r.section, "データの内容");
  EXPECT_NE(r.reason.find("keiyo.txt"), std::string::npos) << r.reason;
  EXPECT_NE(r.reason.find("05:64"), std::string::npos) << r.reason;

  // A Keiyo identifier without its letter: same train number, refused by the compiler.
  auto bad_id = good;
  replace_text(bad_id, "1501A", "15017");
  r = refusal_of(bad_id);
  EXPECT_NE(r.reason.find("列車番号"), std::string::npos) << r.reason;

  // A bound broken: 201 trains in a Keiyo schedule.
  auto too_many = good;
  put_u32(too_many, at_block(keiyo, 1020), 201);
  r = refusal_of(too_many);
  EXPECT_NE(r.reason.find("上限 200"), std::string::npos) << r.reason;
}

TEST(StrictImage, AHotelWithoutAPhoneIsExportedAsTheProgramReadsItAndBuildsBack) {
  // The second of three hotels with a blank phone: the program reads no phone for it nor
  // for the hotel after it (a blank phone ends the phones) and lists all three.
  auto no_phone = build_data(small_sources(1));
  ASSERT_FALSE(no_phone.empty());
  replace_text(no_phone, "052-000-0000", "            ");
  auto raw = std::make_unique<RawData>();
  DataError err;
  ASSERT_TRUE(read_image(as_file(no_phone), *raw, err)) << err.message();
  ASSERT_EQ(raw->hotels.size(), 3u);
  EXPECT_EQ(text::trim(raw->hotels[0].phone), "03-1234-5678");
  EXPECT_EQ(raw->hotels[1].phone, "");
  EXPECT_EQ(raw->hotels[2].phone, "");
  const SourceFiles exported = write_sources(*raw);
  const std::string& hotels = exported.at("hotels.txt");
  EXPECT_NE(hotels.find("| ホテル名駅 | \"\" | 80 |"), std::string::npos) << hotels;
  EXPECT_NE(hotels.find("| 梅田イン | \"\" | 0 |"), std::string::npos) << hotels;

  const std::vector<std::uint8_t> rebuilt = build_data(exported);
  ASSERT_FALSE(rebuilt.empty());
  auto again = std::make_unique<RawData>();
  ASSERT_TRUE(read_image(as_file(rebuilt), *again, err)) << err.message();
  EXPECT_EQ(write_sources(*again), exported);
}

TEST(StrictImage, AcceptedFilesOfEveryEditionExportToSourcesThatRebuildTheSameBytes) {
  for (int edition : {1, 2, 3}) {
    const std::vector<std::uint8_t> bytes = build_data(small_sources(edition));
    auto raw = std::make_unique<RawData>();
    DataError err;
    ASSERT_TRUE(read_image(as_file(bytes), *raw, err)) << err.message();
    EXPECT_EQ(build_data(write_sources(*raw)), bytes) << "edition " << edition;
  }
}

// What the board and the search see of a file: Keiyo identifiers as the program trims
// them, every time, and the Shinkansen tables.
std::string program_view(const std::vector<std::uint8_t>& bytes) {
  const DataFile file = as_file(bytes);
  Directory dir;
  auto keiyo = std::make_unique<KeiyoTables>();
  auto sin = std::make_unique<SinkansenTables>();
  DataError err;
  if (!load_directory(file, dir, err) || !load_keiyo_stations(file, dir, *keiyo, err) ||
      !load_keiyo_trains(file, dir, *keiyo, err) ||
      !load_sinkansen_stations(file, dir, *sin, err) ||
      !load_sinkansen_trains(file, dir, *sin, err))
    return "unreadable: " + err.message();
  std::string s;
  for (int v = 1; v <= kKeiyoSchedules; ++v)
    for (int t = 1; t <= keiyo->train_count[v]; ++t) {
      s += "[" + text::trim(keiyo->train_id[v][t]) + "]";
      for (int c = 1; c <= kKeiyoTimeColumns; ++c) s += " " + std::to_string(keiyo->times[v][t][c]);
      s += "\n";
    }
  for (int d = 1; d <= kSinDirections; ++d)
    for (int t = 1; t <= sin->train_count[d]; ++t) {
      s += "[" + sin->train_id[d][t] + "] " + std::to_string(sin->op_day[d][t]) + " " +
           sin->car_type[d][t];
      for (int r = 1; r <= kMaxSinStations; ++r) s += " " + std::to_string(sin->times[d][r][t]);
      s += "\n";
    }
  return s;
}

TEST(StrictImage, PaddingAndUnreadBytesAreAcceptedAndExportedAsTheProgramReadsThem) {
  const std::vector<std::uint8_t> good = build_data(small_sources(1));
  ASSERT_FALSE(good.empty());
  auto odd = good;
  // Keiyo identifiers right-aligned in their five columns, as another tool may write them.
  replace_text(odd, "503B ", " 503B");
  replace_text(odd, "504B ", " 504B");
  // Bytes that no reader looks at: the directory block after slot 24, an unread slot, the
  // trailer of the Shinkansen identifier block, the spare bytes of an operation-day slot.
  odd[odd.size() - 1024 + 500] = 0x41;
  put_u32(odd, odd.size() - 1024, 77);
  const std::int32_t trains = get_slot(good, 6);
  odd[at_block(trains, 1021)] = 0x20;

  auto raw = std::make_unique<RawData>();
  DataError err;
  ASSERT_TRUE(read_image(as_file(odd), *raw, err)) << err.message();
  EXPECT_EQ(raw->keiyo[1].trains[1].id, "503B");
  EXPECT_EQ(raw->keiyo[2].trains[1].id, "504B");
  const SourceFiles exported = write_sources(*raw);
  EXPECT_NE(exported.at("keiyo.txt").find("\ntrain 503B 05:20 05:22 - - 05:29 - 05:34\n"),
            std::string::npos)
      << exported.at("keiyo.txt");

  const std::vector<std::uint8_t> rebuilt = build_data(exported);
  ASSERT_FALSE(rebuilt.empty());
  EXPECT_NE(rebuilt, odd);
  EXPECT_EQ(rebuilt, good);
  EXPECT_EQ(program_view(rebuilt), program_view(odd));
  EXPECT_NE(program_view(odd).find("[503B] 520 522 0 0 529 0 534"), std::string::npos)
      << program_view(odd);
}

}  // namespace
}  // namespace ravolin::data
