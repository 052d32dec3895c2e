// SPDX-License-Identifier: MIT
// The fare tables loaded at start-up from the five fare sections of the data file.
// Rows are 1-based; counts say how many are filled.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace ravolin::fares {

inline constexpr int kMaxKiloRows = 50;
inline constexpr int kMaxPairRows = 1000;
inline constexpr int kMaxGreenRows = 10;
inline constexpr int kMaxTicketRows = 500;
inline constexpr int kMaxNozomiRows = 100;
inline constexpr int kTicketTypes = 14;

struct KiloRow {
  std::string station_name;
  double kilo = 0.0;  // kilometres (tenths stored in the file / 10)
};

struct PairFareRow {
  std::string station_a, station_b;
  std::int16_t free_seat_fee = 0;  // unreserved-seat express surcharge; 0 = derive it
  std::int16_t fare = 0;           // base fare
  std::int16_t express_fee = 0;    // reserved-seat express surcharge, regular season
  std::int32_t coupon_price = 0;   // set of six unreserved coupons; 0 = none sold
};

struct GreenRow {
  std::int16_t upper_kilo = 0;
  std::int16_t green_fee = 0;
  std::int16_t room_fee_2 = 0;
  std::int16_t room_fee_4 = 0;
};

struct TicketRow {
  std::string station_a, station_b;
  std::int16_t sheets = 0;
  std::int16_t valid_term = 0;   // days for type 7, months otherwise
  std::int16_t ticket_type = 0;  // 1..14
  std::int32_t price = 0;
};

struct NozomiRow {
  std::string station_a, station_b;
  std::int16_t spare = 0;
  std::int16_t nozomi_fee = 0;
  std::int16_t transfer_fee = 0;
};

struct FareTables {
  int kilo_count = 0;
  std::array<KiloRow, kMaxKiloRows + 1> kilo_table{};
  int pair_count = 0;
  std::array<PairFareRow, kMaxPairRows + 1> pair_fare_table{};
  int green_count = 0;
  std::array<GreenRow, kMaxGreenRows + 1> green_table{};  // row 0 all zero
  int ticket_count = 0;
  std::array<TicketRow, kMaxTicketRows + 1> ticket_table{};
  int nozomi_count = 0;
  std::array<NozomiRow, kMaxNozomiRows + 1> nozomi_table{};
};

// The fixed names of the ticket types 1..14 ("" for anything else).
const char* ticket_name(int type);

}  // namespace ravolin::fares
