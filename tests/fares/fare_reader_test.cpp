// SPDX-License-Identifier: MIT
// load_fare_tables over files compiled from small sources and byte patches of them.
#include "data/fare_reader.h"
#include "data/readers.h"
#include "support/data_builder.h"

#include <gtest/gtest.h>

#include <memory>

namespace ravolin::fares {
namespace {

using test_support::as_file;
using test_support::at_block;
using test_support::build_data;
using test_support::get_slot;
using test_support::get_u32;
using test_support::put_u32;
using test_support::set_slot;
using test_support::small_sources;

struct Loaded {
  data::Directory dir;
  std::unique_ptr<data::SinkansenTables> sin = std::make_unique<data::SinkansenTables>();
  std::unique_ptr<FareTables> fares = std::make_unique<FareTables>();
  data::DataError err;
  bool ok = false;
};

Loaded load(const std::vector<std::uint8_t>& bytes) {
  Loaded l;
  auto file = as_file(bytes);
  l.ok = data::load_directory(file, l.dir, l.err) &&
         data::load_sinkansen_stations(file, l.dir, *l.sin, l.err) &&
         load_fare_tables(file, l.dir, *l.sin, *l.fares, l.err);
  return l;
}

TEST(FareReader, EveryTableWithStationNames) {
  auto l = load(build_data(small_sources()));
  ASSERT_TRUE(l.ok) << l.err.message();
  const auto& f = *l.fares;
  ASSERT_EQ(f.kilo_count, 4);
  EXPECT_EQ(f.kilo_table[4].station_name, "新大阪");
  EXPECT_DOUBLE_EQ(f.kilo_table[4].kilo, 552.6);
  EXPECT_DOUBLE_EQ(f.kilo_table[2].kilo, 6.8);
  ASSERT_EQ(f.pair_count, 2);
  EXPECT_EQ(f.pair_fare_table[1].station_a, "東京");
  EXPECT_EQ(f.pair_fare_table[1].station_b, "新大阪");
  EXPECT_EQ(f.pair_fare_table[1].fare, 8510);
  EXPECT_EQ(f.pair_fare_table[1].express_fee, 5540);
  EXPECT_EQ(f.pair_fare_table[1].free_seat_fee, 0) << "packed field below 4096";
  EXPECT_EQ(f.pair_fare_table[1].coupon_price, 61800);
  EXPECT_EQ(f.pair_fare_table[2].station_b, "名古屋");
  EXPECT_EQ(f.pair_fare_table[2].free_seat_fee, 3880);
  ASSERT_EQ(f.green_count, 3);
  EXPECT_EQ(f.green_table[0].green_fee, 0);
  EXPECT_EQ(f.green_table[2].upper_kilo, 400);
  EXPECT_EQ(f.green_table[3].room_fee_4, 6000);
  ASSERT_EQ(f.ticket_count, 1);
  EXPECT_EQ(f.ticket_table[1].ticket_type, 5);
  EXPECT_EQ(f.ticket_table[1].sheets, 6);
  EXPECT_EQ(f.ticket_table[1].valid_term, 3);
  EXPECT_EQ(f.ticket_table[1].price, 84600);
  EXPECT_EQ(f.ticket_table[1].station_a, "東京");
  ASSERT_EQ(f.nozomi_count, 1);
  EXPECT_EQ(f.nozomi_table[1].nozomi_fee, 5940);
  EXPECT_EQ(f.nozomi_table[1].transfer_fee, 400);
  EXPECT_EQ(f.nozomi_table[1].station_b, "新大阪");
}

TEST(FareReader, KiloRecordAndStationZero) {
  auto bytes = build_data(small_sources());
  std::int32_t b = get_slot(bytes, 11);
  put_u32(bytes, at_block(b, 0), 5526u * 64 + 3);
  put_u32(bytes, at_block(b, 4), 100u * 64 + 0);
  auto l = load(bytes);
  ASSERT_TRUE(l.ok) << l.err.message();
  EXPECT_EQ(l.fares->kilo_table[1].station_name, "名古屋");
  EXPECT_DOUBLE_EQ(l.fares->kilo_table[1].kilo, 552.6);
  EXPECT_EQ(l.fares->kilo_table[2].station_name, "");
}

TEST(FareReader, SixtyThreePairsFillABlockAndEndWithAnEmptyOne) {
  auto src = small_sources();
  std::string pairs = "[kilo]\n[pair]\n";
  for (int i = 0; i < 63; ++i) pairs += "東京 品川 " + std::to_string(100 + i) + " 0 0 0\n";
  src["fares.txt"] = pairs;
  auto bytes = build_data(src);
  std::int32_t b = get_slot(bytes, 12);
  EXPECT_EQ(get_u32(bytes, at_block(b, 1020)), 999u);
  EXPECT_EQ(get_u32(bytes, at_block(b + 1, 1020)), 63u);
  EXPECT_EQ(get_u32(bytes, at_block(b + 1, 0)), 0u);
  EXPECT_EQ(get_slot(bytes, 13), b + 2);
  auto l = load(bytes);
  ASSERT_TRUE(l.ok) << l.err.message();
  EXPECT_EQ(l.fares->pair_count, 63);
  EXPECT_EQ(l.fares->pair_fare_table[63].fare, 162);
}

TEST(FareReader, ALastBlockHoldsTheTrailerModuloCapacity) {
  auto bytes = build_data(small_sources());
  std::int32_t b = get_slot(bytes, 12);
  put_u32(bytes, at_block(b, 1020), 63 + 1);  // 64 mod 63 = 1 record
  auto l = load(bytes);
  ASSERT_TRUE(l.ok) << l.err.message();
  EXPECT_EQ(l.fares->pair_count, 1);
}

TEST(FareReader, NozomiTableOnlyInTheFirstEdition) {
  auto bytes = build_data(small_sources(1));
  set_slot(bytes, 23, 2);  // slot 15 still points to a Nozomi record
  auto l = load(bytes);
  ASSERT_TRUE(l.ok) << l.err.message();
  EXPECT_EQ(l.fares->nozomi_count, 0);
  EXPECT_EQ(l.fares->pair_count, 2);
}

TEST(FareReader, DamagedSectionsAreRefusedAndTheTablesKept) {
  const auto good = build_data(small_sources());
  struct Case {
    const char* what;
    int slot;
    std::size_t offset;
    std::uint32_t value;
    const char* section;
  };
  const Case cases[] = {
      {"more than 10 Green rows", 13, 1020, 11, "目次の 13 番"},
      {"more than 50 kilometre rows", 11, 1020, 51, "目次の 11 番"},
      {"trailer 999 in the kilometre section", 11, 1020, 999, "目次の 11 番"},
      {"station number 51", 12, 0, 51, "目次の 12 番"},
      {"fare outside 16 bits", 12, 4, 40000, "目次の 12 番"},
      {"unreserved fee outside 16 bits", 12, 0, 40000u * 4096 + 65, "目次の 12 番"},
      {"negative trailer", 14, 1020, 0xFFFFFFFFu, "目次の 14 番"},
      {"ticket station A above 50", 14, 0, 51u * 4096, "目次の 14 番"},
      {"Nozomi fee outside 16 bits", 15, 8, 0x8000, "目次の 15 番"},
      {"packed record with top byte 128", 12, 0, 0x80000000u, "目次の 12 番"},
  };
  for (const auto& c : cases) {
    auto bytes = good;
    put_u32(bytes, at_block(get_slot(bytes, c.slot), c.offset), c.value);
    auto l = load(bytes);
    EXPECT_FALSE(l.ok) << c.what;
    EXPECT_NE(l.err.section.in(text::Language::kJapanese).find(c.section), std::string::npos)
        << c.what << ": " << l.err.message();
    EXPECT_EQ(l.fares->pair_count, 0) << c.what;
  }
  // A chain that runs off the end of the file.
  auto bytes = good;
  std::int32_t b = get_slot(bytes, 15);
  for (std::int32_t blk = b; at_block(blk + 1) <= bytes.size() - 1024; ++blk)
    put_u32(bytes, at_block(blk, 1020), 999);
  set_slot(bytes, 15, static_cast<std::int32_t>(bytes.size() / 1024 - 1));
  put_u32(bytes, bytes.size() - 4, 999);
  auto l = load(bytes);
  EXPECT_FALSE(l.ok);
}

}  // namespace
}  // namespace ravolin::fares
