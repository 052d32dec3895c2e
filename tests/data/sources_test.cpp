// SPDX-License-Identifier: MIT
// The text sources: errors with file and line, and export -> build giving the same bytes.
#include "data/sources.h"
#include "data/raw_data.h"
#include "support/data_builder.h"

#include <gtest/gtest.h>

#include <memory>

namespace ravolin::data {
namespace {

using test_support::build_data;
using test_support::build_errors;
using test_support::small_sources;

std::vector<std::uint8_t> export_and_rebuild(const std::vector<std::uint8_t>& bytes) {
  auto raw = std::make_unique<RawData>();
  DataError err;
  EXPECT_TRUE(read_image(test_support::as_file(bytes), *raw, err)) << err.message();
  return build_data(write_sources(*raw));
}

TEST(Sources, ExportThenBuildGivesTheSameBytes) {
  for (int edition : {1, 2, 3}) {
    auto bytes = build_data(small_sources(edition));
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(export_and_rebuild(bytes), bytes) << "edition " << edition;
  }
}

TEST(Sources, ExportKeepsAwkwardNamesAndReferences) {
  auto src = small_sources();
  src["areas.txt"] = "\"#東京 駅\" 3\n名古屋 5\n名古屋 6\n";  // blank, '#', duplicate name
  src["districts.txt"] = "京橋\n京橋\n\"\"\ndirection\n";
  src["stations.txt"] =
      "station-count 3\n"
      "direction 1\n\"direction\"\n名古屋 着\n名古屋 発\n\"新 大阪\"\n品川\n"
      "direction 2\n\"新 大阪\"\n名古屋 1\n名古屋 2\n";
  src["trains-down.txt"] = "train N1\ndirection 06:00\n名古屋 - 07:00\n@5 08:00\n";
  src["trains-up.txt"] = "train \"A B\"\n\"新 大阪\" 06:00\n名古屋(着) 06:50\n";
  src["keiyo.txt"] = "schedule 3\nstations \"\" 蘇我\nstation-count 0\ntrain 12A - 23:50\n";
  src["fares.txt"] =
      "[kilo]\n名古屋(発) 1.5\n@0 0.0\n[pair]\n名古屋 名古屋(発) -5 -7 0 -1\n"
      "[ticket]\n@0 品川 14 63 32767 2147483647\n[nozomi]\n名古屋 品川 1 2 -3\n";
  src["hotels.txt"] = "@3 | @2 | \"ホテル | 一\" | \" 03-1\" | 4095 | \" 駅前 \" | | \"  ○\"\"\"\n";
  auto bytes = build_data(src);
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(export_and_rebuild(bytes), bytes);

  auto raw = std::make_unique<RawData>();
  DataError err;
  ASSERT_TRUE(read_image(test_support::as_file(bytes), *raw, err));
  EXPECT_EQ(raw->areas[0].name, "#東京 駅");
  EXPECT_EQ(raw->sin[1].station[1], "direction");
  EXPECT_EQ(raw->sin[1].trains[0].time[3], 700);
  EXPECT_EQ(raw->sin[2].trains[0].id, "A B ");
  EXPECT_EQ(raw->kilo[0].station, 3);
  EXPECT_EQ(raw->pairs[0].a, 2);
  EXPECT_EQ(raw->hotels[0].area, 3);
  EXPECT_EQ(raw->hotels[0].name, "ホテル | 一");
  EXPECT_EQ(raw->hotels[0].phone, " 03-1       ");
  EXPECT_EQ(raw->hotels[0].remarks, "  ○\"");
}

TEST(Sources, LargeSectionsRoundTrip) {
  auto src = small_sources();
  std::string keiyo = "schedule 2\nstations 東京\n";
  for (int t = 1; t <= 200; ++t) keiyo += "train " + std::to_string(t) + "A 05:00 - 05:10\n";
  src["keiyo.txt"] = keiyo;
  std::string down;
  for (int t = 1; t <= 250; ++t)
    down += "train K" + std::to_string(t) + "\n東京 06:00\n名古屋 07:00 07:01\n";
  src["trains-down.txt"] = down;
  std::string hotels;
  for (int i = 1; i <= 300; ++i)
    hotels += "名古屋 | 名駅 | H" + std::to_string(i) + " | 1 | 1 | a | b | c\n";
  src["hotels.txt"] = hotels;
  auto bytes = build_data(src);
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(export_and_rebuild(bytes), bytes);
}

struct BadCase {
  const char* file;
  std::string text;
  const char* where;  // "file:line"
  const char* says;
  int edition = 1;
};

TEST(Sources, ErrorsNameTheFileAndLine) {
  std::string too_many_rows = "direction 1\n";
  for (int i = 1; i <= 51; ++i) too_many_rows += "駅" + std::to_string(i) + "\n";
  std::string too_many_green = "[green]\n";
  for (int i = 1; i <= 11; ++i) too_many_green += std::to_string(100 * i) + " 1000 0 0\n";
  std::string long_areas;
  for (int i = 1; i <= 60; ++i) long_areas += "とても長い地域の名前" + std::to_string(i) + " 1\n";
  const BadCase cases[] = {
      {"trains-down.txt", "train N001\n東京 6:0x\n", "trains-down.txt:2:", "HH:MM"},
      {"trains-down.txt", "train N001\n東京 06:60\n", "trains-down.txt:2:", "HH:MM"},
      {"trains-down.txt", "train N001\n東京 0:00\n", "trains-down.txt:2:", "24:00"},
      {"trains-down.txt", "train Ｎ01\n東京 06:00\n", "trains-down.txt:1:", "全角"},
      {"trains-down.txt", "train N0001\n", "trains-down.txt:1:", "4 文字"},
      {"trains-down.txt", "train N001\n大宮 06:00\n", "trains-down.txt:2:", "大宮"},
      {"trains-down.txt", "train N001\n名古屋 07:00\n", "trains-down.txt:2:", "着時刻と発時刻"},
      {"trains-down.txt", "train N001\n東京 06:00\n東京 06:01\n", "trains-down.txt:3:", "2 回"},
      {"trains-down.txt", "東京 06:00\n", "trains-down.txt:1:", "train"},
      {"trains-down.txt", "train N001 car M\n", "trains-down.txt:1:", "車両型"},
      {"trains-up.txt", "train N001 car N\n", "trains-up.txt:1:", "車両型", 2},
      {"trains-down.txt", "train N001\n東京 57:00\n", "trains-down.txt:2:", "56:59"},
      {"stations.txt", too_many_rows, "stations.txt:52:", "50"},
      {"stations.txt", "direction 1\n東京\n名古屋 発\ndirection 2\n東京\n名古屋\n",
       "stations.txt:3:", "着"},
      {"stations.txt", "direction 1\n東京\ndirection 2\n", "stations.txt:", "行数"},
      {"fares.txt", "[pair]\n東京 新大阪 40000 0 0 0\n", "fares.txt:2:", "運賃"},
      {"fares.txt", "[pair]\n東京 新大阪 1 2 3\n", "fares.txt:2:", "列の数"},
      {"fares.txt", "[kilo]\n東京 1.25\n", "fares.txt:2:", "キロ"},
      {"fares.txt", "[ticket]\n東京 新大阪 15 6 3 1\n", "fares.txt:2:", "切符の種類"},
      {"fares.txt", "[nozomi]\n東京 新大阪 1 2\n", "fares.txt:2:", "edition 1", 2},
      {"fares.txt", "[fare]\n", "fares.txt:1:", "[fare]"},
      {"fares.txt", "[pair]\n\"東京 新大阪 1 2 3 4\n", "fares.txt:2:", "引用符が閉じていません"},
      {"fares.txt", too_many_green, "fares.txt:12:", "[green] が 10 行を超えています"},
      {"keiyo.txt", "schedule 1\ntrain 7000A 23:00\n", "keiyo.txt:2:", "8192"},
      {"keiyo.txt", "schedule 1\ntrain 9000A\n", "keiyo.txt:2:", "8192"},  // no stop at all
      {"keiyo.txt", "schedule 1\ntrain 12A 57:00\n", "keiyo.txt:2:", "56:59"},
      {"keiyo.txt", "schedule 1\ntrain 12345\n", "keiyo.txt:2:", "1234A"},
      {"keiyo.txt", "schedule 1\ntrain 0A 05:00\n", "keiyo.txt:2:", "1234A"},
      {"keiyo.txt", "schedule 5\n", "keiyo.txt:1:", "ダイヤ"},
      {"keiyo.txt", "train 12A 05:00\n", "keiyo.txt:1:", "schedule"},
      // A blank phone ends the phones: a later hotel with one cannot be written.
      {"hotels.txt",
       "名古屋 | 名駅 | H | \"\" | 1 | a | b | c\n名古屋 | 名駅 | I | 1 | 1 | a | b | c\n",
       "hotels.txt:2:", "電話番号"},
      {"hotels.txt", "名古屋 | 名駅 | H | 1 | 1 | a | b\n", "hotels.txt:1:", "8 個"},
      {"hotels.txt", "名古屋 | 名駅 | \"H | 1 | 1 | a | b | c\n",
       "hotels.txt:1:", "引用符が閉じていません"},
      {"hotels.txt", "名古屋 | 梅田北 | H | 1 | 1 | a | b | c\n", "hotels.txt:1:", "梅田北"},
      {"hotels.txt", "名古屋 | 名駅 | H | 1 | 4096 | a | b | c\n", "hotels.txt:1:", "部屋数"},
      {"hotels.txt", "名古屋 | 名駅 | H | 1 | 1 | a | \\1,000,000 | c\n",
       "hotels.txt:1:", "8 文字"},
      {"areas.txt", long_areas, "areas.txt:", "1024"},
      {"areas.txt", "東京 100\n", "areas.txt:1:", "地方コード"},
      {"districts.txt", "\xE9\xBE\x96\n", "districts.txt:1:", "Shift-JIS"},
      {"edition.txt", "edition 4\n", "edition.txt:1:", "版コード"},
  };
  for (const auto& c : cases) {
    auto src = small_sources(c.edition);
    src[c.file] = c.text;
    auto errors = build_errors(src);
    ASSERT_FALSE(errors.empty()) << c.where << " " << c.says;
    EXPECT_EQ(errors[0].rfind(c.where, 0), 0u) << errors[0];
    EXPECT_NE(errors[0].find(c.says), std::string::npos) << errors[0];
  }
}

TEST(Sources, MissingRequiredFilesAndOptionalOnes) {
  auto src = small_sources();
  src.erase("stations.txt");
  auto errors = build_errors(src);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "stations.txt: ファイルがありません");

  src = small_sources();
  src.erase("keiyo.txt");
  src.erase("hotels.txt");
  EXPECT_TRUE(build_errors(src).empty());
}

TEST(Sources, CommentsQuotesAndLineEnds) {
  auto src = small_sources();
  src["hotels.txt"] = "";
  src["districts.txt"] =
      "\xEF\xBB\xBF# comment\r\n  # indented comment\r\n京橋\r\n\r\n\"名 駅\"\r\n梅田#1\r\n";
  auto bytes = build_data(src);
  auto raw = std::make_unique<RawData>();
  DataError err;
  ASSERT_TRUE(read_image(test_support::as_file(bytes), *raw, err));
  EXPECT_EQ(raw->districts, (std::vector<std::string>{"京橋", "名 駅", "梅田#1"}));
  src["districts.txt"] = "\"京橋\n";
  EXPECT_FALSE(build_errors(src).empty());
}

}  // namespace
}  // namespace ravolin::data
