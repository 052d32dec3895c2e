// SPDX-License-Identifier: MIT
#include "search/field_checks.h"

#include "search/engine.h"
#include "text/numbers.h"
#include "text/text.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ravolin::search {

using text::parse_number;
using text::whole_number;

namespace {

const std::string kCleared;

// First direction-d row with flag 0 or 1 named `name`; 0 when there is none.
int station_row(const data::SinkansenTables& sin, int d, std::string_view name) {
  return find_row(sin, d, name, data::kFlagSingle, data::kFlagArrival);
}

bool is_station(const data::SinkansenTables& sin, std::string_view name) {
  return !text::trim(name).empty() && station_row(sin, 1, name) != 0;
}

// An empty field takes its default; then the value must be a number in lo..hi.
FieldCheck range_check(std::string& field, const char* empty_default, double lo, double hi) {
  if (text::trim(field).empty()) field = std::string(empty_default);
  FieldCheck r;
  std::optional<double> v = parse_number(field);
  if (!v || *v < lo || *v > hi) r.err_flg = 1;
  return r;
}

// Value of a field already checked, for comparisons between fields.
std::optional<int> field_value(const std::string& field) {
  std::optional<double> v = parse_number(field);
  if (!v) return std::nullopt;
  return whole_number(*v);
}

// A year, month or day field: a number in lo..hi, stored whole in `part`; otherwise an
// error and `part` unchanged.
FieldCheck date_part(const std::string& field, double lo, double hi, int& part) {
  FieldCheck r;
  std::optional<double> v = parse_number(field);
  if (!v || *v < lo || *v > hi) {
    r.err_flg = 1;
    return r;
  }
  part = whole_number(*v);
  return r;
}

std::string weekday_of_date(int year, int month, int day,
                            text::Language language = text::Language::kJapanese) {
  if (!calendar::is_valid_date(year, month, day)) return {};
  const int weekday = calendar::weekday_of(calendar::day_number(year, month, day));
  std::string shown = "(";
  shown += calendar::weekday_text(weekday, language);
  shown += ')';
  return shown;
}

}  // namespace

std::string check_message(const std::string& message, text::Language language) {
  if (language != text::Language::kEnglish) return message;
  static const std::pair<const char*, const char*> kEnglish[] = {
      {kMsgInputError, "Input error"},
      {kMsgDepartRange, "With up to 2 transfers, keep the departure times within 2 hours"},
      {kMsgForbiddenPair, "This pair of stations cannot be searched"},
      {kMsgTwoTransfers, "With up to 2 transfers the search takes a while"},
  };
  for (const auto& [japanese, english] : kEnglish)
    if (message == japanese) return english;
  return message;
}

FieldCheck check_departure_station(const data::SinkansenTables& sin, const std::string& departure) {
  FieldCheck r;
  r.message = kCleared;
  if (!is_station(sin, departure)) {
    r.err_flg = 1;
    r.message = kMsgInputError;
  }
  return r;
}

FieldCheck check_arrival_station(const data::SinkansenTables& sin, const std::string& departure,
                                 const std::string& arrival) {
  FieldCheck r;
  r.message = kCleared;
  if (text::trim(arrival) == text::trim(departure)) {
    r.err_flg = 1;  // the same station twice: refused without a message
  } else if (!is_station(sin, arrival)) {
    r.err_flg = 1;
    r.message = kMsgInputError;
  }
  return r;
}

FieldCheck check_from_hour(std::string& hour) { return range_check(hour, "6", 6, 23); }
FieldCheck check_from_minute(std::string& minute) { return range_check(minute, "0", 0, 59); }
FieldCheck check_to_hour(std::string& hour) { return range_check(hour, "23", 0, 23); }

FieldCheck check_to_minute(const std::string& from_hour, const std::string& from_minute,
                           const std::string& to_hour, std::string& to_minute) {
  FieldCheck r = range_check(to_minute, "59", 0, 59);
  if (r.err_flg) return r;
  std::optional<int> h1 = field_value(from_hour), m1 = field_value(from_minute),
                     h2 = field_value(to_hour);
  int m2 = whole_number(*parse_number(to_minute));
  // The start fields have checks of their own; an end before a readable start is refused.
  if (h1 && h2 && (*h2 < *h1 || (*h2 == *h1 && m1 && m2 < *m1))) r.err_flg = 1;
  return r;
}

FieldCheck check_wait_minutes(std::string& minutes) { return range_check(minutes, "60", 0, 120); }

