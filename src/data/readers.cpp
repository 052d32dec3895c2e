// SPDX-License-Identifier: MIT
#include "data/readers.h"

#include "data/raw_data.h"

namespace ravolin::data {

bool load_directory(const DataFile& file, Directory& dir, DataError& err) {
  return read_directory(file, dir, err);
}

bool load_areas(const DataFile& file, AreaTable& areas, DataError& err) {
  std::vector<RawArea> raw;
  if (!read_areas(file, raw, err)) return false;
  AreaTable t;
  t.count = static_cast<int>(raw.size());
  for (int i = 1; i <= t.count; ++i) {
    t.name[i] = raw[i - 1].name;
    t.region[i] = static_cast<std::int16_t>(raw[i - 1].region);
    t.second[i] = static_cast<std::int16_t>(raw[i - 1].second);
  }
  areas = std::move(t);
  return true;
}

bool load_keiyo_stations(const DataFile& file, const Directory& dir, KeiyoTables& keiyo,
                         DataError& err) {
  std::array<RawKeiyoSchedule, kKeiyoSchedules + 1> raw{};
  if (!read_keiyo_stations(file, dir, raw, err)) return false;
  for (int v = 1; v <= kKeiyoSchedules; ++v) {
    keiyo.station_count[v] = raw[v].station_count;
    keiyo.station_name[v] = raw[v].station;
  }
  return true;
}

bool load_keiyo_trains(const DataFile& file, const Directory& dir, KeiyoTables& keiyo,
                       DataError& err) {
  std::array<RawKeiyoSchedule, kKeiyoSchedules + 1> raw{};
  if (!read_keiyo_trains(file, dir, raw, err)) return false;
  for (int v = 1; v <= kKeiyoSchedules; ++v) {
    keiyo.train_count[v] = raw[v].train_count;
    keiyo.train_id[v].fill(std::string());
    for (auto& row : keiyo.times[v]) row.fill(0);
    for (std::size_t i = 0; i < raw[v].trains.size(); ++i) {
      const int t = static_cast<int>(i) + 1;
      if (t <= raw[v].train_count) keiyo.train_id[v][t] = raw[v].trains[i].id;
      for (int c = 1; c <= kKeiyoTimeColumns; ++c) keiyo.times[v][t][c] = raw[v].trains[i].time[c];
    }
  }
  return true;
}

bool load_sinkansen_stations(const DataFile& file, const Directory& dir, SinkansenTables& sin,
                             DataError& err) {
  std::array<RawSinDirection, kSinDirections + 1> raw{};
  int count = 0;
  if (!read_sin_stations(file, dir, raw, count, err)) return false;
  sin.station_count = count;
  for (int d = 1; d <= kSinDirections; ++d) {
    sin.station_name[d] = raw[d].station;
    sin.station_flag[d] = raw[d].flag;
  }
  return true;
}

bool load_sinkansen_trains(const DataFile& file, const Directory& dir, SinkansenTables& sin,
                           DataError& err) {
  std::array<RawSinDirection, kSinDirections + 1> raw{};
  if (!read_sin_trains(file, dir, dir.edition_code(), raw, err)) return false;
  for (int d = 1; d <= kSinDirections; ++d) {
    sin.train_count[d] = raw[d].train_count;
    sin.train_id[d].fill(std::string());
    sin.op_day[d].fill(0);
    sin.car_type[d].fill(std::string());
    for (auto& row : sin.times[d]) row.fill(0);
    for (std::size_t i = 0; i < raw[d].trains.size(); ++i) {
      const int t = static_cast<int>(i) + 1;
      const auto& tr = raw[d].trains[i];
      sin.train_id[d][t] = tr.id;
      sin.op_day[d][t] = tr.op_day;
      sin.car_type[d][t] = tr.car_type;
      for (int s = 1; s <= kMaxSinStations; ++s) sin.times[d][s][t] = tr.time[s];
    }
  }
  return true;
}

}  // namespace ravolin::data
