// SPDX-License-Identifier: MIT
// The later stops of the train on one board line, as the passing-station window shows
// them: "東京(10:00) → 名古屋(11:40)" and, for a Shinkansen train, its rolling-stock note.
#pragma once

#include "board/board.h"
#include "data/tables.h"

#include <string>

namespace ravolin::board {

// Between two stops of the text.
inline constexpr const char* kStopSeparator = " → ";

// Text for Shinkansen list line `index` (0-based, as a double-click hands it); empty when
// the line carries no train (an empty-list message, or no such line). In English the stops
// read "Tokyo (10:00) → Nagoya (11:40)", names shown through `names`.
std::string passing_stations_sinkansen(const data::SinkansenTables& t, const SinkansenBoard& b,
                                       int index,
                                       text::Language language = text::Language::kJapanese,
                                       const data::PlaceNames& names = data::PlaceNames::none());
std::string passing_stations_keiyo(const data::KeiyoTables& t, const KeiyoBoard& b, int index,
                                   text::Language language = text::Language::kJapanese,
                                   const data::PlaceNames& names = data::PlaceNames::none());
// The stops of train m of direction d from station row `from_row` on, with its
// rolling-stock note (the diagram's double-click shows a whole train this way).
std::string passing_stations_of_train(const data::SinkansenTables& t, int d, int m, int from_row,
                                      text::Language language = text::Language::kJapanese,
                                      const data::PlaceNames& names = data::PlaceNames::none());
// By satellite-window mode: 1 Keiyo, 2 Shinkansen, anything else empty.
std::string passing_stations(int mode, const data::ScheduleData& data, const SinkansenBoard& sin,
                             const KeiyoBoard& keiyo, int index,
                             text::Language language = text::Language::kJapanese,
                             const data::PlaceNames& names = data::PlaceNames::none());

}  // namespace ravolin::board
