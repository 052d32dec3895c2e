#include "state/loader.h"

#include "data/raw_data.h"
#include "data/readers.h"
#include "data/fare_reader.h"
#include "data/hotel_reader.h"

namespace ravolin::data {

bool load_edition(const std::string& data_path, Directory& dir, const Edition*& edition,
                  DataError& err) {
  DataFile file;
  if (!file.open(data_path, err)) return false;
  return get_control(file, dir, err) && edition_of(file, dir, edition, err);
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
  bool ok = get_control(file, data.directory, err) &&
            edition_of(file, data.directory, data.edition, err) &&
            get_hatyaku(file, data.areas, err) && step(1) &&
            hotels::get_tiku(file, data.directory, districts, err) && step(2) &&
            (keiyo_use != 1 ||
             (get_keiyo_station(file, data.directory, data.keiyo, err) && step(3) &&
              get_keiyo_time(file, data.directory, data.keiyo, err) && step(4))) &&
            get_sinkansen_station(file, data.directory, data.sin, err) && step(5) &&
            get_sinkansen_time(file, data.directory, data.sin, err) && step(6) &&
            fares::get_paytable(file, data.directory, data.sin, fares, err) && step(7);
  file.close();
  return ok;
}

}  // namespace ravolin::data
