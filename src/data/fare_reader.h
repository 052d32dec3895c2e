// SPDX-License-Identifier: MIT
// load_fare_tables: the five fare sections of the data file into the fare tables.
#pragma once

#include "data/data_file.h"
#include "data/fare_tables.h"
#include "data/tables.h"

namespace ravolin::fares {

// Reads slots 11..14 and, in edition 1 (slot 23), slot 15; station numbers become the
// names of the direction-1 rows of `sin` (0 gives an empty name). A section with more rows
// than its table, a station number above 50 or a 16-bit field that does not fit is refused:
// `tables` is left untouched and `err` says why.
bool load_fare_tables(const data::DataFile& file, const data::Directory& dir,
                      const data::SinkansenTables& sin, FareTables& tables, data::DataError& err);

}  // namespace ravolin::fares
