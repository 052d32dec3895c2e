// SPDX-License-Identifier: MIT
#include "state/loader.h"

#include "data/fare_reader.h"
#include "data/hotel_reader.h"
#include "data/raw_data.h"
#include "data/readers.h"

namespace ravolin::data {

bool load_edition(const std::string& data_path, Directory& dir, const Edition*& edition,
                  DataError& err) {
  DataFile file;
  if (!file.open(data_path, err)) return false;
  return load_directory(file, dir, err) && edition_of(file, dir, edition, err);
}

bool load_sections(const std::string& data_path, int keiyo_use, ScheduleData& data,
                   hotels::DistrictNames& districts, fares::FareTables& fares,
                   const std::function<void(int step)>& progress, DataError& err,
                   const std::function<void()>& block_hook) {
  DataFile file;
  if (!file.open(data_path, err)) return false;
  file.block_hook = block_hook;
  auto step = [&](int n) {
    if (progress) progress(n);
    return true;
  };
  bool ok =
      load_directory(file, data.directory, err) &&
      edition_of(file, data.directory, data.edition, err) && load_areas(file, data.areas, err) &&
      step(1) && hotels::load_district_names(file, data.directory, districts, err) && step(2) &&
      (keiyo_use != 1 || (load_keiyo_stations(file, data.directory, data.keiyo, err) && step(3) &&
                          load_keiyo_trains(file, data.directory, data.keiyo, err) && step(4))) &&
      load_sinkansen_stations(file, data.directory, data.sin, err) && step(5) &&
      load_sinkansen_trains(file, data.directory, data.sin, err) && step(6) &&
      fares::load_fare_tables(file, data.directory, data.sin, fares, err) && step(7);
  file.close();
  return ok;
}

}  // namespace ravolin::data
