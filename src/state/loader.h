// SPDX-License-Identifier: MIT
// The start-up loading sequence shared by the main window and ravolin-tool.
#pragma once

#include "data/data_file.h"
#include "data/fare_tables.h"
#include "data/hotel_tables.h"
#include "data/tables.h"

#include <functional>
#include <string>

namespace ravolin::data {

// Opens `data_path`, reads the directory (load_directory) and the edition (slot 23 must be
// 1..3), then the area list (progress 1), district names (2), the Keiyo stations and trains
// (3, 4; only when keiyo_use is 1), the Shinkansen stations and trains (5, 6) and the fare
// tables (7), calling progress(step) after each and `block_hook` once per block read; the
// file is closed at the end. Returns false with the first error; the tables may then be
// partly filled and must not be used.
bool load_sections(const std::string& data_path, int keiyo_use, ScheduleData& data,
                   hotels::DistrictNames& districts, fares::FareTables& fares,
                   const std::function<void(int step)>& progress, DataError& err,
                   const std::function<void()>& block_hook = {});

// Only the directory and the edition (the first start-up step).
bool load_edition(const std::string& data_path, Directory& dir, const Edition*& edition,
                  DataError& err);

}  // namespace ravolin::data
