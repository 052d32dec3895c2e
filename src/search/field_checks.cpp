#include "search/field_checks.h"

#include "search/engine.h"
#include "text/numbers.h"
#include "text/text.h"

#include <algorithm>
#include <cmath>

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
CheckResult range_check(std::string& field, const char* empty_default, double lo, double hi) {
  if (text::trim(field).empty()) field = std::string(empty_default);
  CheckResult r;
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
CheckResult date_part(const std::string& field, double lo, double hi, int& part) {
  CheckResult r;
  std::optional<double> v = parse_number(field);
  if (!v || *v < lo || *v > hi) {
    r.err_flg = 1;
    return r;
  }
  part = whole_number(*v);
  return r;
}

std::string weekday_of_date(int year, int month, int day) {
  if (!calendar::is_valid_date(year, month, day)) return {};
  std::string label = "(";
  label += text::weekday_name(calendar::weekday_of(calendar::day_number(year, month, day)));
  label += ')';
  return label;
}

}  // namespace

CheckResult chk_text1(const data::SinkansenTables& sin, const std::string& text1) {
  CheckResult r;
  r.message = kCleared;
  if (!is_station(sin, text1)) {
    r.err_flg = 1;
    r.message = kMsgInputError;
  }
  return r;
}

CheckResult chk_text6(const data::SinkansenTables& sin, const std::string& text1,
                      const std::string& text6) {
  CheckResult r;
  r.message = kCleared;
  if (text::trim(text6) == text::trim(text1)) {
    r.err_flg = 1;  // the same station twice: refused without a message
  } else if (!is_station(sin, text6)) {
    r.err_flg = 1;
    r.message = kMsgInputError;
  }
  return r;
}

CheckResult chk_text2(std::string& text2) { return range_check(text2, "6", 6, 23); }
CheckResult chk_text3(std::string& text3) { return range_check(text3, "0", 0, 59); }
CheckResult chk_text4(std::string& text4) { return range_check(text4, "23", 0, 23); }

CheckResult chk_text5(const std::string& text2, const std::string& text3,
                      const std::string& text4, std::string& text5) {
  CheckResult r = range_check(text5, "59", 0, 59);
  if (r.err_flg) return r;
  std::optional<int> h1 = field_value(text2), m1 = field_value(text3), h2 = field_value(text4);
  int m2 = whole_number(*parse_number(text5));
  // The start fields have checks of their own; an end before a readable start is refused.
  if (h1 && h2 && (*h2 < *h1 || (*h2 == *h1 && m1 && m2 < *m1))) r.err_flg = 1;
  return r;
}

CheckResult chk_text11(std::string& text11) { return range_check(text11, "60", 0, 120); }

CheckResult chk_text13(const std::string& text13, int system_year, calendar::SearchDate& date) {
  return date_part(text13, system_year, 9999, date.year);
}

CheckResult chk_text14(const std::string& text14, calendar::SearchDate& date) {
  return date_part(text14, 1, 12, date.month);
}

CheckResult chk_text15(const std::string& text15, calendar::SearchDate& date) {
  int length = (date.month >= 1 && date.month <= 12) ? calendar::days_in_month(date.year, date.month)
                                                     : 0;
  return date_part(text15, 1, length, date.day);
}

CheckResult chk_text2_text4(const std::string& text2, const std::string& text4,
                            bool two_transfers) {
  CheckResult r;
  r.message = kCleared;
  std::optional<int> h1 = field_value(text2), h2 = field_value(text4);
  if (two_transfers && h1 && h2 && *h2 - *h1 > 2) {
    r.err_flg = 1;
    r.message = kMsgDepartRange;
  }
  return r;
}

CheckResult chk_text1_text6(const data::SinkansenTables& sin, int edition_code,
                            const std::string& text1, const std::string& text6) {
  CheckResult r;
  r.message = kCleared;
  if (edition_code != 2 && edition_code != 3) return r;
  int b = station_row(sin, 1, text1);
  int a = station_row(sin, 1, text6);
  int d = 1;
  if (b > a) {
    d = 2;
    b = station_row(sin, 2, text1);
    a = station_row(sin, 2, text6);
  }
  if (a == 0 || b == 0) return r;  // not stations: their own checks refuse them
  auto in = [](int v, int lo, int hi) { return v >= lo && v <= hi; };
  bool refused = false;
  if (edition_code == 2) {
    if (d == 1) refused = in(b, 17, 22) && a > 16;
    else refused = in(b, 1, 16) && in(a, 17, 27);
  } else {
    if (d == 1) refused = (in(b, 8, 12) && a > 12) || (b >= 16 && a > 16);
    else refused = (in(b, 1, 5) && (a == 6 || in(a, 10, 14))) || (in(b, 6, 9) && in(a, 10, 14));
  }
  if (refused) {
    r.err_flg = 1;
    r.message = kMsgForbiddenPair;
  }
  return r;
}

std::string weekday_label(std::string_view year, std::string_view month, std::string_view day) {
  const std::optional<double> y = parse_number(year), m = parse_number(month),
                              d = parse_number(day);
  if (!y || !m || !d) return {};
  return weekday_of_date(whole_number(*y), whole_number(*m), whole_number(*d));
}

