// SPDX-License-Identifier: MIT
// The fare information text of a journey: base fare and validity, express
// surcharges, Green car and compartments, Nozomi surcharges, the totals for each way
// of travelling, the discount tickets of the station pair and the Nozomi transfer
// charges. The amounts depend on the two stations, the travel date and the edition.
#pragma once

#include "calendar/dates.h"
#include "data/fare_tables.h"
#include "data/place_names.h"
#include "data/tables.h"
#include "text/language.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ravolin::fares {

inline constexpr int kSeasonRegular = 1;  // 通常期
inline constexpr int kSeasonPeak = 2;     // 繁忙期
inline constexpr int kSeasonOffPeak = 3;  // 閑散期

// Edition codes as the fare rules tell them apart.
inline constexpr int kEditionTokaido = 1;  // 東海道・山陽新幹線
inline constexpr int kEditionTohoku = 2;   // 東北・山形・秋田新幹線
inline constexpr int kEditionJoetsu = 3;   // 上越・長野行新幹線

// The fare season of a travel date (month, day, weekday 1 = Sunday .. 7 = Saturday)
// given whether it is a holiday, a substitute holiday or the eve of one.
int fare_season(int month, int day, int weekday, int holiday_eve);
// The same, computing holiday_eve from the holiday list placed in system_year.
int fare_season(const calendar::HolidayList& holidays, const calendar::SearchDate& date,
                int system_year);

// "　通常期", "　繁忙期" or "　閑散期" (anything but 1 and 2 reads as off-peak); in English
// "  Season: regular", "  Season: peak" or "  Season: off-peak".
const char* season_label(int season, text::Language language = text::Language::kJapanese);

// The name of a discount ticket type (1..kTicketTypes) in `language`; "" for another type.
const char* ticket_name(int type, text::Language language);

struct TicketFlags {
  bool coupon_ok = false;   // discount tickets may be used on the date
  bool weekday_ok = false;  // weekday-only tickets may be used
  bool weekend_ok = false;  // weekend-only tickets may be used
};

// Which discount tickets may be used on the travel date. Holidays of the list are
// placed in system_year (the computer's current year).
TicketFlags usable_tickets(const calendar::HolidayList& holidays, const calendar::SearchDate& date,
                           int system_year);

struct FareJourney {
  std::string st_station;  // boarding station
  std::string ed_station;  // alighting station
  calendar::SearchDate date;
  int edition_code = 0;
  int season = kSeasonRegular;  // as fare_season gave it
  // The language of the text, and the English station names it shows (none: as in the data).
  text::Language language = text::Language::kJapanese;
  const data::PlaceNames* names = nullptr;
};

// The whole fare text, every line ending with CR LF, in the journey's language (the
// English labels take the same tab stops, amounts right-aligned in ASCII digits). `sin` supplies
// the direction-1 station names that give the stations their positions. A station or pair missing
// from the tables gives amounts of 0 (shown as an empty amount).
std::string fare_text(const FareTables& tables, const data::SinkansenTables& sin,
                      const calendar::HolidayList& holidays, int system_year,
                      const FareJourney& journey);

// Layout helpers of the fare text, shared with the tests.
// "##,###" of the amount rounded to whole yen (a half goes up), made full-width;
// 0 gives an empty text.
std::string amount_text(double amount);
// "##" of a count made full-width; 0 gives an empty text.
std::string count_text(int count);
// The TABs after a label: k - floor(2 * characters / 8), none when below 1.
std::string tab_fill(std::string_view label, int k);
// Validity of a ticket in days for a distance in km (1 up to 100 km).
int validity_days(double distance_km);

}  // namespace ravolin::fares
