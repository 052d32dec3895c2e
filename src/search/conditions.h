// SPDX-License-Identifier: MIT
// The search conditions: what the conditions window (and ravolin-tool) stores once its
// checks pass, what the route search looks for, what the results report and its printed
// header show, and what the settings keep for the next run.
#pragma once

#include "settings/settings.h"

#include <string>

namespace ravolin::search {

struct SearchConditions {
  std::string st_station;  // boarding station name (blanks trimmed when compared)
  std::string ed_station;  // alighting station name
  int st_time1 = 0;        // departure window at the boarding station, hhmm, ends included
  int st_time2 = 0;
  int ed_time1 = 0;  // arrival window at the alighting station, hhmm, ends included
  int ed_time2 = 0;
  int wait_time = 0;           // longest wait at a transfer, minutes
  int wait_count = 1;          // 1: up to one transfer, 2: up to two
  int combination_number = 0;  // 1: one connection per first train, 0: all (the report's rule)
  // 1..3 once a search has been started; 0 as the program starts, so that the conditions
  // window first selects 乗車時間順. The sort keys read any other value as 1.
  int sort_order = 0;
};

// The conditions the settings keep for the next run, each under the settings key of its
// member's name (st_station, ed_station, st_time1, st_time2, ed_time1, ed_time2,
// wait_time, wait_count, combination_number). The sort order is not kept: it reads as 0.
SearchConditions saved_conditions(const settings::Settings& s);
void save_conditions(const SearchConditions& cond, settings::Settings& s);

}  // namespace ravolin::search
