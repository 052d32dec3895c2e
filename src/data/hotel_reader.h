// SPDX-License-Identifier: MIT
// load_district_names (district names, a start-up step) and load_hotels (the hotel section,
// read when the hotel list first opens).
#pragma once

#include "data/data_file.h"
#include "data/hotel_tables.h"
#include "data/tables.h"

#include <functional>
#include <string>

namespace ravolin::hotels {

// District names from the section of directory slot 2 (at most 200).
bool load_district_names(const data::DataFile& file, const data::Directory& dir,
                         DistrictNames& names, data::DataError& err);

// The hotel section (slot 9) into the positions after the user's hotels
// (table.user_hotel_count must already be set); sets file_hotel_count. Areas beginning
// with 東京 / 大阪 are stored as "東京" / "大阪"; remarks are cut or padded to 8
// characters. More than 1000 hotels in all, an area number above 100 or a district number
// above 200 is refused: the file's hotels are then not loaded (file_hotel_count 0) and the
// user's hotels stay as they are.
bool load_hotels(const data::DataFile& file, const data::Directory& dir,
                 const data::AreaTable& areas, const DistrictNames& districts, HotelTable& table,
                 data::DataError& err);

// load_hotels on the data file at `data_path` (opened for this read and closed again), with
// `block_hook` called once per block so a window can process pending events.
bool load_hotels(const std::string& data_path, const data::Directory& dir,
                 const data::AreaTable& areas, const DistrictNames& districts, HotelTable& table,
                 data::DataError& err, const std::function<void()>& block_hook = {});

// "東京…" -> "東京", "大阪…" -> "大阪" (after trimming blanks); other names unchanged.
std::string normalise_area(const std::string& area);

}  // namespace ravolin::hotels
