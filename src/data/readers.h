// SPDX-License-Identifier: MIT
// The start-up readers of the schedule sections. Each positions the data file itself,
// fills its tables and returns true; a damaged section leaves the tables untouched and
// returns false with a DataError naming the file, the section and the reason.
#pragma once

#include "data/data_file.h"
#include "data/tables.h"

namespace ravolin::data {

// The section directory from the last 1024 bytes (every slot must lie in 0..32767).
bool load_directory(const DataFile& file, Directory& dir, DataError& err);
// Area list: names from block 0, region and second codes from block 1.
bool load_areas(const DataFile& file, AreaTable& areas, DataError& err);
bool load_keiyo_stations(const DataFile& file, const Directory& dir, KeiyoTables& keiyo,
                         DataError& err);
// Needs the Keiyo identifiers; reads them from the same section.
bool load_keiyo_trains(const DataFile& file, const Directory& dir, KeiyoTables& keiyo,
                       DataError& err);
bool load_sinkansen_stations(const DataFile& file, const Directory& dir, SinkansenTables& sin,
                             DataError& err);
// Car-type codes depend on the edition code (slot 23 of `dir`).
bool load_sinkansen_trains(const DataFile& file, const Directory& dir, SinkansenTables& sin,
                           DataError& err);

}  // namespace ravolin::data
