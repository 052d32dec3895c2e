// SPDX-License-Identifier: MIT
// The departure board: which trains the two lists show, in which order, and the exact
// text of every line. Everything here works on the shared tables and plain values, so
// the main window, the settings and correction windows and ravolin-tool all build the
// same lines through the same functions.
#pragma once

#include "calendar/dates.h"
#include "data/place_names.h"
#include "data/tables.h"
#include "settings/settings.h"
#include "text/language.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace ravolin::board {

// The candidate list holds at most this many trains; further qualifying trains (in
// train order) are left out.
inline constexpr int kMaxCandidates = 200;
// Lines a list can map back to a train (1-based line numbers).
inline constexpr int kSinRowMapSize = data::kMaxSinTrains;      // 250
inline constexpr int kKeiyoRowMapSize = data::kMaxKeiyoTrains;  // 200

inline constexpr const char* kHurryMark = "急げ!!";
inline constexpr const char* kNotRunningYet = "この時間は運行していません";
inline constexpr const char* kServiceEnded = "本日の運行は終了しました";
// The same in English.
inline constexpr const char* kHurryMarkEnglish = "Hurry!";
inline constexpr const char* kNotRunningYetEnglish = "Service has not started yet";
inline constexpr const char* kServiceEndedEnglish = "Service has ended for today";

// Satellite-window modes: what the full schedule and passing-station windows show.
inline constexpr int kModeKeiyo = 1;
inline constexpr int kModeSinkansen = 2;

// The hhmm thresholds of one list at the program clock's hour and minute.
struct Thresholds {
  int window_end = 0;      // (H + 2) * 100 + M: trains at or after it are not shown (limit 0)
  int normal_arrival = 0;  // arrival at the station at normal pace
  int hurry_arrival = 0;   // arrival when hurrying: earlier trains cannot be caught
  int hurry_hour = 0;      // hour of the hurry arrival (may be 24 or more)
};
Thresholds compute_thresholds(int hour, int minute, int normal_minutes, int hurry_minutes);
// hh and mm of a program time (fraction of a day), as the thresholds take them.
void clock_hour_minute(double program_time, int& hour, int& minute);

// Board contexts: what the latest rebuild of a list looked at.
struct SinkansenContext {
  int direction = 0;  // 1 down, 2 up
  int station = 0;    // station row of the user's station; station count + 1 when not found
};
struct KeiyoContext {
  int schedule = 0;  // 1..4
  int station = 0;   // station index in the schedule; station count + 1 when not found
};

// One rebuilt list: the frame caption, the list lines and, for list line r (1-based),
// the train it shows in row_map[r]. Lines without a train (the empty-list messages) and
// every line past the latest rebuild map to 0.
struct SinkansenBoard {
  std::string caption;
  std::vector<std::string> lines;
  std::array<int, kSinRowMapSize + 1> row_map{};
  int train_lines = 0;  // lines that carry a train (0 when the list shows a message)
  SinkansenContext context;
};
struct KeiyoBoard {
  std::string caption;
  std::vector<std::string> lines;
  std::array<int, kKeiyoRowMapSize + 1> row_map{};
  int train_lines = 0;
  KeiyoContext context;
};

// Direction of the Shinkansen list: 1 when sinkansen_flg is 1, else 2.
int sinkansen_direction(const settings::Settings& s);
// Keiyo schedule 1..4 from the day-off flag and keiyo_flg.
int keiyo_schedule(const settings::Settings& s, const calendar::DayFlags& flags);
// Frame captions: "新幹線（下り）  東京", "京葉線（土休日上り）  舞浜"; in English
// "Shinkansen (down)  Tokyo", "Keiyo Line (weekends & holidays, up)  Maihama".
std::string sinkansen_caption(int direction, const settings::Settings& s,
                              text::Language language = text::Language::kJapanese,
                              const data::PlaceNames& names = data::PlaceNames::none());