FormFill set_form1(const settings::Settings& saved, int sort_order,
                   const calendar::SearchDate& date, const calendar::SystemTime& system) {
  FormFill fill;
  ConditionForm& f = fill.form;
  auto& t = f.text;
  t[1] = saved.st_station;
  t[6] = saved.ed_station;
  auto split = [&](int hhmm, int hour_field) {
    t[hour_field] = text::format_plain(hhmm / 100);
    t[hour_field + 1] = text::format_plain(hhmm % 100);
  };
  split(saved.st_time1, 2);
  split(saved.st_time2, 4);
  split(saved.ed_time1, 7);
  split(saved.ed_time2, 9);
  f.sort_option = (sort_order == 1 || sort_order == 2) ? sort_order : 3;
  t[11] = text::format_plain(saved.wait_time);
  f.two_transfers = saved.wait_count != 1;
  f.one_per_train = saved.combination_number == 1;
  int y = date.year, m = date.month, d = date.day;
  if (date.day_number == 0) {
    y = system.year;
    m = system.month;
    d = system.day;
  }
  t[13] = text::format_plain(y);
  t[14] = text::format_plain(m);
  t[15] = text::format_plain(d);
  fill.label21 = weekday_of_date(y, m, d);
  return fill;
}

StartResult search_start(const data::SinkansenTables& sin, int edition_code, int system_year,
                         const calendar::HolidayList& holidays, ConditionForm& form,
                         StoredConditions& stored) {
  auto& t = form.text;
  StartResult res;
  auto refuse = [&](const CheckResult& c, const char* field) {
    if (c.message) t[12] = *c.message;
    if (c.err_flg == 0) return false;
    res.err_flg = 1;
    res.field = field;
    return true;
  };
  if (refuse(chk_text1(sin, t[1]), "Text1")) return res;
  if (refuse(chk_text2(t[2]), "Text2")) return res;
  if (refuse(chk_text3(t[3]), "Text3")) return res;
  if (refuse(chk_text4(t[4]), "Text4")) return res;
  if (refuse(chk_text5(t[2], t[3], t[4], t[5]), "Text5")) return res;
  if (refuse(chk_text6(sin, t[1], t[6]), "Text6")) return res;
  if (refuse(chk_text7(t[7]), "Text7")) return res;
  if (refuse(chk_text8(t[8]), "Text8")) return res;
  if (refuse(chk_text9(t[9]), "Text9")) return res;
  if (refuse(chk_text10(t[7], t[8], t[9], t[10]), "Text10")) return res;
  if (refuse(chk_text1_text6(sin, edition_code, t[1], t[6]), "Text1")) return res;
  if (refuse(chk_text11(t[11]), "Text11")) return res;
  if (refuse(chk_text2_text4(t[2], t[4], form.two_transfers), "Text2")) return res;

  stored.sort_order = (form.sort_option == 1 || form.sort_option == 2) ? form.sort_option : 3;

  if (refuse(chk_text13(t[13], system_year, stored.date), "Text13")) return res;
  if (refuse(chk_text14(t[14], stored.date), "Text14")) return res;
  if (refuse(chk_text15(t[15], stored.date), "Text15")) return res;

  stored.date.day_number = calendar::day_number(stored.date.year, stored.date.month, stored.date.day);
  stored.date.weekday = calendar::weekday_of(stored.date.day_number);
  stored.flags = calendar::set_holiday(holidays, stored.date.month, stored.date.day,
                                       stored.date.weekday);

  stored.st_station = text::trim(t[1]);
  stored.ed_station = text::trim(t[6]);
  auto v = [&](int i) { return whole_number(*parse_number(t[i])); };
  stored.st_time1 = v(2) * 100 + v(3);
  stored.st_time2 = v(4) * 100 + v(5);
  stored.ed_time1 = v(7) * 100 + v(8);
  stored.ed_time2 = v(9) * 100 + v(10);
  stored.wait_time = v(11);
  stored.wait_count = form.two_transfers ? 2 : 1;
  res.confirm_two_transfers = form.two_transfers;
  return res;
}

void store_combination(const ConditionForm& form, StoredConditions& stored) {
  stored.combination_number = form.one_per_train ? 1 : 0;
}

void store_journey(const StoredConditions& stored, SearchConditions& cond) {
  cond.st_station = stored.st_station;
  cond.ed_station = stored.ed_station;
  cond.st_time1 = stored.st_time1;
  cond.st_time2 = stored.st_time2;
  cond.ed_time1 = stored.ed_time1;
  cond.ed_time2 = stored.ed_time2;
  cond.wait_time = stored.wait_time;
  cond.wait_count = stored.wait_count;
}

SearchConditions search_conditions(const StoredConditions& stored) {
  SearchConditions cond;
  store_journey(stored, cond);
  cond.combination_number = stored.combination_number;
  cond.sort_order = stored.sort_order;
  return cond;
}

}  // namespace ravolin::search
