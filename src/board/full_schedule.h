// SPDX-License-Identifier: MIT
// The whole day's departures from the user's station as an hour-by-minute table, as the
// full schedule window holds it.
#pragma once

#include "calendar/dates.h"
#include "data/place_names.h"
#include "data/tables.h"
#include "settings/settings.h"
#include "text/language.h"

#include <string>

namespace ravolin::board {

struct FullSchedule {
  std::string caption;  // frame caption, as the board list's caption
  std::string text;     // rows "hh|entries" separated by CR LF
  std::string note;     // the note on the marks
};

// Shinkansen table of the day; the note depends on the edition code (1..3). In English the
// mark of a train's last stop is the first letter of its English name, and the note is
// English.
FullSchedule full_schedule_sinkansen(const data::SinkansenTables& t, const settings::Settings& s,
                                     const calendar::DayFlags& flags, int edition_code,
                                     text::Language language = text::Language::kJapanese,
                                     const data::PlaceNames& names = data::PlaceNames::none());
// Keiyo table of the day's schedule (rapid trains marked "快", in English "R").
FullSchedule full_schedule_keiyo(const data::KeiyoTables& t, const settings::Settings& s,
                                 const calendar::DayFlags& flags,
                                 text::Language language = text::Language::kJapanese,
                                 const data::PlaceNames& names = data::PlaceNames::none());
// By satellite-window mode: 1 Keiyo, 2 Shinkansen, anything else an empty result.
FullSchedule full_schedule(int mode, const data::ScheduleData& data, const settings::Settings& s,
                           const calendar::DayFlags& flags,
                           text::Language language = text::Language::kJapanese,
                           const data::PlaceNames& names = data::PlaceNames::none());

}  // namespace ravolin::board
