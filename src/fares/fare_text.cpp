#include "fares/fare_text.h"

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
                   {{1, 1, 10}, {3, 21, 31}, {4, 1, 5}, {4, 28, 30}, {5, 1, 6}, {7, 21, 31},
                    {8, 1, 31}, {12, 25, 31}});
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
const GreenRow& green_band(const FareTables& t, double kyori) {
  int count = std::min(t.green_count, kMaxGreenRows);
  for (int i = 1; i <= count; ++i) {
    double lower = i == 1 ? 0.0 : t.green_table[i - 1].upper_kilo;
    if (lower < kyori && kyori <= t.green_table[i].upper_kilo) return t.green_table[i];
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

// "<label><tabs>：<amount>円" and CR LF, the label padded by tab_fill(label, stop).
void amount_line(std::string& out, std::string_view label, int stop, double amount) {
  out += label;
  out += tab_fill(label, stop);
  out += "：";
  out += amount_text(amount);
  out += "円";
  out += kCrLf;
}

void item_line(std::string& out, std::string_view label, double amount) {
  amount_line(out, label, 5, amount);
}

void total_line(std::string& out, std::string_view label, double amount) {
  out += "\t";
  amount_line(out, label, 4, amount);
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

}  // namespace

int set_kikan(int month, int day, int weekday, int holiday_eve) {
  if (is_peak(month, day)) return kSeasonPeak;
  if (is_off_peak_period(month, day) && weekday >= 2 && weekday <= 5 && holiday_eve == 0)
    return kSeasonOffPeak;
  return kSeasonRegular;
}

int set_kikan(const calendar::HolidayList& holidays, const calendar::SearchDate& date,
              int system_year) {
  int eve = calendar::holiday_eve(holidays, date.day_number, system_year);
  return set_kikan(date.month, date.day, date.weekday, eve);
}

const char* season_label(int season) {
  if (season == kSeasonRegular) return "　通常期";
  if (season == kSeasonPeak) return "　繁忙期";
  return "　閑散期";
}

TicketFlags chk_yukoh(const calendar::HolidayList& holidays, const calendar::SearchDate& date,
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

int validity_days(double kyori) {
  if (kyori <= 100.0) return 1;
  return static_cast<int>(std::floor(kyori / 200.0 + 0.999999)) + 1;
}

std::string edit_unchin(const FareTables& tables, const data::SinkansenTables& sin,
                        const calendar::HolidayList& holidays, int system_year,
                        const FareJourney& j) {
  const std::string& from = j.st_station;
  const std::string& to = j.ed_station;
  std::string out;

  // Distance, from whole tenths so that 100.0 km stays 100.0 km. Unknown when either
  // station has no kilometre row: no Green band and no validity.
  long long k_from = kilo_tenths(tables, from);
  long long k_to = kilo_tenths(tables, to);
  bool have_kyori = k_from >= 0 && k_to >= 0;
  double kyori = have_kyori ? static_cast<double>(std::llabs(k_to - k_from)) / 10.0 : 0.0;

  const PairFareRow* pair = find_journey_row(tables.pair_fare_table, tables.pair_count, from, to);
  long long base_fare = pair ? pair->fare : 0;
  long long express_fee = pair ? pair->express_fee : 0;

  out += "運賃";
  out += tab_fill("運賃", 5);
  out += "：";
  out += amount_text(static_cast<double>(base_fare));
  out += "円（有効期間：";
  out += count_text(have_kyori ? validity_days(kyori) : 0);
  out += "日）";
  out += kCrLf;

  int start_no = station_position(sin, from);
  int end_no = station_position(sin, to);
  bool tohoku = j.edition_code == kEditionTohoku;
  bool tokaido = j.edition_code == kEditionTokaido;

  int through_class = 0;
  if (tohoku && ((start_no >= 1 && start_no <= 9 && end_no >= 12 && end_no <= 16) ||
                 (start_no >= 1 && start_no <= 25 && end_no >= 28 && end_no <= 32)))
    through_class = 1;

  long long reserved_express = 0;
  if (pair) {
    int adjust = through_class == 1 ? 340 : 200;
    reserved_express = express_fee;
    if (j.season == kSeasonPeak) reserved_express += adjust;
    if (j.season == kSeasonOffPeak) reserved_express -= adjust;
  }
  item_line(out, "普通車指定席特急料金", static_cast<double>(reserved_express));

  const GreenRow& band = have_kyori ? green_band(tables, kyori) : tables.green_table[0];
  long long green_charge = band.green_fee;
  item_line(out, "グリーン車料金", static_cast<double>(green_charge));
  item_line(out, "グリーン車個室料金（１～２人用；１人分）", band.room_fee_2);
  item_line(out, "グリーン車個室料金（３～４人用；１人分）", band.room_fee_4);

  long long green_express = pair ? express_fee - (through_class == 1 ? 870 : 510) : 0;
  out += "\t※グリーン車利用の場合､普通車指定席特急料金は､";
  out += amount_text(static_cast<double>(green_express));
  out += "円となります";
  out += kCrLf;

  long long nozomi_express = 0;
  if (tokaido) {
    const NozomiRow* nz = find_journey_row(tables.nozomi_table, tables.nozomi_count, from, to);
    nozomi_express = nz ? nz->nozomi_fee : 0;
    if (nozomi_express != 0) {
      if (j.season == kSeasonPeak) nozomi_express += 200;
      if (j.season == kSeasonOffPeak) nozomi_express -= 200;
    }
    item_line(out, "のぞみ特急料金", static_cast<double>(nozomi_express));
  }

  int free_class = 0;
  if (tohoku) {
    bool end_a = end_no >= 12 && end_no <= 16;
    bool end_b = end_no >= 28 && end_no <= 32;
    if (start_no >= 1 && start_no <= 8 && end_a) free_class = 1;
    if (start_no == 9 && end_a) free_class = 2;
    if (start_no >= 1 && start_no <= 23 && end_b) free_class = 1;
    if (start_no >= 24 && start_no <= 25 && end_b) free_class = 2;
  }
  long long free_express = 0;
  if (pair) {
    if (pair->free_seat_fee != 0) {
      free_express = pair->free_seat_fee;
    } else {
      static constexpr int kFreeDiscount[3] = {510, 870, 1820};
      free_express = express_fee - kFreeDiscount[free_class];
    }
  }
  item_line(out, "全区間自由席利用時の特急料金", static_cast<double>(free_express));

  out += kCrLf;
  out += "＜＜交通費の合計＞＞";
  out += kCrLf;
  total_line(out, "普通席指定席利用時", static_cast<double>(base_fare + reserved_express));
  total_line(out, "グリーン車指定席利用時",
             static_cast<double>(base_fare + green_charge + green_express));
  if (nozomi_express != 0) {
    total_line(out, "のぞみ指定席利用時", static_cast<double>(base_fare + nozomi_express));
    total_line(out, "のぞみグリーン車指定席利用時",
               static_cast<double>(base_fare + nozomi_express + green_charge - 510));
  }
  total_line(out, "全区間自由席利用時", static_cast<double>(base_fare + free_express));

  TicketFlags flags = chk_yukoh(holidays, j.date, system_year);
  if (flags.coupon_ok) {
    out += kCrLf;
    out += "＜＜新幹線のトクトクきっぷ＞＞";
    out += kCrLf;
    bool any = false;
    int count = std::min(tables.ticket_count, kMaxTicketRows);
    for (int i = 1; i <= count; ++i) {
      const TicketRow& r = tables.ticket_table[i];
      if (!same_pair(r.station_a, r.station_b, from, to)) continue;
      if (r.ticket_type == 11 && !flags.weekend_ok) continue;
      if (r.ticket_type == 12 && !flags.weekday_ok) continue;
      if (r.sheets <= 0) continue;  // no price per ticket: not a usable row
      ticket_line(out, ticket_name(r.ticket_type), r.price, r.sheets, r.valid_term,
                  r.ticket_type == 7 ? "日" : "ヶ月");
      any = true;
    }
    if (pair && pair->coupon_price != 0) {
      ticket_line(out, ticket_name(14), pair->coupon_price, 6, 3, "ヶ月");
      any = true;
    }
    if (!any) {
      out += "　　　　新幹線のトクトクきっぷは設定されていません";
      out += kCrLf;
    }
  }

  if (tokaido && start_no != 0 && end_no != 0) {
    bool heading = false;
    int count = std::min(tables.nozomi_count, kMaxNozomiRows);
    for (int i = 1; i <= count; ++i) {
      const NozomiRow& r = tables.nozomi_table[i];
      int pa = station_position(sin, r.station_a);
      int pb = station_position(sin, r.station_b);
      if (pa == 0 || pb == 0) continue;
      if (!(start_no <= pa && end_no >= pb)) continue;
      if (!heading) {
        out += kCrLf;
        out += "＜＜のぞみとひかり・こだまを乗り継ぐ場合の普通車指定席特急料金の加算料金＞＞";
        out += kCrLf;
        heading = true;
      }
      std::string label = r.station_a + "～" + r.station_b + "間乗車時";
      total_line(out, label, r.transfer_fee);
    }
  }
  return out;
}

}  // namespace ravolin::fares