std::string keiyo_caption(int schedule, const settings::Settings& s,
                          text::Language language = text::Language::kJapanese,
                          const data::PlaceNames& names = data::PlaceNames::none());
// The user's station: first row with flag 0 or 2 (Shinkansen) or first index (Keiyo)
// whose name equals the setting exactly; station count + 1 when none does.
int find_sinkansen_station(const data::SinkansenTables& t, int direction, std::string_view name);
int find_keiyo_station(const data::KeiyoTables& t, int schedule, std::string_view name);

// True when train m of direction d has a time at some station row after j (a train
// that ends at the user's station is never listed).
bool serves_later_station(const data::SinkansenTables& t, int direction, int station, int train);
// A Keiyo rapid train (快速): its identifier, blanks trimmed, ends in "A".
bool is_keiyo_rapid(std::string_view train_id);

// Operation-day rule of a code: true when a train of that code does not run on the day.
bool excluded_on_day(int op_day_code, const calendar::DayFlags& flags);
// exclude_if_not_running: sets exclusion (in-out) when train m of direction d does not run on the
// day; an exclusion already set stays set.
void exclude_if_not_running(const data::SinkansenTables& t, int direction, int train,
                            const calendar::DayFlags& flags, int& exclusion);

// Exchange sorts of a candidate list (train indices) by their time at the station,
// ascending; equal times are never swapped with each other directly.
void sort_sinkansen(const data::SinkansenTables& t, int direction, int station, int* trains,
                    int count);
void sort_keiyo(const data::KeiyoTables& t, int schedule, int station, int* trains, int count);

// train_name: the train's display name, e.g. "のぞみ００１N" or "ひかり１２３ ".
std::string train_name(const data::SinkansenTables& t, int direction, int train);
// Board mark of a car-type code ("N5" -> "n"), empty for none.
std::string_view car_type_mark(std::string_view code);
// Note of a car-type code ("N" -> "　【のぞみ型車両】", English "  [Nozomi type cars]"),
// empty for none.
std::string_view car_type_note(std::string_view code,
                               text::Language language = text::Language::kJapanese);
// Name of a Shinkansen type letter ('N' -> "のぞみ", English "Nozomi"), empty for an
// unknown letter.
std::string_view train_type_name(char letter, text::Language language = text::Language::kJapanese);
// English display name of a train for the board: "Nozomi 29" (number without leading
// zeros), padded so that the car-type mark (or a blank) sits in the same column on
// every line: "Nozomi 29   E".
std::string train_name_english(const data::SinkansenTables& t, int direction, int train);
// The number part of a Shinkansen identifier as three digits ("1" -> "001", blanks
// around it dropped); a part that is not a plain number is shown as it stands.
std::string train_number_text(std::string_view rest);
// The same as the English windows and report show it, without leading zeros ("029" -> "29").
std::string english_train_number(std::string_view rest);

// Rebuild the Shinkansen list (List1 and the Frame1 caption), in `language` with the place
// names shown through `names`. English lines: "Nozomi 29     15:56  Hakata (20:48)  Hurry!".
void edit_sinkansen(const data::SinkansenTables& t, const settings::Settings& s,
                    const calendar::DayFlags& flags, double program_time, SinkansenBoard& out,
                    text::Language language = text::Language::kJapanese,
                    const data::PlaceNames& names = data::PlaceNames::none());
// Rebuild the Keiyo list (List2 and the Frame2 caption); does nothing unless keiyo_use is 1.
// English lines: "Rapid 05:25  Shin-Narashino (05:40)", "Local 05:34  Maihama (05:34)".
void edit_keiyo(const data::KeiyoTables& t, const settings::Settings& s,
                const calendar::DayFlags& flags, double program_time, KeiyoBoard& out,
                text::Language language = text::Language::kJapanese,
                const data::PlaceNames& names = data::PlaceNames::none());

}  // namespace ravolin::board