FieldCheck check_travel_year(const std::string& year, int system_year, calendar::SearchDate& date) {
  return date_part(year, system_year, 9999, date.year);
}

FieldCheck check_travel_month(const std::string& month, calendar::SearchDate& date) {
  return date_part(month, 1, 12, date.month);
}

FieldCheck check_travel_day(const std::string& day, calendar::SearchDate& date) {
  int length =
      (date.month >= 1 && date.month <= 12) ? calendar::days_in_month(date.year, date.month) : 0;
  return date_part(day, 1, length, date.day);
}

FieldCheck check_two_transfer_window(const std::string& from_hour, const std::string& to_hour,
                                     bool two_transfers) {
  FieldCheck r;
  r.message = kCleared;
  std::optional<int> h1 = field_value(from_hour), h2 = field_value(to_hour);
  if (two_transfers && h1 && h2 && *h2 - *h1 > 2) {
    r.err_flg = 1;
    r.message = kMsgDepartRange;
  }
  return r;
}

FieldCheck check_station_pair(const data::SinkansenTables& sin, int edition_code,
                              const std::string& departure, const std::string& arrival) {
  FieldCheck r;
  r.message = kCleared;
  if (edition_code != 2 && edition_code != 3) return r;
  int b = station_row(sin, 1, departure);
  int a = station_row(sin, 1, arrival);
  int d = 1;
  if (b > a) {
    d = 2;
    b = station_row(sin, 2, departure);
    a = station_row(sin, 2, arrival);
  }
  if (a == 0 || b == 0) return r;  // not stations: their own checks refuse them
  auto in = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
  bool refused = false;
  if (edition_code == 2) {
    if (d == 1)
      refused = in(b, 17, 22) && a > 16;
    else
      refused = in(b, 1, 16) && in(a, 17, 27);
  } else {
    if (d == 1)
      refused = (in(b, 8, 12) && a > 12) || (b >= 16 && a > 16);
    else
      refused = (in(b, 1, 5) && (a == 6 || in(a, 10, 14))) || (in(b, 6, 9) && in(a, 10, 14));
  }
  if (refused) {
    r.err_flg = 1;
    r.message = kMsgForbiddenPair;
  }
  return r;
}

std::string weekday_label(std::string_view year, std::string_view month, std::string_view day,
                          text::Language language) {
  const std::optional<double> y = parse_number(year), m = parse_number(month),
                              d = parse_number(day);
  if (!y || !m || !d) return {};
  return weekday_of_date(whole_number(*y), whole_number(*m), whole_number(*d), language);
}

FormFill fill_conditions_form(const settings::Settings& saved, int sort_order,
                              const calendar::SearchDate& date,
                              const calendar::SystemTime& system) {
  const SearchConditions cond = saved_conditions(saved);
  FormFill fill;
  ConditionForm& f = fill.form;
  auto& t = f.text;
  t[kDepartureStation] = cond.st_station;
  t[kArrivalStation] = cond.ed_station;
  auto split = [&](int hhmm, int hour_box) {
    t[hour_box] = text::format_plain(hhmm / 100);
    t[hour_box + 1] = text::format_plain(hhmm % 100);
  };
  split(cond.st_time1, kDepartFromHour);
  split(cond.st_time2, kDepartToHour);
  split(cond.ed_time1, kArriveFromHour);
  split(cond.ed_time2, kArriveToHour);
  f.sort_option = (sort_order == 1 || sort_order == 2) ? sort_order : 3;
  t[kWaitMinutes] = text::format_plain(cond.wait_time);
  f.two_transfers = cond.wait_count != 1;
  f.one_per_train = cond.combination_number == 1;
  int y = date.year, m = date.month, d = date.day;
  if (date.day_number == 0) {
    y = system.year;
    m = system.month;
    d = system.day;
  }
  t[kTravelYear] = text::format_plain(y);
  t[kTravelMonth] = text::format_plain(m);
  t[kTravelDay] = text::format_plain(d);
  fill.weekday = weekday_of_date(y, m, d);
  return fill;
}

