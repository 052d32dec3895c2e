// SPDX-License-Identifier: MIT
#include "support/data_builder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

namespace ravolin::test_support {

data::SourceFiles empty_sources(int edition) {
  return {{"edition.txt", "edition " + std::to_string(edition) + "\n"},
          {"areas.txt", ""},
          {"districts.txt", ""},
          {"stations.txt", ""},
          {"trains-down.txt", ""},
          {"trains-up.txt", ""},
          {"fares.txt", ""}};
}

data::SourceFiles small_sources(int edition) {
  const bool e1 = edition == 1;
  data::SourceFiles f = empty_sources(edition);
  f["areas.txt"] =
      "東京／羽田 3 0\n"
      "東京／成田 3 0\n"
      "名古屋 5 0\n"
      "新大阪 6 1\n";
  f["districts.txt"] = "京橋\n名駅\n梅田\n";
  f["stations.txt"] =
      "direction 1\n東京\n品川\n名古屋 着\n名古屋 発\n新大阪\n"
      "direction 2\n新大阪\n名古屋 着\n名古屋 発\n品川\n東京\n";
  f["trains-down.txt"] = std::string(e1 ? "train N001 car N7\n" : "train N001 car M\n") +
                         "東京 06:00\n品川 06:07\n名古屋 07:36 07:37\n新大阪 08:30\n"
                         "train H101 day 11\n東京 07:00\n名古屋 08:50 08:52\n新大阪 09:45\n"
                         "train K201\n名古屋 - 21:00\n新大阪 24:10\n";
  f["trains-up.txt"] = std::string(e1 ? "train N002 car RS\n" : "train N002\n") +
                       "新大阪 06:00\n名古屋 06:50 06:51\n品川 08:23\n東京 08:30\n"
                       "train H102 day 70\n新大阪 10:00\n名古屋 - 10:55\n東京 12:40\n";
  f["keiyo.txt"] =
      "schedule 1\n"
      "stations 東京 八丁堀 越中島 潮見 新木場 葛西臨海公園 舞浜 新浦安 市川塩浜 二俣新町 南船橋 "
      "新習志野 海浜幕張\n"
      "station-count 12\n"
      "train 1501A 05:10 05:12 05:14 05:16 05:19 05:22 05:25 05:28 05:31 05:34 05:37 05:40\n"
      "train 503B 05:20 05:22 - - 05:29 - 05:34\n"
      "schedule 2\n"
      "stations 新習志野 南船橋 二俣新町 市川塩浜 新浦安 舞浜 葛西臨海公園 新木場 潮見 越中島 "
      "八丁堀 東京\n"
      "train 1502A 06:00 06:03 06:06 06:09 06:12 06:15 06:18 06:21 06:24 06:27 06:30 06:33\n"
      "train 504B 23:50 23:53 23:56 23:59 24:02\n";
  f["fares.txt"] = std::string(
                       "[kilo]\n東京 0.0\n品川 6.8\n名古屋 366.0\n新大阪 552.6\n"
                       "[pair]\n東京 新大阪 8510 5540 0 61800\n東京 名古屋 6090 4410 3880 0\n"
                       "[green]\n100 1260 0 0\n400 4000 6000 5000\n800 5000 7000 6000\n"
                       "[ticket]\n東京 新大阪 5 6 3 84600\n") +
                   (e1 ? "[nozomi]\n東京 新大阪 5940 400\n" : "");
  f["hotels.txt"] =
      "東京／羽田 | 京橋 | ラボリンホテル | 03-1234-5678 | 123 | 京橋駅徒歩１０分 | \\10,000 | ○\n"
      "名古屋 | 名駅 | ホテル名駅 | 052-000-0000 | 80 | 名古屋駅徒歩３分 | \\8,000 | ◎\n"
      "新大阪 | 梅田 | 梅田イン | 06-0000-0000 | 0 | 梅田駅すぐ | \\9,500 | 普通のホテルですね\n";
  return f;
}

std::vector<std::string> build_errors(const data::SourceFiles& files) {
  std::vector<std::string> out;
  auto raw = std::make_unique<data::RawData>();
  std::vector<data::SourceError> errors;
  if (!data::parse_sources(files, *raw, errors)) {
    for (const auto& e : errors) out.push_back(e.message());
    return out;
  }
  std::vector<std::uint8_t> bytes;
  std::string reason;
  if (!data::write_image(*raw, bytes, reason)) out.push_back(reason);
  return out;
}

std::vector<std::uint8_t> build_data(const data::SourceFiles& files) {
  auto raw = std::make_unique<data::RawData>();
  std::vector<data::SourceError> errors;
  if (!data::parse_sources(files, *raw, errors)) {
    std::string all;
    for (const auto& e : errors) all += e.message() + "\n";
    ADD_FAILURE() << "test sources do not compile:\n" << all;
    return {};
  }
  std::vector<std::uint8_t> bytes;
  std::string reason;
  if (!data::write_image(*raw, bytes, reason)) {
    ADD_FAILURE() << "test sources do not compile: " << reason;
    return {};
  }
  return bytes;
}

bool write_data_file(const std::string& path, const data::SourceFiles& files) {
  auto bytes = build_data(files);
  if (bytes.empty()) return false;
  std::string error;
  if (!data::write_file_atomic(path, std::string(bytes.begin(), bytes.end()), error)) {
    ADD_FAILURE() << error;
    return false;
  }
  return true;
}

data::DataFile as_file(std::vector<std::uint8_t> bytes, std::string name) {
  return data::DataFile(std::move(name), std::move(bytes));
}

void put_u32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t v) {
  if (bytes.size() < offset + 4) bytes.resize(offset + 4, 0);
  for (int i = 0; i < 4; ++i) bytes[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

void put_f32(std::vector<std::uint8_t>& bytes, std::size_t offset, float v) {
  std::uint32_t u = 0;
  std::memcpy(&u, &v, sizeof u);
  put_u32(bytes, offset, u);
}

std::uint32_t get_u32(const std::vector<std::uint8_t>& bytes, std::size_t offset) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(bytes.at(offset + i)) << (8 * i);
  return v;
}

std::int32_t get_slot(const std::vector<std::uint8_t>& bytes, int slot) {
  return static_cast<std::int32_t>(
      get_u32(bytes, bytes.size() - data::kBlockSize + 4 * (slot - 1)));
}

void set_slot(std::vector<std::uint8_t>& bytes, int slot, std::int32_t v) {
  put_u32(bytes, bytes.size() - data::kBlockSize + 4 * (slot - 1), static_cast<std::uint32_t>(v));
}

}  // namespace ravolin::test_support
