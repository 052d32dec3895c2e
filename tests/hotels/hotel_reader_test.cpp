// SPDX-License-Identifier: MIT
// load_district_names and load_hotels over files compiled from small sources.
#include "data/hotel_reader.h"
#include "data/readers.h"
#include "support/data_builder.h"
#include "support/program_folder.h"
#include "text/text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <tuple>

namespace ravolin::hotels {
namespace {

using test_support::as_file;
using test_support::at_block;
using test_support::build_data;
using test_support::get_slot;
using test_support::put_u32;
using test_support::small_sources;

struct Loaded {
  data::AreaTable areas;
  DistrictNames districts;
  std::unique_ptr<HotelTable> table = std::make_unique<HotelTable>();
  data::DataError err;
  bool ok = false;
};

Loaded load(const std::vector<std::uint8_t>& bytes, int user_hotels = 0) {
  Loaded l;
  l.table->user_hotel_count = user_hotels;
  for (int i = 1; i <= user_hotels; ++i) l.table->entry[i].name = "user" + std::to_string(i);
  auto file = as_file(bytes);
  data::Directory dir;
  l.ok = data::load_directory(file, dir, l.err) && data::load_areas(file, l.areas, l.err) &&
         load_district_names(file, dir, l.districts, l.err) &&
         load_hotels(file, dir, l.areas, l.districts, *l.table, l.err);
  return l;
}

// n hotels over the areas and districts of small_sources.
std::string hotels(int n, const std::string& name = "ホテル") {
  std::string s;
  for (int i = 1; i <= n; ++i)
    s += "東京／成田 | 京橋 | " + name + std::to_string(i) + " | 03-" + std::to_string(1000 + i) +
         " | " + std::to_string(i) + " | 駅前 | \\" + std::to_string(i) + " | ○\n";
  return s;
}

TEST(HotelReader, DistrictsAndHotelsAfterTheUsersHotels) {
  auto l = load(build_data(small_sources()), 2);
  ASSERT_TRUE(l.ok) << l.err.message();
  EXPECT_EQ(l.districts.count, 3);
  EXPECT_EQ(l.districts.name[2], "名駅");
  const auto& t = *l.table;
  EXPECT_EQ(t.user_hotel_count, 2);
  ASSERT_EQ(t.file_hotel_count, 3);
  EXPECT_EQ(t.entry[2].name, "user2");
  const auto& h = t.entry[3];
  EXPECT_EQ(h.area, "東京") << "東京／羽田 is stored as 東京";
  EXPECT_EQ(h.district, "京橋");
  EXPECT_EQ(h.name, "ラボリンホテル");
  EXPECT_EQ(h.phone, "03-1234-5678");
  EXPECT_EQ(h.rooms, 123);
  EXPECT_EQ(h.access, "京橋駅徒歩１０分");
  EXPECT_EQ(h.price, "\\10,000 ");
  EXPECT_EQ(h.remarks, "○       ");
  EXPECT_EQ(t.entry[4].area, "名古屋");
  EXPECT_EQ(t.entry[4].phone, "052-000-0000");
  EXPECT_EQ(t.entry[5].area, "新大阪") << "only names beginning with 大阪 are normalised";
  EXPECT_EQ(t.entry[5].remarks, "普通のホテルです") << "cut to 8 characters";
  EXPECT_EQ(t.entry[5].rooms, 0);
}

TEST(HotelReader, PhoneAndPriceBlocksFollowTheHotelCount) {
  for (int n : {85, 86, 128, 129, 250, 251}) {
    auto src = small_sources();
    src["hotels.txt"] = hotels(n);
    auto bytes = build_data(src);
    auto l = load(bytes);
    ASSERT_TRUE(l.ok) << n << ": " << l.err.message();
    ASSERT_EQ(l.table->file_hotel_count, n);
    const auto& last = l.table->entry[n];
    EXPECT_EQ(last.name, "ホテル" + std::to_string(n));
    EXPECT_EQ(text::trim(last.phone), "03-" + std::to_string(1000 + n));
    EXPECT_EQ(text::trim(last.price), "\\" + std::to_string(n));
    EXPECT_EQ(last.rooms, n);
    EXPECT_EQ(last.remarks, "○       ");
  }
}

// The block where a byte pattern first occurs at a block start.
std::int64_t block_starting_with(const std::vector<std::uint8_t>& bytes, const std::string& head) {
  for (std::size_t b = 0; b * 1024 + head.size() <= bytes.size(); ++b)
    if (std::equal(head.begin(), head.end(), bytes.begin() + static_cast<long>(b * 1024)))
      return static_cast<std::int64_t>(b);
  return -1;
}

TEST(HotelReader, PhoneAndPriceBlockCounts) {
  const std::string tag("\x08\x00", 2);
  for (auto [n, phone_blocks, price_blocks] :
       {std::tuple{85, 1, 1}, {86, 2, 1}, {128, 2, 1}, {129, 2, 2}}) {
    auto src = small_sources();
    src["hotels.txt"] = hotels(n);
    auto bytes = build_data(src);
    std::int64_t phones = block_starting_with(bytes, "03-1001     ");
    std::int64_t prices = block_starting_with(bytes, "\\1      \\2      ");
    ASSERT_GT(phones, 0);
    ASSERT_GT(prices, phones);
    EXPECT_EQ(std::string(bytes.begin() + static_cast<long>(at_block(phones + phone_blocks)),
                          bytes.begin() + static_cast<long>(at_block(phones + phone_blocks)) + 2),
              tag)
        << n << " hotels: the access texts follow " << phone_blocks << " phone block(s)";
    EXPECT_EQ(std::string(bytes.begin() + static_cast<long>(at_block(prices + price_blocks)),
                          bytes.begin() + static_cast<long>(at_block(prices + price_blocks)) + 2),
              tag)
        << n << " hotels: the remarks follow " << price_blocks << " price block(s)";
  }
}

TEST(HotelReader, NamesEndingAtABlockBoundary) {
  // One index block; the name's framed string fills the next block exactly, so the phone
  // part starts at the block that begins right after it.
  auto src = small_sources();
  std::string name;
  for (int i = 0; i < 510; ++i) name += "宿";
  src["hotels.txt"] = "名古屋 | 名駅 | " + name + " | 052-1 | 1 | 駅 | \\1 | -\n";
  auto bytes = build_data(src);
  std::int32_t b = get_slot(bytes, 9);
  EXPECT_EQ(bytes[at_block(b + 2)], '0') << "phones start right after the names";
  auto l = load(bytes);
  ASSERT_TRUE(l.ok) << l.err.message();
  EXPECT_EQ(l.table->entry[1].name, name);
  EXPECT_EQ(text::trim(l.table->entry[1].phone), "052-1");
  EXPECT_EQ(l.table->entry[1].access, "駅");
}

TEST(HotelReader, TooManyHotelsOrBadNumbersAreRefusedKeepingTheUsersHotels) {
  auto src = small_sources();
  src["hotels.txt"] = hotels(20);
  auto bytes = build_data(src);
  auto l = load(bytes, 990);
  EXPECT_FALSE(l.ok);
  EXPECT_NE(l.err.section.in(text::Language::kJapanese).find("目次の 9 番"), std::string::npos);
  EXPECT_EQ(l.table->file_hotel_count, 0);
  EXPECT_EQ(l.table->user_hotel_count, 990);
  EXPECT_EQ(l.table->entry[990].name, "user990");
  EXPECT_EQ(l.table->entry[991].name, "") << "nothing written past the user's hotels";

  std::int32_t b = get_slot(bytes, 9);
  auto bad = bytes;
  put_u32(bad, at_block(b, 0), (101u << 20) | (1u << 12) | 5);  // area 101
  EXPECT_FALSE(load(bad).ok);
  bad = bytes;
  put_u32(bad, at_block(b, 0), (1u << 20) | (201u << 12) | 5);  // district 201
  EXPECT_FALSE(load(bad).ok);
  bad = bytes;
  test_support::put_f32(bad, at_block(b, 1020), 251.0f);  // more than a block holds
  EXPECT_FALSE(load(bad).ok);
  bad = bytes;
  std::int32_t d = get_slot(bytes, 2);
  test_support::put_f32(bad, at_block(d, 0), 201.0f);  // more than 200 districts
  EXPECT_FALSE(load(bad).ok);
  EXPECT_NE(load(bad).err.message().find("地区が 201 件あり、上限 200 を超えています"),
            std::string::npos);
}

TEST(HotelReader, ByPathWithABlockHook) {
  test_support::ProgramFolder dir(small_sources());
  auto l = load(build_data(small_sources()));  // areas and districts
  auto file = as_file(build_data(small_sources()));
  data::Directory d;
  ASSERT_TRUE(data::load_directory(file, d, l.err));
  auto table = std::make_unique<HotelTable>();
  int blocks = 0;
  ASSERT_TRUE(load_hotels(dir.data_path(), d, l.areas, l.districts, *table, l.err, [&] {
    ++blocks;
  })) << l.err.message();
  EXPECT_EQ(table->file_hotel_count, 3);
  EXPECT_GE(blocks, 6);
  EXPECT_FALSE(load_hotels(dir.file("none.dat"), d, l.areas, l.districts, *table, l.err));
  EXPECT_EQ(table->file_hotel_count, 0);
  EXPECT_EQ(l.err.message(), "データファイル " + dir.file("none.dat") +
                                 ": ファイルを開けません（ファイルまたはフォルダがありません）");
}

}  // namespace
}  // namespace ravolin::hotels
