// SPDX-License-Identifier: MIT
// What an English search window says when a station box holds no station of the corridor:
// the field, what was typed and the nearest station names ("Osaka" → Shin-Osaka), where the
// Japanese window says only 入力エラーです.
#pragma once

#include "data/place_names.h"
#include "data/tables.h"

#include <string>
#include <vector>

namespace ravolin::search {

// Up to `most` stations of the corridor (direction-1 rows with flag 0 or 1) by their English
// names, nearest to `typed` first: names that hold what was typed ("Osaka" in "Shin-Osaka"),
// then names a few letters away ("Nagoja"). Case, blanks, hyphens and marks are ignored.
std::vector<std::string> nearest_stations(const data::SinkansenTables& sin,
                                          const std::string& typed, const data::PlaceNames& names,
                                          std::size_t most = 3);

// "Departure station: "Osaka" is not a station of this line. Did you mean Shin-Osaka?"
// (field "Departure station" or "Arrival station"; "Enter a station" when nothing was typed).
std::string station_refusal(const data::SinkansenTables& sin, const std::string& field,
                            const std::string& typed, const data::PlaceNames& names);

}  // namespace ravolin::search
