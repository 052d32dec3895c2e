// SPDX-License-Identifier: MIT
// The application state: everything the windows share, owned by main() and handed to
// every window by reference. Tables are filled at start-up and read-only afterwards;
// settings, dates and board state change as the windows work.
#pragma once

#include "board/board.h"
#include "calendar/clock.h"
#include "calendar/dates.h"
#include "data/fare_tables.h"
#include "data/hotel_tables.h"
#include "data/place_names.h"
#include "data/tables.h"
#include "hotels/hotel_list.h"
#include "search/engine.h"
#include "settings/settings.h"
#include "state/platform.h"
#include "state/tray.h"
#include "text/language.h"

#include <functional>
#include <string>

namespace ravolin::app {

// The help file of the English windows, beside the Japanese one and with its topic numbers.
inline constexpr const char* kEnglishHelpFileName = "ravolin2_en.hlp";

// The platform services, real in the program and fakes in the tests.
struct Platform {
  calendar::Clock& clock;
  ui::MessageBoxes& messages;
  ui::HelpViewer& help;
  ui::Printer& printer;
  ui::Tray* tray = nullptr;  // none: no tray icon
};

class AppState {
 public:
  AppState(std::string program_folder, Platform platform);
  AppState(const AppState&) = delete;
  AppState& operator=(const AppState&) = delete;

  // ---- where the files are -------------------------------------------------
  // The program folder (trimmed of blanks) and the files in it.
  const std::string& program_folder() const { return program_folder_; }
  std::string path_of(const std::string& file_name) const;
  std::string data_path() const;
  // The help file in the language of the run: the English one when the windows are
  // English and it is there, else the Japanese one.
  std::string help_path() const;
  // The folder of the files the program writes: the program folder unless main() hands
  // in the user's own folder (an installed, shared program folder is never written).
  const std::string& user_folder() const { return user_folder_; }
  void set_user_folder(std::string folder);
  // False when there is no folder of the user's own: the user folder is then a scratch
  // copy for this run only and the settings are not stored at exit.
  bool keeps_changes() const { return keeps_changes_; }
  void set_keeps_changes(bool keeps) { keeps_changes_ = keeps; }
  // The edition's settings file in the user folder; empty before the edition is known.
  std::string settings_path() const;
  // The user's own hotels (hotelusr.csv) in the user folder.
  std::string user_hotels_path() const;

  // ---- platform ----------------------------------------------------------------
  calendar::Clock& clock() const { return platform_.clock; }
  ui::MessageBoxes& messages() const { return platform_.messages; }
  ui::HelpViewer& help() const { return platform_.help; }
  ui::Printer& printer() const { return platform_.printer; }
  ui::Tray* tray() const { return platform_.tray; }
  // Ends the program (closes every window and leaves the event loop). Tests replace it.
  std::function<void()> end_program;
  // Processes pending window events during long work (loading, searching).
  std::function<void()> process_events;

  // ---- language ----------------------------------------------------------------------
  // The language of the windows and of the texts the core builds for them; chosen at
  // start-up (command line, settings file, desktop locale) and fixed for the run.
  text::Language language = text::Language::kJapanese;
  bool english() const { return language == text::Language::kEnglish; }
  // English was chosen but its window texts (ravolin_en.qm) could not be read: the
  // windows keep their Japanese texts, and the start-up says so.
  bool english_texts_missing = false;

  // ---- tables (read-only after start-up) ------------------------------------------
  data::ScheduleData schedule;
  data::PlaceNames place_names;  // English names of stations and areas (may be empty)
  data::PlaceNames hotel_words;  // English of the hotel remarks and access texts (may be empty)
  fares::FareTables fares;
  hotels::DistrictNames districts;
  hotels::HotelTable hotels;
  bool hotels_loaded = false;  // the hotel table is read when the hotel list first opens

  // ---- hotel directory ------------------------------------------------------------
  hotels::HotelSelection hotel_selection;  // the area, district filter and list shown

  // ---- settings ---------------------------------------------------------------
  settings::Settings settings;

  // ---- dates and clock ------------------------------------------------------------
  calendar::SystemTime system_time;  // the system clock as last captured
  calendar::ServiceDate service_date;
  calendar::ProgramClock program_clock;
  calendar::DayFlags day_flags;  // of the service date
  calendar::SearchDate search_date;
  calendar::DayFlags search_day_flags;  // of the search date
  int holiday_eve = 0;

  // ---- departure board ------------------------------------------------------------
  board::SinkansenBoard sinkansen_board;
  board::KeiyoBoard keiyo_board;

  // ---- route search ------------------------------------------------------------------
  search::SearchConditions search_conditions;
  search::SearchResult search_result;
  search::RouteSearch route_search;  // one engine for the program's life (keeps its work tables)

  // Convenience: the edition code (0 before the data file is read).
  int edition_code() const { return schedule.edition ? schedule.edition->code : 0; }

 private:
  std::string program_folder_;
  std::string user_folder_;
  bool keeps_changes_ = true;
  Platform platform_;
};

}  // namespace ravolin::app
