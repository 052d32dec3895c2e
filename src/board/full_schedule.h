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
#include <vector>

namespace ravolin::board {

// One last stop of an English timetable: its mark in the entries and its name.
struct DestinationMark {
  std::string mark;  // two letters ("Hk"), or one full-width character for a Japanese name
  std::string name;  // as shown
};

struct FullSchedule {
  std::string caption;  // frame caption, as the board list's caption
  std::string text;     // rows "hh|entries" separated by CR LF
  std::string note;     // the note on the marks
  // English Shinkansen tables: the last stops' marks, in order along the line (empty in
  // Japanese, where each entry starts with the first character of the last stop's name).
  std::vector<DestinationMark> key;
};

// The key as one line: "Last stop: Od = Odawara  Hk = Hakata"; empty for no key.
// `inner_space` joins a mark, "=" and its name (a window that wraps the line passes a
// no-break space to keep each pair together).
std::string destination_key_text(const std::vector<DestinationMark>& key,
                                 const std::string& inner_space = " ");

// Shinkansen table of the day; the note depends on the edition code (1..3). In English
// the initials would collide (Hakata, Hiroshima, Hamamatsu), so each last stop gets a
// two-column mark unique in the table ("Hk", "Hr", "Hm") and the table a key; the note is
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
