// SPDX-License-Identifier: MIT
#include "fares/fare_text.h"

#include "text/print_columns.h"
#include "text/text.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <initializer_list>

namespace ravolin::fares {

namespace {

constexpr const char* kCrLf = "\r\n";

struct DayRange {
  int month, first, last;
};

bool in_ranges(int month, int day, std::initializer_list<DayRange> ranges) {
  for (const DayRange& r : ranges)
    if (month == r.month && day >= r.first && day <= r.last) return true;
  return false;
}

bool is_peak(int month, int day) {
  return in_ranges(month, day,
                   {{1, 1, 10},
                    {3, 21, 31},
                    {4, 1, 5},
                    {4, 28, 30},
                    {5, 1, 6},
                    {7, 21, 31},
                    {8, 1, 31},
                    {12, 25, 31}});
}

bool is_off_peak_period(int month, int day) {
  return in_ranges(month, day,
                   {{1, 16, 31}, {2, 1, 31}, {6, 1, 31}, {9, 1, 31}, {11, 1, 31}, {12, 1, 20}});
}

bool is_coupon_blackout(int month, int day) {
  return in_ranges(month, day, {{1, 1, 6}, {4, 27, 30}, {5, 1, 6}, {8, 11, 20}, {12, 28, 31}});
}

bool same_name(std::string_view a, std::string_view b) { return text::trim(a) == text::trim(b); }

// A row's two stations are the journey's two stations, in either order.
bool same_pair(std::string_view row_a, std::string_view row_b, std::string_view from,
               std::string_view to) {
  return (same_name(row_a, from) && same_name(row_b, to)) ||
         (same_name(row_a, to) && same_name(row_b, from));
}

// First direction-1 position (1..station count) of a station name; 0 when absent.
int station_position(const data::SinkansenTables& sin, std::string_view name) {
  int count = std::min(sin.station_count, data::kMaxSinStations);
  for (int s = 1; s <= count; ++s)
    if (same_name(sin.station_name[1][s], name)) return s;
  return 0;
}

// Distance of the station from the line's origin in tenths of a km; -1 when absent.
long long kilo_tenths(const FareTables& t, std::string_view name) {
  int count = std::min(t.kilo_count, kMaxKiloRows);
  for (int i = 1; i <= count; ++i)
    if (same_name(t.kilo_table[i].station_name, name))
      return std::llround(t.kilo_table[i].kilo * 10.0);
  return -1;
}

// The first of rows 1..count of a station-pair table (pair fares, Nozomi fees) for the
// journey between a and b; nullptr when there is none.
template <class Row, std::size_t N>
const Row* find_journey_row(const std::array<Row, N>& table, int count, std::string_view a,
                            std::string_view b) {
  count = std::min(count, static_cast<int>(N) - 1);
  for (int i = 1; i <= count; ++i) {
    const Row& r = table[i];
    if (same_pair(r.station_a, r.station_b, a, b)) return &r;
  }
  return nullptr;
}

// Green band of a distance: the row whose bounds hold it, or row 0 (all zero).
const GreenRow& green_band(const FareTables& t, double distance_km) {
  int count = std::min(t.green_count, kMaxGreenRows);
  for (int i = 1; i <= count; ++i) {
    double lower = i == 1 ? 0.0 : t.green_table[i - 1].upper_kilo;
    if (lower < distance_km && distance_km <= t.green_table[i].upper_kilo) return t.green_table[i];
  }
  return t.green_table[0];
}

// A holiday of the list placed in `year`, as a day number; false when the month/day
// does not exist in that year (29 February of a common year).
bool holiday_day_number(const calendar::HolidayList& list, int i, int year, std::int32_t& out) {
  int m = list.month[i], d = list.day[i];
  if (!calendar::is_valid_date(year, m, d)) return false;
  out = calendar::day_number(year, m, d);
  return true;
}

// The words of the fare text in one language: the Japanese ones as the program always
// wrote them, the English ones on the same tab stops.
struct Words {
  bool english;
  const char* fare;
  const char* reserved_express;
  const char* green_charge;
  const char* room_2;
  const char* room_4;
  const char* green_note;  // before the amount
  const char* green_note_end;
  const char* nozomi_express;
  const char* free_express;
  const char* totals;
  const char* total_reserved;
  const char* total_green;
  const char* total_nozomi;
  const char* total_nozomi_green;
  const char* total_free;
  const char* tickets;
  const char* no_tickets;
  const char* transfer_charges;
};

constexpr Words kJapanese{
    false,
    "運賃",
    "普通車指定席特急料金",
    "グリーン車料金",
    "グリーン車個室料金（１～２人用；１人分）",
    "グリーン車個室料金（３～４人用；１人分）",
    "\t※グリーン車利用の場合､普通車指定席特急料金は､",
    "円となります",
    "のぞみ特急料金",
    "全区間自由席利用時の特急料金",
    "＜＜交通費の合計＞＞",
    "普通席指定席利用時",
    "グリーン車指定席利用時",
    "のぞみ指定席利用時",
    "のぞみグリーン車指定席利用時",
    "全区間自由席利用時",
    "＜＜新幹線のトクトクきっぷ＞＞",
    "　　　　新幹線のトクトクきっぷは設定されていません",
    "＜＜のぞみとひかり・こだまを乗り継ぐ場合の普通車指定席特急料金の加算料金＞＞",
};

constexpr Words kEnglish{
    true,
    "Fare",
    "Limited express charge, reserved seat",
    "Green Car charge",
    "Green Car room for 1-2, per person",
    "Green Car room for 3-4, per person",
    "\t* With a Green Car seat the limited express charge is ",
    " yen",
    "Nozomi limited express charge",
    "Limited express charge, non-reserved",
    "<< Totals >>",
    "Reserved seat",
    "Green Car",
    "Nozomi, reserved seat",
    "Nozomi, Green Car",
    "Non-reserved",
    "<< Shinkansen discount tickets >>",
    "        No discount tickets for this journey",
    "<< Extra limited express charge, Nozomi with Hikari or Kodama >>",
};

const Words& words_of(text::Language language) {
  return language == text::Language::kEnglish ? kEnglish : kJapanese;
}

// An English amount: "##,###" in ASCII digits, "-" for none.
std::string english_amount(double amount) {
  long long whole = std::llround(amount);
  return whole == 0 ? std::string("-") : text::format_thousands(whole);
}

// The TABs after a label: the Japanese count two columns a character, the English count
// the columns the label takes.
std::string label_fill(const Words& w, std::string_view label, int k) {
  if (!w.english) return tab_fill(label, k);
  long long n = k - text::text_columns(label) / 8;
  return n < 1 ? std::string() : std::string(static_cast<std::size_t>(n), '\t');
}

// "<label><tabs>：<amount>円" and CR LF, the label padded by tab_fill(label, stop); in
// English "<label><tabs>: <amount> yen", the amount right-aligned in seven columns.
void amount_line(std::string& out, const Words& w, std::string_view label, int stop,
                 double amount) {
  out += label;
  out += label_fill(w, label, stop);
  if (w.english) {
    const std::string a = english_amount(amount);
    out += ": ";
    out += std::string(a.size() < 7 ? 7 - a.size() : 0, ' ');
    out += a;
    if (a != "-") out += " yen";
  } else {
    out += "：";
    out += amount_text(amount);
    out += "円";
  }
  out += kCrLf;
}

void item_line(std::string& out, const Words& w, std::string_view label, double amount) {
  amount_line(out, w, label, 5, amount);
}

void total_line(std::string& out, const Words& w, std::string_view label, double amount) {
  out += "\t";
  amount_line(out, w, label, 4, amount);
}

void ticket_line(std::string& out, std::string_view name, long long price, int sheets,
                 int valid_term, std::string_view unit) {
  out += name;
  out += tab_fill(name, 5);
  out += "：";
  out += amount_text(static_cast<double>(price) / sheets);
  out += "円／１枚あたりの料金";
  out += "（";
  out += count_text(sheets);
  out += "枚綴り、";
  out += count_text(valid_term);
  out += unit;
  out += "、ねだん：";
  out += amount_text(static_cast<double>(price));
  out += "円）";
  out += kCrLf;
}

// "<name><tabs>: <each> yen each (<n> tickets, valid <term> days|months, <price> yen)".
void english_ticket_line(std::string& out, std::string_view name, long long price, int sheets,
                         int valid_term, bool days) {
  out += name;
  out += label_fill(kEnglish, name, 5);
  const std::string each = english_amount(static_cast<double>(price) / sheets);
  out += ": ";
  out += std::string(each.size() < 7 ? 7 - each.size() : 0, ' ');
  out += each;
  out += " yen each (";
  out += text::format_plain(sheets);
  out += " tickets, valid ";
  out += text::format_plain(valid_term);
  out += days ? (valid_term == 1 ? " day" : " days") : (valid_term == 1 ? " month" : " months");
  out += ", ";
  out += english_amount(static_cast<double>(price));
  out += " yen)";
  out += kCrLf;
}

// A ticket line in the journey's language; `days`: a validity in days, else in months.
void any_ticket_line(std::string& out, const FareJourney& j, int type, long long price, int sheets,
                     int valid_term, bool days) {
  if (j.language == text::Language::kEnglish)
    english_ticket_line(out, ticket_name(type, j.language), price, sheets, valid_term, days);
  else
    ticket_line(out, ticket_name(type), price, sheets, valid_term, days ? "日" : "ヶ月");
}

// A station name as the journey's language shows it.
std::string place(const FareJourney& j, const std::string& name) {
  return j.names ? j.names->shown(name, j.language) : name;
}

}  // namespace

int fare_season(int month, int day, int weekday, int holiday_eve) {
  if (is_peak(month, day)) return kSeasonPeak;
  if (is_off_peak_period(month, day) && weekday >= 2 && weekday <= 5 && holiday_eve == 0)
    return kSeasonOffPeak;
  return kSeasonRegular;
}

int fare_season(const calendar::HolidayList& holidays, const calendar::SearchDate& date,
                int system_year) {
  int eve = calendar::holiday_eve(holidays, date.day_number, system_year);
  return fare_season(date.month, date.day, date.weekday, eve);
}

const char* season_label(int season, text::Language language) {
  if (language == text::Language::kEnglish) {
    if (season == kSeasonRegular) return "  Season: regular";
    if (season == kSeasonPeak) return "  Season: peak";
    return "  Season: off-peak";
  }
  if (season == kSeasonRegular) return "　通常期";
  if (season == kSeasonPeak) return "　繁忙期";
  return "　閑散期";
}

TicketFlags usable_tickets(const calendar::HolidayList& holidays, const calendar::SearchDate& date,
                           int system_year) {
  TicketFlags f;
  f.coupon_ok = !is_coupon_blackout(date.month, date.day);
  f.weekend_ok = date.weekday == 1 || date.weekday == 7;
  if (date.weekday >= 2 && date.weekday <= 6) {
    bool holiday = false;
    int count = std::min(holidays.count, calendar::kMaxHolidays);
    for (int i = 1; i <= count && !holiday; ++i) {
      std::int32_t h = 0;
      if (holiday_day_number(holidays, i, system_year, h) && h == date.day_number) holiday = true;
    }
    f.weekday_ok = !holiday;
  }
  return f;
}

std::string amount_text(double amount) {
  long long whole = std::llround(amount);  // halves away from zero
  if (whole == 0) return "";
  return text::to_full_width(text::format_thousands(whole));
}

std::string count_text(int count) {
  if (count == 0) return "";
  return text::to_full_width(text::format_plain(count));
}

std::string tab_fill(std::string_view label, int k) {
  long long width = static_cast<long long>(text::char_count(label)) * 2;
  long long n = k - width / 8;
  return n < 1 ? std::string() : std::string(static_cast<std::size_t>(n), '\t');
}

int validity_days(double distance_km) {
  if (distance_km <= 100.0) return 1;
  return static_cast<int>(std::floor(distance_km / 200.0 + 0.999999)) + 1;
}

namespace {

// What the lines of the fare text are worked out from.
struct JourneyFacts {
  bool distance_known = false;  // both stations have a kilometre row
  double distance_km = 0.0;
  const PairFareRow* pair = nullptr;  // the journey's pair fare row, if any
  long long base_fare = 0;
  long long express_fee = 0;
  int start_position = 0;  // direction-1 positions of the two stations, 0 when absent
  int end_position = 0;
  bool tohoku = false;
  bool tokaido = false;
  // A Tohoku journey from positions 1..9 to 12..16, or from 1..25 to 28..32: its
  // seasonal adjustment is 340 yen and its Green car discount 870 yen.
  bool through_journey = false;
};

JourneyFacts journey_facts(const FareTables& tables, const data::SinkansenTables& sin,
                           const FareJourney& j) {
  JourneyFacts f;
  // Distance, from whole tenths so that 100.0 km stays 100.0 km. Unknown when either
  // station has no kilometre row: no Green band and no validity.
  long long from_tenths = kilo_tenths(tables, j.st_station);
  long long to_tenths = kilo_tenths(tables, j.ed_station);
  f.distance_known = from_tenths >= 0 && to_tenths >= 0;
  if (f.distance_known)
    f.distance_km = static_cast<double>(std::llabs(to_tenths - from_tenths)) / 10.0;
  f.pair = find_journey_row(tables.pair_fare_table, tables.pair_count, j.st_station, j.ed_station);
  f.base_fare = f.pair ? f.pair->fare : 0;
  f.express_fee = f.pair ? f.pair->express_fee : 0;
  f.start_position = station_position(sin, j.st_station);
  f.end_position = station_position(sin, j.ed_station);
  f.tohoku = j.edition_code == kEditionTohoku;
  f.tokaido = j.edition_code == kEditionTokaido;
  const int s = f.start_position, e = f.end_position;
  f.through_journey = f.tohoku && ((s >= 1 && s <= 9 && e >= 12 && e <= 16) ||
                                   (s >= 1 && s <= 25 && e >= 28 && e <= 32));
  return f;
}

// The amounts of the express and Green lines, which the totals add up.
struct Charges {
  long long reserved_express = 0;
  long long green_charge = 0;
  long long green_express = 0;  // the reserved express fee when travelling Green
  long long nozomi_express = 0;
  long long free_express = 0;  // unreserved seats all the way
};

void add_base_fare_line(std::string& out, const JourneyFacts& f, const Words& w) {
  if (w.english) {
    std::string line;
    amount_line(line, w, w.fare, 5, static_cast<double>(f.base_fare));
    line.resize(line.size() - 2);  // the validity goes before the line end
    out += line;
    if (f.distance_known) {
      const int days = validity_days(f.distance_km);
      out += " (valid " + text::format_plain(days) + (days == 1 ? " day)" : " days)");
    }
    out += kCrLf;
    return;
  }
  out += "運賃";
  out += tab_fill("運賃", 5);
  out += "：";
  out += amount_text(static_cast<double>(f.base_fare));
  out += "円（有効期間：";
  out += count_text(f.distance_known ? validity_days(f.distance_km) : 0);
  out += "日）";
  out += kCrLf;
}

long long nozomi_express_fee(const FareTables& tables, const FareJourney& j) {
  const NozomiRow* row =
      find_journey_row(tables.nozomi_table, tables.nozomi_count, j.st_station, j.ed_station);
  long long fee = row ? row->nozomi_fee : 0;
  if (fee != 0) {
    if (j.season == kSeasonPeak) fee += 200;
    if (j.season == kSeasonOffPeak) fee -= 200;
  }
  return fee;
}

long long free_seat_express_fee(const JourneyFacts& f) {
  if (!f.pair) return 0;
  if (f.pair->free_seat_fee != 0) return f.pair->free_seat_fee;
  // Otherwise the fee less a discount whose band depends, in the Tohoku edition, on
  // the two stations' positions.
  int band = 0;
  if (f.tohoku) {
    const int s = f.start_position, e = f.end_position;
    bool end_a = e >= 12 && e <= 16;
    bool end_b = e >= 28 && e <= 32;
    if (s >= 1 && s <= 8 && end_a) band = 1;
    if (s == 9 && end_a) band = 2;
    if (s >= 1 && s <= 23 && end_b) band = 1;
    if (s >= 24 && s <= 25 && end_b) band = 2;
  }
  static constexpr int kFreeDiscount[3] = {510, 870, 1820};
  return f.express_fee - kFreeDiscount[band];
}

// The express, Green car, Nozomi and unreserved-seat lines.
Charges add_charge_lines(std::string& out, const FareTables& tables, const JourneyFacts& f,
                         const FareJourney& j) {
  const Words& w = words_of(j.language);
  Charges c;
  if (f.pair) {
    int adjust = f.through_journey ? 340 : 200;
    c.reserved_express = f.express_fee;
    if (j.season == kSeasonPeak) c.reserved_express += adjust;
    if (j.season == kSeasonOffPeak) c.reserved_express -= adjust;
  }
  item_line(out, w, w.reserved_express, static_cast<double>(c.reserved_express));

  const GreenRow& band =
      f.distance_known ? green_band(tables, f.distance_km) : tables.green_table[0];
  c.green_charge = band.green_fee;
  item_line(out, w, w.green_charge, static_cast<double>(c.green_charge));
  item_line(out, w, w.room_2, band.room_fee_2);
  item_line(out, w, w.room_4, band.room_fee_4);

  c.green_express = f.pair ? f.express_fee - (f.through_journey ? 870 : 510) : 0;
  out += w.green_note;
  out += w.english ? english_amount(static_cast<double>(c.green_express))
                   : amount_text(static_cast<double>(c.green_express));
  out += w.green_note_end;
  out += kCrLf;

  if (f.tokaido) {
    c.nozomi_express = nozomi_express_fee(tables, j);
    item_line(out, w, w.nozomi_express, static_cast<double>(c.nozomi_express));
  }
  c.free_express = free_seat_express_fee(f);
  item_line(out, w, w.free_express, static_cast<double>(c.free_express));
  return c;
}

void add_totals(std::string& out, const Words& w, long long base_fare, const Charges& c) {
  out += kCrLf;
  out += w.totals;
  out += kCrLf;
  total_line(out, w, w.total_reserved, static_cast<double>(base_fare + c.reserved_express));
  total_line(out, w, w.total_green,
             static_cast<double>(base_fare + c.green_charge + c.green_express));
  if (c.nozomi_express != 0) {
    total_line(out, w, w.total_nozomi, static_cast<double>(base_fare + c.nozomi_express));
    total_line(out, w, w.total_nozomi_green,
               static_cast<double>(base_fare + c.nozomi_express + c.green_charge - 510));
  }
  total_line(out, w, w.total_free, static_cast<double>(base_fare + c.free_express));
}

// The discount tickets of the station pair usable on the date; nothing at all on a date
// when no discount ticket may be used.
void add_discount_tickets(std::string& out, const FareTables& tables,
                          const calendar::HolidayList& holidays, int system_year,
                          const FareJourney& j, const PairFareRow* pair) {
  TicketFlags flags = usable_tickets(holidays, j.date, system_year);
  if (!flags.coupon_ok) return;
  const Words& w = words_of(j.language);
  out += kCrLf;
  out += w.tickets;
  out += kCrLf;
  bool any = false;
  int count = std::min(tables.ticket_count, kMaxTicketRows);
  for (int i = 1; i <= count; ++i) {
    const TicketRow& r = tables.ticket_table[i];
    if (!same_pair(r.station_a, r.station_b, j.st_station, j.ed_station)) continue;
    if (r.ticket_type == 11 && !flags.weekend_ok) continue;
    if (r.ticket_type == 12 && !flags.weekday_ok) continue;
    if (r.sheets <= 0) continue;  // no price per ticket: not a usable row
    any_ticket_line(out, j, r.ticket_type, r.price, r.sheets, r.valid_term, r.ticket_type == 7);
    any = true;
  }
  if (pair && pair->coupon_price != 0) {
    any_ticket_line(out, j, 14, pair->coupon_price, 6, 3, false);
    any = true;
  }
  if (!any) {
    out += w.no_tickets;
    out += kCrLf;
  }
}

// The Nozomi transfer charges of the sections the journey covers (Tokaido edition only).
void add_nozomi_transfer_charges(std::string& out, const FareTables& tables,
                                 const data::SinkansenTables& sin, const JourneyFacts& f,
                                 const FareJourney& j) {
  const Words& w = words_of(j.language);
  if (!f.tokaido || f.start_position == 0 || f.end_position == 0) return;
  bool heading = false;
  int count = std::min(tables.nozomi_count, kMaxNozomiRows);
  for (int i = 1; i <= count; ++i) {
    const NozomiRow& r = tables.nozomi_table[i];
    int pa = station_position(sin, r.station_a);
    int pb = station_position(sin, r.station_b);
    if (pa == 0 || pb == 0) continue;
    if (!(f.start_position <= pa && f.end_position >= pb)) continue;
    if (!heading) {
      out += kCrLf;
      out += w.transfer_charges;
      out += kCrLf;
      heading = true;
    }
    std::string label = w.english ? place(j, r.station_a) + " - " + place(j, r.station_b)
                                  : r.station_a + "～" + r.station_b + "間乗車時";
    total_line(out, w, label, r.transfer_fee);
  }
}

}  // namespace

std::string fare_text(const FareTables& tables, const data::SinkansenTables& sin,
                      const calendar::HolidayList& holidays, int system_year,
                      const FareJourney& j) {
  const JourneyFacts facts = journey_facts(tables, sin, j);
  std::string out;
  const Words& w = words_of(j.language);
  add_base_fare_line(out, facts, w);
  const Charges charges = add_charge_lines(out, tables, facts, j);
  add_totals(out, w, facts.base_fare, charges);
  add_discount_tickets(out, tables, holidays, system_year, j, facts.pair);
  add_nozomi_transfer_charges(out, tables, sin, facts, j);
  return out;
}

}  // namespace ravolin::fares
