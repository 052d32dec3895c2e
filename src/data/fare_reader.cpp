// SPDX-License-Identifier: MIT
#include "data/fare_reader.h"

#include "data/raw_data.h"

#include <memory>

namespace ravolin::fares {

bool load_fare_tables(const data::DataFile& file, const data::Directory& dir,
                      const data::SinkansenTables& sin, FareTables& tables, data::DataError& err) {
  data::RawData raw;
  if (!data::read_fare_sections(file, dir, raw, err)) return false;
  auto name = [&](int s) { return s == 0 ? std::string() : sin.station_name[1][s]; };
  auto t = std::make_unique<FareTables>();
  t->kilo_count = static_cast<int>(raw.kilo.size());
  for (int i = 1; i <= t->kilo_count; ++i) {
    const auto& r = raw.kilo[i - 1];
    t->kilo_table[i] = {name(r.station), r.tenths / 10.0};
  }
  t->pair_count = static_cast<int>(raw.pairs.size());
  for (int i = 1; i <= t->pair_count; ++i) {
    const auto& r = raw.pairs[i - 1];
    auto& row = t->pair_fare_table[i];
    row.station_a = name(r.a);
    row.station_b = name(r.b);
    row.free_seat_fee = static_cast<std::int16_t>(r.free_fee);
    row.fare = static_cast<std::int16_t>(r.fare);
    row.express_fee = static_cast<std::int16_t>(r.express);
    row.coupon_price = r.coupon;
  }
  t->green_count = static_cast<int>(raw.green.size());
  for (int i = 1; i <= t->green_count; ++i) {
    const auto& r = raw.green[i - 1];
    t->green_table[i] = {static_cast<std::int16_t>(r.upper), static_cast<std::int16_t>(r.green),
                         static_cast<std::int16_t>(r.room2), static_cast<std::int16_t>(r.room4)};
  }
  t->ticket_count = static_cast<int>(raw.tickets.size());
  for (int i = 1; i <= t->ticket_count; ++i) {
    const auto& r = raw.tickets[i - 1];
    auto& row = t->ticket_table[i];
    row.station_a = name(r.a);
    row.station_b = name(r.b);
    row.sheets = static_cast<std::int16_t>(r.sheets);
    row.valid_term = static_cast<std::int16_t>(r.valid);
    row.ticket_type = static_cast<std::int16_t>(r.type);
    row.price = r.price;
  }
  t->nozomi_count = static_cast<int>(raw.nozomi.size());
  for (int i = 1; i <= t->nozomi_count; ++i) {
    const auto& r = raw.nozomi[i - 1];
    auto& row = t->nozomi_table[i];
    row.station_a = name(r.a);
    row.station_b = name(r.b);
    row.spare = static_cast<std::int16_t>(r.spare);
    row.nozomi_fee = static_cast<std::int16_t>(r.fee);
    row.transfer_fee = static_cast<std::int16_t>(r.transfer);
  }
  tables = std::move(*t);
  return true;
}

}  // namespace ravolin::fares
