// SPDX-License-Identifier: MIT
// A program folder as ravolin-tool sees it: the data file "ravolinh.dat" and the
// edition's settings file beside it, loaded the way the program loads them at start-up.
#pragma once

#include "calendar/dates.h"
#include "data/fare_tables.h"
#include "data/hotel_tables.h"
#include "data/place_names.h"
#include "data/tables.h"
#include "settings/settings.h"

#include <string>

namespace ravolin::tool {

struct LoadedFolder {
  std::string dir;
  std::string data_path;      // DIR/ravolinh.dat
  std::string settings_path;  // DIR/ravolin2.ini (or 3, 4 by edition)
  data::ScheduleData data;    // the Keiyo tables only when keiyo_use is 1
  hotels::DistrictNames districts;
  fares::FareTables fares;
  settings::Settings settings;
  data::PlaceNames place_names;  // English names from DIR/ravolin_names_en.tsv, if there
  std::string names_fault;       // why that file was refused (the names are then empty)
  data::PlaceNames
      hotel_words;  // English hotel remarks and access from DIR/ravolin_hotel_words_en.tsv
};

// Loads DIR as the program starts up: the edition from the data file's directory, then
// the edition's settings file, then every section (the Keiyo ones only when keiyo_use is
// 1). False with a message naming the file and the reason when the folder, the data file
// or the settings file cannot be read (unlike the program, which would start with empty
// settings, a tool run on a folder without its settings file is a mistake worth telling).
// The English place names are read too: a folder without them shows names in Japanese; a
// broken names file leaves them empty and its fault in names_fault.
// LoadedFolder is large: keep it on the heap.
bool load_program_folder(const std::string& dir, LoadedFolder& out, std::string& error);

// load_program_folder for a subcommand printing texts in `language`: false after the
// message ("ravolin-tool COMMAND: ...") when the folder cannot be read, or when its names
// file is broken and the texts are English; a broken names file under Japanese texts is
// only warned about.
bool open_program_folder(const char* command, const std::string& dir, text::Language language,
                         LoadedFolder& out);

// "YYYY-MM-DD HH:MM" (a single blank between date and time, or a "T"); false for any
// other form or a date or time that does not exist.
bool parse_at(const std::string& text, calendar::SystemTime& out);

// The service date's day-type flags and the program time at a given moment, as the main
// window computes them on a refresh (no clock correction).
struct BoardMoment {
  calendar::ServiceDate service;
  calendar::DayFlags flags;
  double program_time = 0.0;
};
BoardMoment moment_at(const calendar::SystemTime& now, const settings::Settings& s);

}  // namespace ravolin::tool
