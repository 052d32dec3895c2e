// SPDX-License-Identifier: MIT
// The texts of the search results window: the frame caption that summarises the search,
// the legend of the car-type marks, the connections report and the printed page.
#pragma once

#include "calendar/dates.h"
#include "data/fare_tables.h"
#include "data/place_names.h"
#include "data/tables.h"
#include "search/engine.h"
#include "text/language.h"

#include <string>
#include <string_view>
#include <vector>

namespace ravolin::search {

inline constexpr const char* kNoResultText = "条件にあう新幹線を検索できませんでした";

// The language of the texts and the English names of the stations they show (none: the
// names as in the data). Japanese is the default everywhere.
struct Wording {
  text::Language language = text::Language::kJapanese;
  const data::PlaceNames* names = nullptr;
  bool english() const { return language == text::Language::kEnglish; }
  // A station name as shown in the language.
  std::string place(const std::string& name) const;
};

// "発車時刻順", "到着時刻順", "乗車時間順" (English "by departure", "by arrival",
// "by ride time"); "" for any other value.
const char* sort_order_name(int sort_order, text::Language language = text::Language::kJapanese);

// Frame1 caption: "東京 → 新大阪  【2000/03/11（土）　通常期】　表示順序：発車時刻順";
// English "Tokyo → Shin-Osaka  [Sat 11 Mar 2000  Season: regular]  Order: by departure".
std::string frame1_caption(const SearchConditions& cond, const calendar::SearchDate& date,
                           int season, const Wording& wording = {});

// Legend of the car-type marks for an edition code; "" for a code other than 1..3
// (the label is then left as it is).
std::string legend_text(int edition_code, text::Language language = text::Language::kJapanese);

// Appends the train's label (type name, number "000", two-character car mark) to
// `line`. `row` is not used.
void append_train_label(const data::SinkansenTables& sin, int direction, int row, int train,
                        std::string& line);

// edit_data: the results text, CR LF line ends; with no connection listed, the
// no-result text with the conditions. English lines read
// "[175 min] Hikari 5 G Tokyo (dep 06:00) -> Shin-Osaka (arr 08:55) ".
std::string edit_data(const data::SinkansenTables& sin, const SearchConditions& cond,
                      const SearchResult& result, const Wording& wording = {});

// The number of connections the report lists.
int connection_count(const data::SinkansenTables& sin, const SearchConditions& cond,
                     const SearchResult& result);

// The result entry (1-based) whose lines in the edit_data text hold 0-based text line
// `line`; 0 for the blank line after an entry, a line past the end, or no result.
int entry_at_line(const data::SinkansenTables& sin, const SearchConditions& cond,
                  const SearchResult& result, int line);

// What the printed page holds, one entry per print line (the results and fare texts
// are single entries holding their CR LF).
struct PrintPage {
  std::string corridor_caption;  // "東海道・山陽新幹線"
  std::string program_version;   // "1.59"
  int edition_code = 0;
  SearchConditions cond;
  calendar::SearchDate date;
  int season = 1;
  std::string results_text;  // Text1
  std::string fare_text;     // Text2
  Wording wording;           // the header's language and station names
};
std::vector<std::string> print_lines(const PrintPage& page);

// Everything the results window computes while it loads, in its order: the fare season
// and the caption, the search, the results text and the fare text. The window and
// ravolin-tool both build their texts with this.
struct ResultsTexts {
  int season = 1;
  std::string caption;    // Frame1
  std::string legend;     // Label1 ("" : left as it is)
  std::string report;     // Text1
  std::string fare_text;  // Text2
};
struct ResultsInput {
  const data::SinkansenTables& sin;
  const fares::FareTables& fares;
  const calendar::HolidayList& holidays;
  int edition_code = 0;
  int system_year = 0;  // year of the computer's date: the holiday year of the fare rules
  const SearchConditions& cond;
  const calendar::SearchDate& date;
  const calendar::DayFlags& flags;  // day-type flags of the search date
  Wording wording = {};
};
// `pending` runs between the load steps and every 20 first trains of the search.
ResultsTexts load_results(const ResultsInput& in, RouteSearch& engine, SearchResult& result,
                          const PendingEvents& pending = {});

}  // namespace ravolin::search
