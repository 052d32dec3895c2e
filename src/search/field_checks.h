// The checks of the search conditions fields, shared by the conditions window and
// ravolin-tool. Each check takes the field texts, may write a field's default into an
// empty field, and returns its verdict (err_flg 0 accepted, 1 refused) with the text
// it puts on the message line, if it touches that line.
#pragma once

#include "calendar/dates.h"
#include "data/tables.h"
#include "search/engine.h"
#include "settings/settings.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ravolin::search {

inline constexpr const char* kMsgInputError = "入力エラーです";
inline constexpr const char* kMsgDepartRange = "発車時刻の範囲を２時間以内としてください";
inline constexpr const char* kMsgForbiddenPair = "指定できない組み合わせです";
inline constexpr const char* kMsgTwoTransfers = "乗り換え回数が２回の場合、検索に時間がかかります";

struct CheckResult {
  int err_flg = 0;
  // The new text of the message line (Text12) when the check writes it; a check that
  // "clears" writes "" when it accepts. nullopt: the line is left as it is.
  std::optional<std::string> message;
};

// Text1 / Text6: the name of a station of the corridor (a direction-1 row with flag 0 or 1).
CheckResult chk_text1(const data::SinkansenTables& sin, const std::string& text1);
CheckResult chk_text6(const data::SinkansenTables& sin, const std::string& text1,
                      const std::string& text6);
// Hours and minutes of the departure window (Text2..Text5) and of the arrival window
// (Text7..Text10: the same checks).
CheckResult chk_text2(std::string& text2);
CheckResult chk_text3(std::string& text3);
CheckResult chk_text4(std::string& text4);
CheckResult chk_text5(const std::string& text2, const std::string& text3,
                      const std::string& text4, std::string& text5);
inline CheckResult chk_text7(std::string& t) { return chk_text2(t); }
inline CheckResult chk_text8(std::string& t) { return chk_text3(t); }
inline CheckResult chk_text9(std::string& t) { return chk_text4(t); }
inline CheckResult chk_text10(const std::string& t7, const std::string& t8, const std::string& t9,
                              std::string& t10) {
  return chk_text5(t7, t8, t9, t10);
}
// Waiting time 0..120 minutes.
CheckResult chk_text11(std::string& text11);
// Travel date: year (not before system_year), month, day. An accepted value is stored
// in the search date.
CheckResult chk_text13(const std::string& text13, int system_year, calendar::SearchDate& date);
CheckResult chk_text14(const std::string& text14, calendar::SearchDate& date);
CheckResult chk_text15(const std::string& text15, calendar::SearchDate& date);
// Two transfers allow a departure window of at most two hours (hours only).
CheckResult chk_text2_text4(const std::string& text2, const std::string& text4,
                            bool two_transfers);
// Station pairs that editions 2 and 3 cannot search.
CheckResult chk_text1_text6(const data::SinkansenTables& sin, int edition_code,
                            const std::string& text1, const std::string& text6);

// The conditions window's fields: text[1]..text[15] are Text1..Text15 (text[12] is the
// message line).
struct ConditionForm {
  std::array<std::string, 16> text{};
  int sort_option = 3;         // 1, 2 or 3: which of Option1..Option3 is selected
  bool two_transfers = false;  // Option5 (else Option4)
  bool one_per_train = true;   // Option6 (else Option7)
};

// The weekday beside the travel date, "(aaa)", for the year, month and day fields as
// they read (numbers as the checks read them); "" when they do not make a date.
std::string weekday_label(std::string_view year, std::string_view month, std::string_view day);

// set_form1: the fields as the conditions window opens, from the saved conditions, the
// sort order of this run and the search date (the system date while the search date has
// no day number yet). label21 is the weekday of the date shown, "(aaa)": a search refused
// at the day leaves the search date with a new year and month beside its old day, and
// its weekday goes with the date the fields show, none when they show no date.
struct FormFill {
  ConditionForm form;
  std::string label21;
};
FormFill set_form1(const settings::Settings& saved, int sort_order,
                   const calendar::SearchDate& date, const calendar::SystemTime& system);

// The conditions that the search start stores.
struct StoredConditions {
  std::string st_station, ed_station;
  int st_time1 = 0, st_time2 = 0, ed_time1 = 0, ed_time2 = 0;
  int wait_time = 0;
  int wait_count = 1;
  int combination_number = 1;
  int sort_order = 0;
  calendar::SearchDate date;
  calendar::DayFlags flags;  // day-type flags of the search date
};

struct StartResult {
  int err_flg = 0;
  std::string field;           // control that gets the focus on a refusal ("Text5")
  bool confirm_two_transfers = false;  // ask kMsgTwoTransfers before searching
};

// The search start up to the confirmation: runs the checks in the window's order
// (writing defaults and the message line into `form`), stores the sort order and the
// travel date as it goes and, when everything is accepted, the stations, times,
// waiting time and number of transfers. combination_number is stored by
// store_combination once the confirmation (if any) has been accepted.
StartResult search_start(const data::SinkansenTables& sin, int edition_code, int system_year,
                         const calendar::HolidayList& holidays, ConditionForm& form,
                         StoredConditions& stored);
void store_combination(const ConditionForm& form, StoredConditions& stored);

// The stations, time windows, waiting time and number of transfers that the search start
// stored, put into `cond`. The sort order and the combination are left alone: they are
// stored at their own steps.
void store_journey(const StoredConditions& stored, SearchConditions& cond);
// All of the stored conditions as the search conditions.
SearchConditions search_conditions(const StoredConditions& stored);

}  // namespace ravolin::search
