// SPDX-License-Identifier: MIT
// Shinkansen route search: direct trains and connections with one or two changes of
// train in the same direction, within departure and arrival windows, sorted.
//
// The search is an exhaustive scan over the fixed schedule tables with hard limits
// (1000 results, 100 continuations of one first train, 100 continuations of one second
// train); which results those limits cut off, and the order the exchange sort leaves among
// equal keys, are part of the outcome. RouteSearch produces exactly that outcome but
// avoids the nested rescans: per-row time orders, a memo of the second-transfer lists
// (they do not depend on the first train), and no allocation while searching.
//
// The search keeps all its working state in its own RouteSearch and SearchResult objects,
// so a board refresh that runs from the pending-events hook cannot disturb it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "calendar/dates.h"
#include "data/tables.h"
#include "search/conditions.h"

namespace ravolin::search {

inline constexpr int kMaxResults = 1000;         // result list entries 1..1000
inline constexpr int kMaxTransfers = 100;        // transfer list entries 1..100
inline constexpr int kMaxSecondTransfers = 100;  // second-transfer list entries 1..100

// sort order
inline constexpr int kSortByDeparture = 1;  // 発車時刻順
inline constexpr int kSortByArrival = 2;    // 到着時刻順
inline constexpr int kSortByRide = 3;       // 乗車時間順

// One connection. Trains are train numbers (1..250) of the search direction, rows are
// station rows (1..50) of the search direction's list.
struct ResultEntry {
  int first_train = 0;          // boarded at the boarding row
  int second_train = 0;         // boarded at the first transfer; 0 for a direct train
  int third_train = 0;          // boarded at the second transfer; 0 for at most one transfer
  int first_transfer_row = 0;   // row where the second train is boarded; 0 for a direct train
  int second_transfer_row = 0;  // row where the third train is boarded; 0 for at most one transfer
  std::int32_t ride_minutes = 0;  // departure at the boarding row to arrival at the alighting row
  std::int32_t sort_key = 0;

  bool operator==(const ResultEntry&) const = default;
};

// Number of transfers of an entry: 0 direct, 1, or 2.
int transfer_count(const ResultEntry& e);

// The engine's output, read by the results report.
struct SearchResult {
  int direction = 0;      // 1 down, 2 up; 0 when set_search_rows did not find a station
  int boarding_row = 0;   // flag 0 or 2 row of st_station in the search direction
  int alighting_row = 0;  // flag 0 or 1 row of ed_station in the search direction
  int count = 0;          // 0..1000
  std::array<ResultEntry, kMaxResults + 1> entries{};  // 1..count, sorted; [0] unused

  const ResultEntry& entry(int i) const { return entries[i]; }
};

// Departure (first train at the boarding row) and arrival (last train at the alighting
// row) of result i, hhmm.
int departure_time(const data::SinkansenTables& tables, const SearchResult& result, int i);
int arrival_time(const data::SinkansenTables& tables, const SearchResult& result, int i);
// The train whose arrival ends result i (third, else second, else first).
int last_train(const ResultEntry& e);

// Minutes of day of an hhmm value, and the hhmm of a minute count (no wrap at 24 hours).
int minutes_of(int hhmm);
int hhmm_from_minutes(int minutes);

// First row of direction d (1..station count) whose flag is flag_a or flag_b and whose
// name, blanks trimmed, is `name` (trimmed too); 0 when there is none.
int find_row(const data::SinkansenTables& tables, int d, std::string_view name, int flag_a,
             int flag_b);

// set_search_rows: search direction, boarding row and alighting row. Returns false (and
// leaves direction 0, which makes the search find nothing) when a station name is not
// in the list scanned, or when the boarding row is not before the alighting row.
bool set_search_rows(const data::SinkansenTables& tables, const SearchConditions& cond,
                     SearchResult& result);
// Clears entries 1..1000 and the count.
void clear_results(SearchResult& result);

// skip_if_not_running: sets skip_flg to 1 when the train does not run on the day of the flags
// (operation-day code of the train); otherwise leaves it unchanged. `row` is not used.
void skip_if_not_running(const data::SinkansenTables& tables, const calendar::DayFlags& flags,
                         int direction, int row, int train, int& skip_flg);
// The operation-day rule alone: true when a train of this code runs on the day.
bool runs_on(int op_day_code, const calendar::DayFlags& flags);

// set_ride_and_sort_key: ride minutes and sort key of result indx from its departure and arrival.
void set_ride_and_sort_key(int sort_order, SearchResult& result, int indx, int transfers, int dep,
                           int arr);
// sort_entries: the exchange sort of entries 1..count by sort key (not stable: the order it
// leaves among equal keys is the one the report lists).
void sort_entries(SearchResult& result);

// Called every 20 first trains so the windows can process pending events.
using PendingEvents = std::function<void()>;

// The engine's working state. Allocates its work tables once, when constructed; a search
// allocates nothing, and searches after the first on an unchanged table reuse its time
// orders, so keep one object for the program's life. It runs one search at a time: a call
// made from its own pending-events hook while it searches finds nothing and changes
// nothing (the running search goes on undisturbed).
class RouteSearch {
 public:
  RouteSearch();
  ~RouteSearch();
  RouteSearch(const RouteSearch&) = delete;
  RouteSearch& operator=(const RouteSearch&) = delete;

  // run_search: runs the whole search for the rows set_search_rows put in `result`, fills and
  // sorts the result list; returns the result count. `flags` are the search date's
  // day-type flags (with its weekday).
  int run_search(const data::SinkansenTables& tables, const SearchConditions& cond,
                 const calendar::DayFlags& flags, SearchResult& result,
                 const PendingEvents& pending = {});

  // set_search_rows + clear_results + run_search.
  int search(const data::SinkansenTables& tables, const SearchConditions& cond,
             const calendar::DayFlags& flags, SearchResult& result,
             const PendingEvents& pending = {});

 private:
  struct Work;
  std::unique_ptr<Work> work_;
};

}  // namespace ravolin::search
