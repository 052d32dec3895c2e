// SPDX-License-Identifier: MIT
// The checks of the search conditions fields, shared by the conditions window and
// ravolin-tool. Each check takes the field texts, may write a field's default into an
// empty field, and returns its verdict (err_flg 0 accepted, 1 refused) with the text
// it puts on the message line, if it touches that line.
#pragma once

#include "calendar/dates.h"
#include "data/tables.h"
#include "search/conditions.h"
#include "settings/settings.h"
#include "settings/settings_form.h"
#include "text/language.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ravolin::search {

inline constexpr const char* kMsgInputError = "入力エラーです";
inline constexpr const char* kMsgDepartRange = "発車時刻の範囲を２時間以内としてください";
inline constexpr const char* kMsgForbiddenPair = "指定できない組み合わせです";
inline constexpr const char* kMsgTwoTransfers = "乗り換え回数が２回の場合、検索に時間がかかります";

// A message of the checks above (or "") in `language`; any other text as it stands.
std::string check_message(const std::string& message, text::Language language);

// The verdict of a field check, the same as the settings window's checks give. A check
// that "clears" the message line (Text12) gives "" as its message when it accepts;
// nullopt leaves the line as it is.
using settings::FieldCheck;

// The names of the corridor's stations (a direction-1 row with flag 0 or 1): the
// departure station, and the arrival station, which must be another one.
FieldCheck check_departure_station(const data::SinkansenTables& sin, const std::string& departure);
FieldCheck check_arrival_station(const data::SinkansenTables& sin, const std::string& departure,
                                 const std::string& arrival);
// Hours and minutes of a time window (the departure and the arrival window alike): from
// hour 6..23 (empty: 6), from minute 0..59 (empty: 0), to hour 0..23 (empty: 23), to
// minute 0..59 (empty: 59) and not before the start.
FieldCheck check_from_hour(std::string& hour);
FieldCheck check_from_minute(std::string& minute);
FieldCheck check_to_hour(std::string& hour);
FieldCheck check_to_minute(const std::string& from_hour, const std::string& from_minute,
                           const std::string& to_hour, std::string& to_minute);
// Waiting time 0..120 minutes (empty: 60).
FieldCheck check_wait_minutes(std::string& minutes);
// Travel date: year (not before system_year), month, day. An accepted value is stored
// in the search date.
FieldCheck check_travel_year(const std::string& year, int system_year, calendar::SearchDate& date);
FieldCheck check_travel_month(const std::string& month, calendar::SearchDate& date);
FieldCheck check_travel_day(const std::string& day, calendar::SearchDate& date);
// Two transfers allow a departure window of at most two hours (hours only).
FieldCheck check_two_transfer_window(const std::string& from_hour, const std::string& to_hour,
                                     bool two_transfers);
// Station pairs that editions 2 and 3 cannot search.
FieldCheck check_station_pair(const data::SinkansenTables& sin, int edition_code,
                              const std::string& departure, const std::string& arrival);

// The conditions window's text boxes by the number of their control (TextN).
enum FormBox : int {
  kDepartureStation = 1,
  kDepartFromHour,
  kDepartFromMinute,
  kDepartToHour,
  kDepartToMinute,
  kArrivalStation,
  kArriveFromHour,
  kArriveFromMinute,
  kArriveToHour,
  kArriveToMinute,
  kWaitMinutes,
  kMessageLine,
  kTravelYear,
  kTravelMonth,
  kTravelDay,
};

// The conditions window's fields: text[1]..text[15] are Text1..Text15 (see FormBox).
struct ConditionForm {
  std::array<std::string, 16> text{};
  int sort_option = 3;         // 1, 2 or 3: which of Option1..Option3 is selected
  bool two_transfers = false;  // Option5 (else Option4)
  bool one_per_train = true;   // Option6 (else Option7)
};

// The check of one box of the form (FormBox, all but the message line) as Enter runs
// it: defaults are written into the form, and the date boxes store an accepted part in
// `date`.
FieldCheck check_form_box(const data::SinkansenTables& sin, int system_year, int box,
                          ConditionForm& form, calendar::SearchDate& date);

// The weekday beside the travel date, "(aaa)", for the year, month and day fields as
// they read (numbers as the checks read them); "" when they do not make a date.
// In English "(Mon)".
std::string weekday_label(std::string_view year, std::string_view month, std::string_view day,
                          text::Language language = text::Language::kJapanese);

// The fields as the conditions window opens, from the saved conditions, the sort order
// of this run and the search date (the system date while the search date has no day
// number yet). `weekday` is Label21, the weekday of the date shown, "(aaa)": a search
// refused at the day leaves the search date with a new year and month beside its old
// day, and its weekday goes with the date the fields show, none when they show no date.
struct FormFill {
  ConditionForm form;
  std::string weekday;
};
FormFill fill_conditions_form(const settings::Settings& saved, int sort_order,
                              const calendar::SearchDate& date, const calendar::SystemTime& system);

// What a search start stores: the conditions, and the travel date with its day-type
// flags.
struct SearchRequest {
  SearchConditions cond;
  calendar::SearchDate date;
  calendar::DayFlags flags;
};

struct StartResult {
  int err_flg = 0;
  std::string field;                   // control that gets the focus on a refusal ("Text5")
  bool confirm_two_transfers = false;  // ask kMsgTwoTransfers before searching
  // The refusing check's own message ("" or none when it has none): the message line may
  // still show an older one.
  std::optional<std::string> message;
};

// The search start up to the confirmation: runs the checks in the window's order
// (writing defaults and the message line into `form`), stores the sort order and the
// travel date as it goes and, when everything is accepted, the stations, times,
// waiting time and number of transfers. The combination is stored by
// store_combination once the confirmation (if any) has been accepted.
StartResult search_start(const data::SinkansenTables& sin, int edition_code, int system_year,
                         const calendar::HolidayList& holidays, ConditionForm& form,
                         SearchRequest& request);
void store_combination(const ConditionForm& form, SearchConditions& cond);

}  // namespace ravolin::search