FieldCheck check_form_box(const data::SinkansenTables& sin, int system_year, int box,
                          ConditionForm& form, calendar::SearchDate& date) {
  auto& t = form.text;
  switch (box) {
    case kDepartureStation:
      return check_departure_station(sin, t[box]);
    case kArrivalStation:
      return check_arrival_station(sin, t[kDepartureStation], t[box]);
    case kDepartFromHour:
    case kArriveFromHour:
      return check_from_hour(t[box]);
    case kDepartFromMinute:
    case kArriveFromMinute:
      return check_from_minute(t[box]);
    case kDepartToHour:
    case kArriveToHour:
      return check_to_hour(t[box]);
    case kDepartToMinute:
    case kArriveToMinute:
      return check_to_minute(t[box - 3], t[box - 2], t[box - 1], t[box]);
    case kWaitMinutes:
      return check_wait_minutes(t[box]);
    case kTravelYear:
      return check_travel_year(t[box], system_year, date);
    case kTravelMonth:
      return check_travel_month(t[box], date);
    case kTravelDay:
      return check_travel_day(t[box], date);
    default:
      return {};
  }
}

namespace {

// One check of a search start: the message line takes what it writes; true when it
// refused, with the control of `box` in `res`.
bool refused(const FieldCheck& c, int box, ConditionForm& form, StartResult& res) {
  if (c.message) form.text[kMessageLine] = *c.message;
  if (c.err_flg == 0) return false;
  res.err_flg = 1;
  res.field = "Text" + std::to_string(box);
  res.message = c.message;
  return true;
}

// The checks of a search start in the window's order, up to the travel date; true when
// one refused.
bool refuse_conditions(const data::SinkansenTables& sin, int edition_code, int system_year,
                       ConditionForm& form, calendar::SearchDate& date, StartResult& res) {
  auto& t = form.text;
  for (int box = kDepartureStation; box <= kArriveToMinute; ++box)
    if (refused(check_form_box(sin, system_year, box, form, date), box, form, res)) return true;
  return refused(check_station_pair(sin, edition_code, t[kDepartureStation], t[kArrivalStation]),
                 kDepartureStation, form, res) ||
         refused(check_wait_minutes(t[kWaitMinutes]), kWaitMinutes, form, res) ||
         refused(
             check_two_transfer_window(t[kDepartFromHour], t[kDepartToHour], form.two_transfers),
             kDepartFromHour, form, res);
}

// The travel date's checks; true when one refused. Each accepted part is stored.
bool refuse_travel_date(const data::SinkansenTables& sin, int system_year, ConditionForm& form,
                        calendar::SearchDate& date, StartResult& res) {
  for (int box : {kTravelYear, kTravelMonth, kTravelDay})
    if (refused(check_form_box(sin, system_year, box, form, date), box, form, res)) return true;
  return false;
}

// The accepted fields as the conditions they give (the sort order and the combination
// are left alone: they are stored at their own steps).
void store_journey(const ConditionForm& form, SearchConditions& cond) {
  const auto& t = form.text;
  auto v = [&](int box) { return whole_number(*parse_number(t[box])); };
  cond.st_station = text::trim(t[kDepartureStation]);
  cond.ed_station = text::trim(t[kArrivalStation]);
  cond.st_time1 = v(kDepartFromHour) * 100 + v(kDepartFromMinute);
  cond.st_time2 = v(kDepartToHour) * 100 + v(kDepartToMinute);
  cond.ed_time1 = v(kArriveFromHour) * 100 + v(kArriveFromMinute);
  cond.ed_time2 = v(kArriveToHour) * 100 + v(kArriveToMinute);
  cond.wait_time = v(kWaitMinutes);
  cond.wait_count = form.two_transfers ? 2 : 1;
}

}  // namespace

StartResult search_start(const data::SinkansenTables& sin, int edition_code, int system_year,
                         const calendar::HolidayList& holidays, ConditionForm& form,
                         SearchRequest& request) {
  StartResult res;
  if (refuse_conditions(sin, edition_code, system_year, form, request.date, res)) return res;

  request.cond.sort_order = (form.sort_option == 1 || form.sort_option == 2) ? form.sort_option : 3;

  calendar::SearchDate& date = request.date;
  if (refuse_travel_date(sin, system_year, form, date, res)) return res;
  date.day_number = calendar::day_number(date.year, date.month, date.day);
  date.weekday = calendar::weekday_of(date.day_number);
  request.flags = calendar::set_holiday(holidays, date.month, date.day, date.weekday);

  store_journey(form, request.cond);
  res.confirm_two_transfers = form.two_transfers;
  return res;
}

void store_combination(const ConditionForm& form, SearchConditions& cond) {
  cond.combination_number = form.one_per_train ? 1 : 0;
}

}  // namespace ravolin::search
