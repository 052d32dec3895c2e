// SPDX-License-Identifier: MIT
// The data file readers on any bytes: the program's start-up readers, the hotel reader
// and the whole-file reader behind dump and export never crash, and a file the whole-file
// reader accepts exports to sources that build into a file it accepts and exports the same
// way (the bytes may differ: padding, section places, bytes no reader looks at).
#include "data/fare_reader.h"
#include "data/hotel_reader.h"
#include "data/raw_data.h"
#include "data/readers.h"
#include "data/sources.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace ravolin;
  const data::DataFile file("fuzz.dat", std::vector<std::uint8_t>(data, data + size));

  // The start-up order of the program's readers.
  static auto tables = std::make_unique<data::ScheduleData>();
  static auto districts = std::make_unique<hotels::DistrictNames>();
  static auto fare_tables = std::make_unique<fares::FareTables>();
  static auto hotel_table = std::make_unique<hotels::HotelTable>();
  *tables = data::ScheduleData{};
  data::DataError err;
  if (data::load_directory(file, tables->directory, err) &&
      data::edition_of(file, tables->directory, tables->edition, err)) {
    const auto& dir = tables->directory;
    (void)(data::load_areas(file, tables->areas, err) &&
           hotels::load_district_names(file, dir, *districts, err) &&
           data::load_keiyo_stations(file, dir, tables->keiyo, err) &&
           data::load_keiyo_trains(file, dir, tables->keiyo, err) &&
           data::load_sinkansen_stations(file, dir, tables->sin, err) &&
           data::load_sinkansen_trains(file, dir, tables->sin, err) &&
           fares::load_fare_tables(file, dir, tables->sin, *fare_tables, err) &&
           hotels::load_hotels(file, dir, tables->areas, *districts, *hotel_table, err));
  }

  auto raw = std::make_unique<data::RawData>();
  if (!data::read_image(file, *raw, err)) {
    if (err.reason.empty()) std::abort();  // a refusal always says why
    return 0;
  }
  auto again = std::make_unique<data::RawData>();
  auto back = std::make_unique<data::RawData>();
  std::vector<data::SourceError> errors;
  std::vector<std::uint8_t> rebuilt;
  std::string reason;
  const data::SourceFiles exported = data::write_sources(*raw);
  if (!data::parse_sources(exported, *again, errors) ||
      !data::write_image(*again, rebuilt, reason) ||
      !data::read_image(data::DataFile("rebuilt.dat", rebuilt), *back, err) ||
      data::write_sources(*back) != exported) {
    std::fprintf(stderr, "an accepted file does not rebuild from its exported sources\n");
    std::abort();
  }
  return 0;
}
